#include "cli/EncodeCommand.h"

#include "core/errors/ErrorRecord.h"
#include "core/browser/PathUtilities.h"
#include "core/encode/EncodePipeline.h"
#include "core/encode/NoteEncoder.h"
#include "core/midi/ResolutionScale.h"
#include "core/midi/SmfNoteFile.h"
#include "cli/FactsJson.h"
#include "cli/OutputDirectory.h"
#include "cli/ShiftJisText.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>

const char kEncodeUsage[] =
    "usage: velmora-encode [options] FILE...\n"
    "  -c, --channels LIST     MIDI channels as the program shows them, 1 to 16: \"1,3,5-8\" or \"all\"\n"
    "  -m, --mask HEX          the channel mask as stored in EncodeChannel (bit n = channel n+1);\n"
    "                          default 0xFDFF\n"
    "      --format1 FORMAT    the long-form line format (as PrintFormat1, backslash-t pairs included)\n"
    "      --format2 FORMAT    the short-form line format (as PrintFormat2)\n"
    "      --complete          complete reading: all tracks, running status, note-offs (0x8n)\n"
    "      --normalize         lengths at 480 ticks per quarter note for a file at another division\n"
    "  -q, --quiet             no warning when a file needs complete reading or --normalize\n"
    "  -i, --info              print the file's SMF facts instead of encoding\n"
    "      --json              with --info: the facts as one JSON object per file\n"
    "  -o, --output FILE       write to FILE instead of standard output\n"
    "      --output-dir DIR    write one file per input into DIR, named after the input\n"
    "      --suffix EXT        the extension of those files; default inc\n"
    "      --threads N         threads that format a large file, 1 to 64; default one a processor\n"
    "  -h, --help / --version\n"
    "FILE \"-\" reads standard input.\n";

namespace {

const char kProgram[] = "velmora-encode";

// From this size on, the complete reading's counts are taken by a thread of
// their own (about 20 k notes); below it a thread costs more than it saves.
constexpr uint32_t kConcurrentHintsBytes = 160u << 10;

// One line on the error stream when complete reading would see more than
// the default reading: what it would see, by count.
void WarnOfCompleteReading(std::FILE* err, const std::string& path, const ReadingHints& hints)
{
    if (!hints.any()) return;
    std::string seen;
    auto add = [&seen](uint64_t count, const char* what) {
        if (!count) return;
        seen += (seen.empty() ? "" : ", ") + GroupThousands(count) + what;
    };
    add(hints.laterTrackNotes, " notes in tracks 2 and later");
    add(hints.runningStatusEvents, " events under running status");
    add(hints.noteOffs, " note-offs (0x8n)");
    std::fprintf(err, "%s: warning: %s: %s; --complete reads them\n", kProgram, path.c_str(), seen.c_str());
}

// One line on the error stream when the file's division keeps most lengths
// from the length codes, which assume 480 ticks per quarter note.
void WarnOfDivision(std::FILE* err, const std::string& path, uint16_t division)
{
    if (!ResolutionScale::Applies(division)) return;
    std::fprintf(err,
                 "%s: warning: %s: division %u, not 480: few lengths have a length code; --normalize scales them\n",
                 kProgram, path.c_str(), static_cast<unsigned>(division));
}

// The pipeline's blocks, written to a stream as they come.
class StreamOutput : public BlockOutput {
public:
    explicit StreamOutput(std::FILE* out) : out_(out) {}
    bool write(const char* data, size_t size) override { return std::fwrite(data, 1, size, out_) == size; }

private:
    std::FILE* out_;
};

// The error record's text on one line: the system's texts end in CR LF.
std::string OneLine(const char* text)
{
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

// The record's text is the program's own, with the path in it as given,
// except for system errors, whose text comes in the terminal's charset.
void ReportFileError(std::FILE* err, const std::string& path)
{
    const ErrorRecord& record = GetErrorRecord();
    const std::string text = OneLine(record.text);
    const std::string shown = record.code == kErrorSystem ? text : ShiftJisText::ForMessages(text, path);
    std::fprintf(err, "%s: %s: %s (0x%08X)\n", kProgram, path.c_str(), shown.c_str(),
                 static_cast<unsigned>(record.code));
}

bool ParseNumber(const std::string& text, size_t& at, unsigned& value)
{
    const size_t start = at;
    value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 3)
        value = value * 10 + static_cast<unsigned>(text[at++] - '0');
    return at > start;
}

}  // namespace

bool EncodeCommand::ParseChannelList(const std::string& list, uint32_t& mask)
{
    if (list == "all") {
        mask = 0xFFFF;
        return true;
    }
    mask = 0;
    size_t at = 0;
    for (;;) {
        unsigned first = 0, last = 0;
        if (!ParseNumber(list, at, first)) return false;
        last = first;
        if (at < list.size() && list[at] == '-') {
            ++at;
            if (!ParseNumber(list, at, last)) return false;
        }
        if (first < 1 || last > 16 || first > last) return false;
        for (unsigned ch = first; ch <= last; ++ch) mask |= 1u << (ch - 1);
        if (at == list.size()) return true;
        if (list[at] != ',') return false;
        ++at;
    }
}

bool EncodeCommand::ParseMask(const std::string& text, uint32_t& mask)
{
    size_t at = (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) ? 2 : 0;
    if (at == text.size() || text.size() - at > 8) return false;
    mask = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return false;
        mask = mask << 4 | digit;
    }
    return true;
}

int EncodeCommand::parse(const std::vector<std::string>& args, Options& options, std::string& problem)
{
    options.format1 = NoteEncoder::kDefaultFormat1;
    options.format2 = NoteEncoder::kDefaultFormat2;
    options.encodeChannel = NoteEncoder::kDefaultEncodeChannel;
    bool onlyFiles = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyFiles = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.erase(eq);
            inlineValue = true;
        }
        auto takeValue = [&]() {
            if (inlineValue) return true;
            if (i + 1 >= args.size()) {
                problem = "option " + arg + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto noValue = [&]() {
            if (inlineValue) problem = "option " + arg + " takes no value";
            return !inlineValue;
        };

        if (arg == "-c" || arg == "--channels") {
            if (!takeValue()) return kUsageError;
            if (!ParseChannelList(value, options.channelButtons)) {
                problem = "not a channel list: " + value;
                return kUsageError;
            }
            options.haveChannels = true;
        } else if (arg == "-m" || arg == "--mask") {
            if (!takeValue()) return kUsageError;
            if (!ParseMask(value, options.encodeChannel)) {
                problem = "not a hexadecimal mask: " + value;
                return kUsageError;
            }
            options.haveMask = true;
        } else if (arg == "--format1" || arg == "--format2") {
            if (!takeValue()) return kUsageError;
            (arg == "--format1" ? options.format1 : options.format2) = value;
        } else if (arg == "-o" || arg == "--output") {
            if (!takeValue()) return kUsageError;
            options.output = value;
        } else if (arg == "--complete" || arg == "--normalize" || arg == "-q" || arg == "--quiet") {
            if (!noValue()) return kUsageError;
            (arg == "--complete" ? options.complete : arg == "--normalize" ? options.normalize : options.quiet) = true;
        } else if (arg == "--output-dir") {
            if (!takeValue()) return kUsageError;
            options.outputDir = value;
        } else if (arg == "--suffix") {
            if (!takeValue()) return kUsageError;
            options.suffix = value;
            options.haveSuffix = true;
        } else if (arg == "--threads") {
            if (!takeValue()) return kUsageError;
            size_t at = 0;
            unsigned threads = 0;
            if (!ParseNumber(value, at, threads) || at != value.size() || threads < 1 || threads > 64) {
                problem = "not a thread count from 1 to 64: " + value;
                return kUsageError;
            }
            options.threads = threads;
        } else if (arg == "--json") {
            if (!noValue()) return kUsageError;
            options.json = true;
        } else if (arg == "-i" || arg == "--info") {
            if (!noValue()) return kUsageError;
            options.info = true;
        } else if (arg == "-h" || arg == "--help") {
            if (!noValue()) return kUsageError;
            options.help = true;
        } else if (arg == "--version") {
            if (!noValue()) return kUsageError;
            options.version = true;
        } else {
            problem = "unknown option: " + arg;
            return kUsageError;
        }
    }
    if (options.help || options.version) return kSuccess;
    if (options.haveChannels && options.haveMask) {
        problem = "--channels and --mask exclude each other";
        return kUsageError;
    }
    if (options.files.empty()) {
        problem = "no file given";
        return kUsageError;
    }
    return checkCombination(options, problem);
}

template <class Smf>
bool EncodeCommand::openInput(InputFile<Smf>& file, const std::string& path, std::FILE* err)
{
    std::string problem;
    if (path == "-" && !inputBytes_.load(input_, problem)) {
        std::fprintf(err, "%s: %s\n", kProgram, problem.c_str());
        return false;
    }
    if (file.openInput(path, &inputBytes_) != 0) {
        ReportFileError(err, path);
        return false;
    }
    return true;
}

int EncodeCommand::encodeFile(const std::string& path, const Options& options, std::FILE* out, std::FILE* err)
{
    InputFile<SmfNoteFile> notes;
    if (!openInput(notes, path, err)) return kFileError;
    if (!options.complete && !options.quiet) {
        // What complete reading would see is counted by a second walk of the
        // file; on a large file it runs beside the reading of the notes.
        ReadingHints hints;
        std::thread counter;
        if (notes.dataSize() >= kConcurrentHintsBytes &&
            (options.threads ? options.threads : EncodePipeline::DefaultThreads()) > 1) {
            try {
                counter = std::thread([&notes, &hints] { hints = notes.completeReadingHints(); });
            } catch (const std::system_error&) {
            }
        }
        notes.readNotes(false, options.normalize);
        if (counter.joinable()) counter.join();
        else hints = notes.completeReadingHints();
        WarnOfCompleteReading(err, path, hints);
    } else {
        notes.readNotes(options.complete, options.normalize);
    }
    if (!options.normalize && !options.quiet) WarnOfDivision(err, path, notes.header().division);
    const NoteEncoder encoder(options.format1, options.format2);
    // --channels stands for the checked channel buttons, otherwise the
    // options button is checked and the mask is EncodeChannel.
    const uint32_t mask = NoteEncoder::SelectedChannels(!options.haveChannels, options.encodeChannel,
                                                        options.channelButtons);
    StreamOutput output(out);
    EncodePipeline pipeline(encoder, options.threads);
    if (pipeline.run(notes, mask, output)) return kSuccess;
    // A failed write is reported once, for the whole output, by run().
    if (pipeline.outOfMemory()) std::fprintf(err, "%s: %s: not enough memory to encode\n", kProgram, path.c_str());
    return kFileError;
}

int EncodeCommand::infoFile(const std::string& path, bool json, std::FILE* out, std::FILE* err)
{
    InputFile<SmfFile> file;
    if (!openInput(file, path, err)) return kFileError;
    file.readEvents();
    if (json) {
        const std::string line = FactsJson::Line(path, file);
        std::fwrite(line.data(), 1, line.size(), out);
        return kSuccess;
    }
    const SmfHeader& h = file.header();
    std::fprintf(out, "format=%u\ntracks=%u\ndivision=%u\nsequence_name=%s\ncopyright=%s\n",
                 static_cast<unsigned>(h.format), static_cast<unsigned>(h.trackCount),
                 static_cast<unsigned>(h.division), file.info().sequenceName, file.info().copyright);
    return kSuccess;
}

int EncodeCommand::run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    Options options;
    std::string problem;
    if (parse(args, options, problem) != kSuccess) {
        std::fprintf(err, "%s: %s\n%s", kProgram, problem.c_str(), kEncodeUsage);
        return kUsageError;
    }
    if (options.help) {
        std::fputs(kEncodeUsage, out);
        return kSuccess;
    }
    if (options.version) {
        std::fprintf(out, "%s %s\n", kProgram, VELMORA_VERSION);
        return kSuccess;
    }

    if (!options.outputDir.empty()) return encodeIntoDirectory(options, err);

    std::FILE* target = out;
    if (!options.output.empty()) {
        target = std::fopen(options.output.c_str(), "wb");
        if (!target) {
            std::fprintf(err, "%s: cannot write %s: %s\n", kProgram, options.output.c_str(), std::strerror(errno));
            return kFileError;
        }
    }
    // The encoder hands over blocks of many lines; a stream buffer would
    // only split each into two writes.
    if (!options.info) std::setvbuf(target, nullptr, _IONBF, 0);
    int status = kSuccess;
    for (const std::string& path : options.files) {
        const int result = options.info ? infoFile(path, options.json, target, err) : encodeFile(path, options, target, err);
        if (result != kSuccess) status = kFileError;
    }
    const bool written = std::fflush(target) == 0 && !std::ferror(target);
    if (target != out && std::fclose(target) != 0) status = kFileError;
    if (!written) {
        std::fprintf(err, "%s: the output could not be written\n", kProgram);
        status = kFileError;
    }
    return status;
}

int EncodeCommand::checkCombination(const Options& options, std::string& problem)
{
    if (options.json && !options.info) problem = "--json goes with --info";
    else if (options.haveSuffix && options.outputDir.empty()) problem = "--suffix goes with --output-dir";
    else if (options.haveSuffix && (options.suffix.empty() || options.suffix == "." ||
                                    options.suffix.find_first_of("/\\:") != std::string::npos))
        problem = "not a file extension: " + options.suffix;
    else if (!options.outputDir.empty() && !options.output.empty())
        problem = "--output and --output-dir exclude each other";
    else if (!options.outputDir.empty() && options.info)
        problem = "--output-dir is for encodings; --info prints to standard output or --output";
    else if (!options.outputDir.empty() &&
             std::find(options.files.begin(), options.files.end(), "-") != options.files.end())
        problem = "standard input has no name to write into --output-dir; use --output";
    return problem.empty() ? kSuccess : kUsageError;
}

int EncodeCommand::encodeIntoDirectory(const Options& options, std::FILE* err)
{
    OutputDirectory directory(options.outputDir, options.suffix);
    std::string problem;
    if (!directory.check(problem)) {
        std::fprintf(err, "%s: %s\n", kProgram, problem.c_str());
        return kFileError;
    }
    int status = kSuccess;
    for (const std::string& path : options.files) {
        // The input is read before its output is begun: a file that cannot
        // be read leaves nothing behind.
        InputFile<SmfFile> probe;
        if (!openInput(probe, path, err)) {
            status = kFileError;
            continue;
        }
        probe.close();
        std::FILE* file = directory.begin(path, problem);
        if (!file) {
            std::fprintf(err, "%s: %s: %s\n", kProgram, path.c_str(), problem.c_str());
            status = kFileError;
            continue;
        }
        std::setvbuf(file, nullptr, _IONBF, 0);  // see run()
        if (encodeFile(path, options, file, err) != kSuccess) {
            directory.abandon();
            std::fprintf(err, "%s: %s: cannot write %s\n", kProgram, path.c_str(), directory.target().c_str());
            status = kFileError;
        } else if (!directory.commit(problem)) {
            std::fprintf(err, "%s: %s: %s\n", kProgram, path.c_str(), problem.c_str());
            status = kFileError;
        }
    }
    return status;
}
