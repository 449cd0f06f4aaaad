// velmora-encode run in-process, with its standard input, output and
// messages in files: options, --info, --complete, --normalize, several
// files, usage errors; its outputs beyond one file to one stream: a folder
// of outputs, the facts as JSON, Shift-JIS file names and texts.
#include "cli/EncodeCommand.h"
#include "cli/OutputDirectory.h"
#include "cli/ShiftJisText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }
size_t Lines(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

// The output is read back from a file of its own unless `target` names another.
struct Encoding {
    explicit Encoding(const std::vector<std::string>& args, const Bytes& input = Bytes{}, const char* target = nullptr)
    {
        const TempFile in(input, "in.bin"), outFile(Bytes{}, "out.txt"), errFile(Bytes{}, "err.txt");
        std::FILE* i = std::fopen(in.path().c_str(), "rb");
        std::FILE* o = std::fopen(target ? target : outFile.path().c_str(), "wb");
        std::FILE* e = std::fopen(errFile.path().c_str(), "wb");
        EncodeCommand command;
        command.setInput(i);
        status = command.run(args, o, e);
        for (std::FILE* f : {i, o, e}) std::fclose(f);
        output = Text(ReadAll(outFile.path()));
        errors = Text(ReadAll(errFile.path()));
    }
    int status;
    std::string output, errors;
};

// A quarter on channel 0 and a longer note on channel 2, named `name`.
Bytes Song(const Bytes& name = {'T', 'u', 'n', 'e'})
{
    return SmfWithTrack(Cat({{0x00, 0xFF, 0x03, static_cast<uint8_t>(name.size())}, name,
                             {0x00, 0xFF, 0x02, 0x03, '(', 'C', ')', 0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64},
                             {0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0, 0x00, 0xFF, 0x2F, 0x00}}));
}

const std::string kChannel0 = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const std::string kChannel2 = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";
const std::string kSongLines = kChannel0 + kChannel2;

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Folder(const TempFile& f) { return fs::path(f.path()).parent_path().string(); }

}  // namespace

TEST(EncodeCommand, OptionsChooseChannelsFormatsFactsAndTracks)
{
    const TempFile song(Song());
    // Key 60 on channel 0 in the second track, ended by a note-off.
    const TempFile format1(Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x2F, 0x00}),
                                TrackChunk({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0x40})}));
    const std::string warning = "velmora-encode: warning: " + format1.path() +
        ": 1 notes in tracks 2 and later, 1 note-offs (0x8n); --complete reads them\n";
    // A quarter at 96 ticks: the long form, unless normalised.
    const TempFile at96(Cat({HeaderChunk(0, 1, 96), TrackChunk({0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0x00})}));
    const std::string long96 = "\tdb\t60,$0C,$D0,$02\t;00 060 00096 100\r\n", divisionWarning =
        "velmora-encode: warning: " + at96.path() + ": division 96, not 480: few lengths have a length code; "
        "--normalize scales them\n";
    const struct {
        std::vector<std::string> args;
        std::string output, errors;
    } cases[] = {
        {{song.path()}, kSongLines, ""},
        {{"--channels", "3", song.path()}, kChannel2, ""},
        {{"-c", "2-5,16", song.path()}, kChannel2, ""},
        {{"-c", "all", song.path()}, kSongLines, ""},
        {{"--mask", "0x0001", song.path()}, kChannel0, ""},
        {{"-m", "4", song.path()}, kChannel2, ""},
        {{"--mask=FFFA", "--", song.path()}, "", ""},
        {{"--format2", "S %d\\t%03d", "--format1=L %d,%d,%d,%d", song.path()}, "S 60\t172\r\nL 64,8,166,14\r\n", ""},
        {{"--info", song.path()}, "format=0\ntracks=1\ndivision=480\nsequence_name=Tune\ncopyright=(C)\n", ""},
        {{format1.path()}, "", warning},
        {{"-q", format1.path()}, "", ""},
        {{format1.path(), "--complete"}, kChannel0, ""},
        {{at96.path()}, long96, divisionWarning},
        {{"--complete", at96.path()}, long96, divisionWarning},
        {{"--normalize", at96.path()}, kChannel0, ""},
        {{"--quiet", at96.path()}, long96, ""},
        {{"--threads", "3", song.path()}, kSongLines, ""},
    };
    for (const auto& c : cases) {
        const Encoding run(c.args);
        EXPECT_EQ(0, run.status) << c.args[0];
        EXPECT_EQ(c.output, run.output) << c.args[0];
        EXPECT_EQ(c.errors, run.errors) << c.args[0];
    }
}

TEST(EncodeCommand, FailuresAreReportedAndDoNotStopTheOtherFiles)
{
    TempFile song(Song()), notMidi(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, "other.mid");
    const Encoding run({song.path(), notMidi.path(), song.path() + ".gone", song.path()});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(kSongLines + kSongLines, run.output);
    EXPECT_EQ(2u, Lines(run.errors)) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find(notMidi.path() + ": "));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000005"));
    EXPECT_NE(std::string::npos, run.errors.find(song.path() + ".gone: "));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000006"));
    TempFile target(Bytes{'o', 'l', 'd'}, "result.asm");
    EXPECT_EQ(0, Encoding({"-o", target.path(), song.path()}).status);
    EXPECT_EQ(kSongLines, Text(ReadAll(target.path())));
    EXPECT_NE(std::string::npos, Encoding({"-o", target.path() + "/x.asm", song.path()}).errors.find("cannot write"));
}

TEST(EncodeCommand, UsageErrorsExitWith2)
{
    const std::vector<std::vector<std::string>> bad = {
        {},           {"--channels"},          {"-c", "0", "x.mid"},    {"-c", "17", "x.mid"},
        {"-c", "3-1", "x.mid"},                {"-c", "1,2", "-m", "1", "x.mid"},  {"-m", "123456789", "x.mid"},
        {"--info=yes", "x.mid"},               {"--json", "x.mid"},     {"--suffix", "asm", "x.mid"},
        {"--output-dir", "d", "--suffix", "../up", "x.mid"},  {"--output-dir", "d", "-"},  {"x.mid", "--output-dir"},
        {"--threads", "0", "x.mid"},           {"--threads=65", "x.mid"},                 {"--threads", "2x", "x.mid"},
    };
    for (const auto& args : bad) {
        const Encoding run(args);
        EXPECT_EQ(2, run.status) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(std::string::npos, run.errors.find("usage: velmora-encode"));
        EXPECT_EQ("", run.output);
    }
    EXPECT_EQ(0u, Encoding({"--help"}).output.find("usage: velmora-encode"));
    EXPECT_EQ(0u, Encoding({"--version"}).output.find("velmora-encode "));
}

TEST(OutputDirectory, FileHasItsNameOnlyOnceComplete)
{
    // Written under another name, then renamed over an older file.
    TempFile old(Bytes{'o', 'l', 'd'}, "a.inc");
    const std::string dir = Folder(old);
    OutputDirectory out(dir, "inc");
    std::string problem;
    std::FILE* f = out.begin("in/a.mid", problem);
    ASSERT_NE(nullptr, f) << problem;
    std::fputs("new", f);
    EXPECT_EQ(0u, Names(dir)[0].find(".a.inc.")) << Names(dir)[0];
    EXPECT_EQ("old", Text(ReadAll(dir + "/a.inc")));
    ASSERT_TRUE(out.commit(problem)) << problem;
    EXPECT_EQ("new", Text(ReadAll(dir + "/a.inc")));
    ASSERT_NE(nullptr, out.begin("b.mid", problem)) << problem;
    out.abandon();  // given up: nothing is left of it
    EXPECT_EQ(std::vector<std::string>{"a.inc"}, Names(dir));
}

TEST(EncodeIo, OutputDirWritesEachInputUnderItsNameAndNeverReplacesOne)
{
    TempFile second(Song(), "second.MID"), bad(Bytes{'R', 'I', 'F', 'F'}, "bad.mid"), marker(Bytes{}, "marker");
    // Code page 932 bytes, written through the C library, which takes them as they are.
    const std::string dir = Folder(marker), first = Folder(second) + "/テスト.mid", missing = dir + "/曲.mid";
    std::ofstream(first, std::ios::binary) << Text(Song());
    const Encoding run({"--output-dir", dir, "--suffix", ".asm", first, bad.path(), second.path()});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(0u, run.errors.find("velmora-encode: " + bad.path() + ": ")) << run.errors;
    EXPECT_EQ(1u, Lines(run.errors)) << run.errors;
    EXPECT_EQ(3u, Names(dir).size());
    EXPECT_EQ(kSongLines + kSongLines, Text(ReadAll(dir + "/テスト.asm")) + Text(ReadAll(dir + "/second.asm")));
    EXPECT_EQ(0u, Encoding({missing}).errors.find("velmora-encode: " + missing + ": "));
    EXPECT_EQ(0, Encoding({"--output-dir=" + dir, second.path()}).status);
    EXPECT_EQ(kSongLines, Text(ReadAll(dir + "/second.inc")));  // the default extension
    // A second input of the same name in one run is refused, not written over the first.
    TempFile twin(Song({'B'}), "second.mid");
    const Encoding clash({"--output-dir", dir, second.path(), twin.path()});
    EXPECT_EQ(1u, Lines(clash.errors)) << clash.errors;
    EXPECT_NE(std::string::npos, clash.errors.find(twin.path() + ": ")) << clash.errors;
    const Encoding self({"--output-dir", Folder(second), "--suffix", "MID", second.path()});
    EXPECT_NE(std::string::npos, self.errors.find("is the input itself")) << self.errors;
    EXPECT_EQ(Song(), ReadAll(second.path()));
}

// A full device, a folder that is none and a folder closed to writing.
TEST(EncodeCommand, OutputThatCannotBeWrittenFailsEachInputWithExit1)
{
    TempFile song(Song(), "song.mid"), marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    EXPECT_NE(std::string::npos, Encoding({"--output-dir", dir + "/none", song.path()}).errors.find("not a folder"));
#ifdef _WIN32
    GTEST_SKIP() << "a device that is always full (/dev/full) and chattr are on Linux";
#else
    // One small file, and one large enough for the threads: 70,000 notes.
    Bytes track;
    for (uint32_t i = 0; i < 70000; ++i)
        track.insert(track.end(), {0x00, static_cast<uint8_t>(0x90 | i % 16), static_cast<uint8_t>(i % 128), 100});
    const TempFile large(SmfWithTrack(Cat({track, {0x00, 0xFF, 0x2F, 0x00}})), "large.mid");
    for (const std::string& path : {song.path(), large.path()}) {
        const Encoding run({"--threads", "2", path}, Bytes{}, "/dev/full");
        EXPECT_EQ(1, run.status) << path;
        EXPECT_EQ("velmora-encode: the output could not be written\n", run.errors) << path;
    }
    // Root writes into any folder whatever its mode; an immutable one stops it.
    if (std::system(("chattr +i '" + dir + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +i is not available here";
    const Encoding closed({"--output-dir", dir, song.path(), song.path()});
    std::system(("chattr -i '" + dir + "'").c_str());
    EXPECT_EQ(1, closed.status);
    EXPECT_EQ(2u, Lines(closed.errors)) << closed.errors;
    EXPECT_NE(std::string::npos, closed.errors.find("cannot write into " + dir)) << closed.errors;
    EXPECT_EQ((std::vector<std::string>{"marker"}), Names(dir));
#endif
}

TEST(EncodeIo, InfoJsonParsesBackWithDecodedAndRawTexts)
{
    // かえる and a byte that is no Shift-JIS character.
    TempFile song(Song({0x82, 0xA9, 0x82, 0xA6, 0x82, 0xE9, 0x80}), "song.mid");
    const Encoding run({"--info", "--json", song.path(), "-"}, Song());
    std::istringstream lines(run.output);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line, nullptr, false));
    ASSERT_EQ(2u, objects.size()) << run.output;
    EXPECT_EQ(song.path(), objects[0].value("file", "")) << run.output;
    EXPECT_EQ(u8"かえる\uFFFD", objects[0].value("sequence_name", ""));
    EXPECT_EQ("82a982a682e980", objects[0].value("sequence_name_hex", ""));
    EXPECT_EQ("Tune", objects[1].value("sequence_name", ""));  // from standard input
}

TEST(ShiftJisText, DecodesToUtf8AndReplacesWhatIsNoCharacter)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\x95\x5C", u8"表"},  {"\xC3\xDE", u8"ﾃﾞ"},  {"ab\x82", u8"ab\uFFFD"},  {"\x82" "A", u8"\uFFFDA"},
        {"\x80x\xFD\xFF", u8"\uFFFDx\uFFFD\uFFFD"},  {"\x85\x80z", u8"\uFFFDz"},  {"\x85\x40z", u8"\uFFFD@z"},
    };
    for (const auto& [sjis, utf8] : cases) EXPECT_EQ(utf8, ShiftJisText::ToUtf8(sjis)) << utf8;
}
