// velmora-bench: how fast the MIDI core and the encoder are, on generated
// files of 10 k, 100 k and 1 M notes (written to a temporary folder at start)
// and on the real files of the shared test data.
//
// Before measuring, every file is encoded twice, by the encoder and by a
// straightforward reference (note lists that add every delta-time to every
// sounding note, LineFormatter::Format into a std::string per line), and by
// the command-line encoder into a file; the program stops with status 1 when
// any text differs. After the run, the time per note of each benchmark is
// compared across the generated sizes.
//   velmora-bench [--verify-only] [--testdata=DIR] [Google Benchmark flags]
#include "core/encode/LineFormatter.h"
#include "core/encode/NoteEncoder.h"
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceEncoder.h"
#include "support/ReferenceNotes.h"
#include "cli/EncodeCommand.h"
#include "tools/WriteBytes.h"
#include "tools/bench/BenchMidi.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#ifndef VELMORA_TESTDATA_DIR
#define VELMORA_TESTDATA_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

struct BenchFile {
    std::string name;      // "gen-10k", or the real file's name
    std::string path;
    bool generated = false;
    bool readable = false;
    size_t notes = 0;      // note records (rests not counted)
    size_t records = 0;    // notes and rests: the lines of a full encoding
};

std::vector<BenchFile>& Files()
{
    static std::vector<BenchFile> files;
    return files;
}

// ---- the straightforward reference ------------------------------------

struct StringSink : LineSink {
    void appendLine(const char* line, size_t length) override
    {
        text.append(line, length);
        text += "\r\n";
    }
    std::string text;
};

std::string ReadText(const std::string& path)
{
    std::string text;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    return text;
}

// Encodes the file by the encoder, by the reference and by the command;
// false (with a message) when the texts differ.
bool Verify(BenchFile& file, const fs::path& scratch)
{
    SmfNoteFile notes;
    ReferenceNotes reference;
    if (notes.open(file.path) != 0 || reference.open(file.path) != 0) {
        std::printf("verify %-36s not a file the reader opens: not benchmarked\n", file.name.c_str());
        return true;
    }
    file.readable = true;
    notes.readEvents();
    reference.readEvents();
    for (int c = 0; c < 16; ++c) {
        file.records += notes.channelNotes(c).size();
        for (const NoteRecord& r : notes.channelNotes(c)) file.notes += r.velocity != 0;
    }

    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    StringSink sink;
    encoder.encodeNotes(notes, 0xFFFF, sink);
    const std::string expected = ReferenceEncoding(reference.lists, 0xFFFF, NoteEncoder::kDefaultFormat1,
                                                   NoteEncoder::kDefaultFormat2);

    const std::string outPath = (scratch / "verify.txt").string();
    EncodeCommand command;
    const int status = command.run({"--mask", "FFFF", "--output", outPath, file.path}, stdout, stderr);
    const std::string written = ReadText(outPath);
    fs::remove(outPath);

    const bool same = sink.text == expected && written == expected && status == 0;
    std::printf("verify %-36s %9zu lines %11zu bytes: %s\n", file.name.c_str(), file.records, expected.size(),
                same ? "same text" : "TEXTS DIFFER");
    if (!same) {
        const std::string& bad = sink.text != expected ? sink.text : written;
        size_t at = 0;
        while (at < bad.size() && at < expected.size() && bad[at] == expected[at]) ++at;
        std::printf("  %s differs at byte %zu (status %d)\n", sink.text != expected ? "NoteEncoder" : "velmora-encode",
                    at, status);
    }
    return same;
}

// ---- the benchmarks ----------------------------------------------------

void SetNoteCounters(benchmark::State& state, const BenchFile& file)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.records));
    state.counters["notes"] = static_cast<double>(file.notes);
    state.counters["per_note"] = benchmark::Counter(static_cast<double>(file.notes),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void BM_ReadEvents(benchmark::State& state, const BenchFile* file)
{
    for (auto _ : state) {
        SmfFile smf;
        if (smf.open(file->path) != 0) {
            state.SkipWithError("cannot open");
            break;
        }
        benchmark::DoNotOptimize(smf.readEvents());
    }
    SetNoteCounters(state, *file);
}

// The note lists, read the default way or completely (all tracks merged).
void BM_NoteLists(benchmark::State& state, const BenchFile* file, bool complete)
{
    for (auto _ : state) {
        SmfNoteFile notes;
        if (notes.open(file->path) != 0) {
            state.SkipWithError("cannot open");
            break;
        }
        notes.readNotes(complete);
        benchmark::DoNotOptimize(notes.channelNotes(0).size());
    }
    SetNoteCounters(state, *file);
}

// Takes the text into a 1 MiB block, in place as the command's writer does,
// and drops each full block.
class DiscardingSink : public LineSink {
public:
    DiscardingSink() : block_(new char[kBlock]) {}
    void appendLine(const char* line, size_t length) override
    {
        if (used_ + length + 2 > kBlock) drop();
        std::memcpy(block_.get() + used_, line, length);
        used_ += length;
        block_[used_++] = '\r';
        block_[used_++] = '\n';
        bytes += length + 2;
    }
    char* textSpace(size_t& room) override
    {
        if (kBlock - used_ < kTextSpace) drop();
        room = kBlock - used_;
        return block_.get() + used_;
    }
    void textWritten(size_t count) override
    {
        used_ += count;
        bytes += count;
    }
    size_t bytes = 0;

private:
    void drop()
    {
        benchmark::DoNotOptimize(block_.get());
        benchmark::ClobberMemory();
        used_ = 0;
    }
    static constexpr size_t kBlock = 1 << 20;
    std::unique_ptr<char[]> block_;
    size_t used_ = 0;
};

void BM_Encode(benchmark::State& state, const BenchFile* file)
{
    SmfNoteFile notes;
    if (notes.open(file->path) != 0) {
        state.SkipWithError("cannot open");
        return;
    }
    notes.readEvents();
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    DiscardingSink sink;
    for (auto _ : state) encoder.encodeNotes(notes, 0xFFFF, sink);
    SetNoteCounters(state, *file);
}

// The whole command, output to the null device.
void BM_EncodeCommand(benchmark::State& state, const BenchFile* file)
{
    std::FILE* null = std::fopen("/dev/null", "wb");
    if (!null) {
        state.SkipWithError("no /dev/null");
        return;
    }
    EncodeCommand command;
    for (auto _ : state) benchmark::DoNotOptimize(command.run({"--mask", "FFFF", file->path}, null, stderr));
    std::fclose(null);
    SetNoteCounters(state, *file);
}

// The formatter alone, on the default formats, with the arguments of the
// records of the 100 k file (in its order): the reference lays out its
// arguments and calls the formatter, the encoder its parsed formats.
std::vector<NoteRecord>& FormatterRecords()
{
    static std::vector<NoteRecord> records;
    return records;
}

void BM_Formatter(benchmark::State& state, bool encoderLine)
{
    const std::vector<NoteRecord>& records = FormatterRecords();
    const std::string format1 = ReferenceFormat(NoteEncoder::kDefaultFormat1);
    const std::string format2 = ReferenceFormat(NoteEncoder::kDefaultFormat2);
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    char line[LineFormatter::kLineCapacity];
    size_t i = 0, bytes = 0;
    for (auto _ : state) {
        const NoteRecord& r = records[i];
        if (++i == records.size()) i = 0;
        bytes += encoderLine ? encoder.encodeLine(r, line) : ReferenceLine(r, format1, format2, line);
        benchmark::DoNotOptimize(line);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

// ---- after the run: is the time per note flat? --------------------------

class FlatnessReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median of the repetitions counts.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((run.run_type != Run::RT_Iteration && !median) || run.error_occurred || run.iterations == 0) continue;
            const std::string name = run.run_name.function_name;
            const auto notes = run.counters.find("notes");
            if (notes == run.counters.end() || notes->second.value == 0) continue;
            const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            if (median || !perNote.count(name) || !medians.count(name)) perNote[name] = seconds * 1e9 / notes->second.value;
            if (median) medians.insert(name);
        }
    }

    void PrintFlatness() const
    {
        std::printf("\nTime per note on the generated files (goal: 1M within 1.5x of 10k)\n");
        std::printf("%-16s %10s %10s %10s %8s\n", "benchmark", "10k ns", "100k ns", "1M ns", "1M/10k");
        for (const char* family : {"ReadEvents", "NoteLists", "CompleteNoteLists", "Encode", "EncodeCommand"}) {
            double t[3] = {0, 0, 0};
            const char* sizes[3] = {"gen-10k", "gen-100k", "gen-1M"};
            bool any = false;
            for (int i = 0; i < 3; ++i) {
                const auto it = perNote.find(std::string(family) + "/" + sizes[i]);
                if (it != perNote.end()) {
                    t[i] = it->second;
                    any = true;
                }
            }
            if (!any) continue;
            std::printf("%-16s %10.2f %10.2f %10.2f %8s\n", family, t[0], t[1], t[2],
                        t[0] > 0 && t[2] > 0 ? Ratio(t[2] / t[0]).c_str() : "-");
        }
        const auto complete = perNote.find("CompleteNoteLists/gen-1M");
        const auto firstTrack = perNote.find("NoteLists/gen-1M");
        if (complete != perNote.end() && firstTrack != perNote.end())
            std::printf("\nComplete reading on gen-1M: %.2f ns a note, default %.2f ns: %s (goal: at most 1.30x)\n",
                        complete->second, firstTrack->second, Ratio(complete->second / firstTrack->second).c_str());
    }

private:
    static std::string Ratio(double r)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.2fx", r);
        return text;
    }
    std::map<std::string, double> perNote;
    std::set<std::string> medians;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    bool verifyOnly = false;
    std::string testdata = VELMORA_TESTDATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--verify-only") {
            verifyOnly = true;
        } else if (arg.compare(0, 11, "--testdata=") == 0) {
            testdata = arg.substr(11);
        } else {
            std::fprintf(stderr, "velmora-bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    std::error_code error;
    const fs::path scratch = fs::temp_directory_path(error) / ("velmora-bench-" + std::to_string(::getpid()));
    fs::create_directories(scratch, error);
    if (error) {
        std::fprintf(stderr, "velmora-bench: cannot create %s\n", scratch.string().c_str());
        return 1;
    }
    struct Cleanup {
        fs::path dir;
        ~Cleanup()
        {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{scratch};

    for (const auto& size : {std::make_pair("gen-10k", 10000), std::make_pair("gen-100k", 100000),
                             std::make_pair("gen-1M", 1000000)}) {
        const std::vector<uint8_t> bytes = MakeBenchMidi(static_cast<size_t>(size.second));
        BenchFile file;
        file.name = size.first;
        file.path = (scratch / (std::string(size.first) + ".mid")).string();
        file.generated = true;
        if (!WriteBytes(file.path.c_str(), bytes.data(), bytes.size())) {
            std::fprintf(stderr, "velmora-bench: cannot write %s\n", file.path.c_str());
            return 1;
        }
        Files().push_back(file);
    }
    if (!testdata.empty() && fs::is_directory(testdata, error)) {
        std::vector<fs::path> real;
        for (const auto& entry : fs::directory_iterator(testdata, error)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".mid" || ext == ".midi" || ext == ".kar") real.push_back(entry.path());
        }
        std::sort(real.begin(), real.end());
        for (const fs::path& p : real) {
            BenchFile file;
            file.name = p.filename().string();
            file.path = p.string();
            Files().push_back(file);
        }
    } else {
        std::printf("no test data at \"%s\": generated files only\n", testdata.c_str());
    }

    bool allSame = true;
    for (BenchFile& file : Files()) allSame = Verify(file, scratch) && allSame;
    if (!allSame) {
        std::printf("velmora-bench: the encoder's text differs from the reference\n");
        return 1;
    }
    if (verifyOnly) return 0;

    for (const BenchFile& file : Files()) {
        if (!file.readable) continue;
        benchmark::RegisterBenchmark(("ReadEvents/" + file.name).c_str(), BM_ReadEvents, &file)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("CompleteNoteLists/" + file.name).c_str(), BM_NoteLists, &file, true)
            ->Unit(benchmark::kMicrosecond);
        if (file.records == 0) continue;  // notes only in later tracks
        benchmark::RegisterBenchmark(("NoteLists/" + file.name).c_str(), BM_NoteLists, &file, false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Encode/" + file.name).c_str(), BM_Encode, &file)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("EncodeCommand/" + file.name).c_str(), BM_EncodeCommand, &file)
            ->Unit(benchmark::kMicrosecond);
    }
    {
        SmfNoteFile notes;
        if (notes.open(Files()[1].path) == 0) {
            notes.readEvents();
            for (int c = 0; c < 16; ++c)
                for (const NoteRecord& r : notes.channelNotes(c)) FormatterRecords().push_back(r);
        }
    }
    benchmark::RegisterBenchmark("Formatter/LineFormatter::Format", BM_Formatter, false);
    benchmark::RegisterBenchmark("Formatter/NoteEncoder::encodeLine", BM_Formatter, true);

    FlatnessReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintFlatness();
    benchmark::Shutdown();
    return 0;
}
