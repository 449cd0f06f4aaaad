// The encoder's inputs and outputs beyond one file to one stream: standard
// input, a folder of outputs, the facts as JSON.
#include "support/TestFiles.h"
#include "tools/EncodeCommand.h"
#include "tools/OutputDirectory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

// Runs the command with `input` as its standard input and its output and
// messages caught in files.
struct Encoding {
    explicit Encoding(std::vector<std::string> args, const Bytes& input = Bytes{})
    {
        TempFile in(input, "in.bin"), outFile(Bytes{}, "out.txt"), errFile(Bytes{}, "err.txt");
        std::FILE* i = std::fopen(in.path().c_str(), "rb");
        std::FILE* o = std::fopen(outFile.path().c_str(), "wb");
        std::FILE* e = std::fopen(errFile.path().c_str(), "wb");
        EncodeCommand command;
        command.setInput(i);
        status = command.run(args, o, e);
        std::fclose(i);
        std::fclose(o);
        std::fclose(e);
        output = Text(ReadAll(outFile.path()));
        errors = Text(ReadAll(errFile.path()));
    }
    int status;
    std::string output, errors;
};

Bytes Song(const Bytes& name = {'T', 'u', 'n', 'e'})
{
    return SmfWithTrack(Cat({{0x00, 0xFF, 0x03, static_cast<uint8_t>(name.size())}, name,
                             {0x00, 0xFF, 0x02, 0x03, '(', 'C', ')'},
                             {0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0},
                             {0x00, 0xFF, 0x2F, 0x00}}));
}

const std::string kSongLines = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

size_t Lines(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string Folder(const TempFile& f)
{
    return fs::path(f.path()).parent_path().string();
}

}  // namespace

TEST(EncodeIo, DashReadsStandardInputAsAFile)
{
    const Encoding once({"-"}, Song());
    EXPECT_EQ(0, once.status) << once.errors;
    EXPECT_EQ(kSongLines, once.output);
    // Read once, used for each "-".
    EXPECT_EQ(kSongLines + kSongLines, Encoding({"-", "-"}, Song()).output);

    const Encoding empty({"-"});
    EXPECT_EQ(1, empty.status);
    EXPECT_EQ("", empty.output);
    EXPECT_EQ(0u, empty.errors.find("velmora-encode: -: ")) << empty.errors;
}

TEST(OutputDirectory, NamesTheOutputAfterTheInput)
{
    struct Case {
        const char* input;
        const char* suffix;
        const char* name;
    } cases[] = {
        {"song.mid", "inc", "song.inc"},
        {"music/a/song.mid", "inc", "song.inc"},
        {"music.d/song", "asm", "song.asm"},
        {"song.v2.mid", ".s", "song.v2.s"},
        {".hidden", "inc", ".hidden.inc"},
#ifdef _WIN32
        {"C:\\music\\song.MID", "inc", "song.inc"},
        {"D:song.mid", "inc", "song.inc"},
#endif
    };
    for (const Case& c : cases) EXPECT_EQ(c.name, OutputDirectory::OutputName(c.input, c.suffix)) << c.input;
}

TEST(OutputDirectory, FileHasItsNameOnlyOnceComplete)
{
    TempFile marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    OutputDirectory out(dir, "inc");
    std::string problem;

    // Written under another name, then renamed over an older file.
    std::FILE* old = std::fopen((dir + "/a.inc").c_str(), "wb");
    ASSERT_NE(nullptr, old);
    std::fputs("old", old);
    std::fclose(old);
    std::FILE* f = out.begin("in/a.mid", problem);
    ASSERT_NE(nullptr, f) << problem;
    std::fputs("new", f);
    const std::vector<std::string> during = Names(dir);
    ASSERT_EQ(3u, during.size());
    EXPECT_EQ(0u, during[0].find(".a.inc.")) << during[0];
    const Bytes before = ReadAll(dir + "/a.inc");
    EXPECT_EQ("old", std::string(before.begin(), before.end()));
    ASSERT_TRUE(out.commit(problem)) << problem;
    const Bytes written = ReadAll(dir + "/a.inc");
    EXPECT_EQ("new", std::string(written.begin(), written.end()));

    // Given up: nothing is left of it.
    f = out.begin("b.mid", problem);
    ASSERT_NE(nullptr, f) << problem;
    std::fputs("half", f);
    out.abandon();
    EXPECT_EQ((std::vector<std::string>{"a.inc", "marker"}), Names(dir));
}

TEST(EncodeIo, OutputDirWritesEachInputAndReportsTheOthers)
{
    TempFile first(Song(), "first.mid"), second(Song(), "second.MID"), bad(Bytes{'R', 'I', 'F', 'F'}, "bad.mid");
    TempFile marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    { std::FILE* old = std::fopen((dir + "/first.asm").c_str(), "wb"); std::fputs("old", old); std::fclose(old); }

    const Encoding run({"--output-dir", dir, "--suffix", ".asm", first.path(), bad.path(), first.path() + ".gone",
                   second.path()});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.output);
    EXPECT_EQ(2u, Lines(run.errors)) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find(bad.path() + ": "));
    EXPECT_EQ((std::vector<std::string>{"first.asm", "marker", "second.asm"}), Names(dir));
    EXPECT_EQ(kSongLines, Text(ReadAll(dir + "/first.asm")));
    EXPECT_EQ(kSongLines, Text(ReadAll(dir + "/second.asm")));

    // The default extension.
    EXPECT_EQ(0, Encoding({"--output-dir=" + dir, first.path()}).status);
    EXPECT_EQ(kSongLines, Text(ReadAll(dir + "/first.inc")));
}

TEST(EncodeIo, OutputDirNeverReplacesAnInputOrAnEarlierOutput)
{
    TempFile a(Song({'A'}), "song.mid"), b(Song({'B'}), "song.mid");
    const Bytes original = ReadAll(a.path());
    const Encoding self({"--output-dir", Folder(a), "--suffix", "mid", a.path()});
    EXPECT_EQ(1, self.status);
    EXPECT_NE(std::string::npos, self.errors.find("is the input itself")) << self.errors;
    EXPECT_EQ(original, ReadAll(a.path()));

    TempFile marker(Bytes{}, "marker");
    const Encoding clash({"--output-dir", Folder(marker), "--format2", "%d", a.path(), b.path()});
    EXPECT_EQ(1, clash.status);
    EXPECT_EQ(1u, Lines(clash.errors)) << clash.errors;
    EXPECT_NE(std::string::npos, clash.errors.find(b.path() + ": ")) << clash.errors;
    EXPECT_EQ("60\r\n", Text(ReadAll(Folder(marker) + "/song.inc")));
}

TEST(EncodeIo, OutputDirThatCannotBeWrittenFailsEachInput)
{
    TempFile song(Song(), "song.mid"), marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    const Encoding missing({"--output-dir", dir + "/none", song.path()});
    EXPECT_EQ(1, missing.status);
    EXPECT_NE(std::string::npos, missing.errors.find("not a folder")) << missing.errors;

#ifdef _WIN32
    GTEST_SKIP() << "a folder closed to writing is made with chattr, on Linux";
#else
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

TEST(EncodeIo, ShiftJisFileNamesAreKeptByteForByte)
{
    // The literals are code page 932 bytes: テスト.mid and 曲.mid. The file
    // is made by the C library, which takes the bytes as they are (a
    // filesystem::path would reinterpret them on Windows).
    TempFile marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    const std::string input = dir + "/テスト.mid";
    const Bytes song = Song();
    std::FILE* f = std::fopen(input.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(song.data(), 1, song.size(), f);
    std::fclose(f);

    const Encoding run({"--output-dir", dir, input});
    EXPECT_EQ(0, run.status) << run.errors;
    EXPECT_EQ(kSongLines, Text(ReadAll(dir + "/テスト.inc")));

    const std::string missing = dir + "/曲.mid";
    const Encoding gone({missing});
    EXPECT_EQ(1, gone.status);
    EXPECT_EQ(0u, gone.errors.find("velmora-encode: " + missing + ": ")) << gone.errors;
}

TEST(EncodeIo, InfoJsonParsesBackWithDecodedAndRawTexts)
{
    // かえる and a byte that is no Shift-JIS character.
    TempFile song(Song({0x82, 0xA9, 0x82, 0xA6, 0x82, 0xE9, 0x80}), "song.mid");
    TempFile bad(Bytes{'R', 'I', 'F', 'F'}, "bad.mid");
    const Encoding run({"--info", "--json", song.path(), bad.path(), "-"}, Song());
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(1u, Lines(run.errors)) << run.errors;

    std::istringstream lines(run.output);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line, nullptr, false));
    ASSERT_EQ(2u, objects.size()) << run.output;
    const nlohmann::json& first = objects[0];
    ASSERT_FALSE(first.is_discarded()) << run.output;
    EXPECT_EQ(song.path(), first.value("file", ""));
    EXPECT_EQ(0, first.value("format", -1));
    EXPECT_EQ(1, first.value("tracks", -1));
    EXPECT_EQ(480, first.value("division", -1));
    EXPECT_EQ(u8"かえる\uFFFD", first.value("sequence_name", ""));
    EXPECT_EQ("82a982a682e980", first.value("sequence_name_hex", ""));
    EXPECT_EQ("(C)", first.value("copyright", ""));
    EXPECT_EQ("284329", first.value("copyright_hex", ""));
    EXPECT_EQ("-", objects[1].value("file", ""));
    EXPECT_EQ("Tune", objects[1].value("sequence_name", ""));
}

TEST(EncodeIo, OptionsThatDoNotGoTogetherAreUsageErrors)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--json", "x.mid"},
        {"--suffix", "asm", "x.mid"},
        {"--output-dir", "d", "--suffix", "", "x.mid"},
        {"--output-dir", "d", "--suffix", "../up", "x.mid"},
        {"--output-dir", "d", "-o", "f", "x.mid"},
        {"--output-dir", "d", "--info", "x.mid"},
        {"--output-dir", "d", "-"},
        {"--info", "--json=yes", "x.mid"},
        {"x.mid", "--output-dir"},
    };
    for (const auto& args : bad) {
        const Encoding run(args);
        EXPECT_EQ(2, run.status) << args[0] << " " << args[1];
        EXPECT_NE(std::string::npos, run.errors.find("usage: velmora-encode"));
    }
}
