// The encoder's outputs beyond one file to one stream: a folder of outputs,
// the facts as JSON, Shift-JIS file names.
#include "EncodeRun.h"
#include "cli/OutputDirectory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

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

TEST(EncodeIo, OutputDirThatCannotBeWrittenFailsEachInput)
{
    TempFile song(Song(), "song.mid"), marker(Bytes{}, "marker");
    const std::string dir = Folder(marker);
    EXPECT_NE(std::string::npos, Encoding({"--output-dir", dir + "/none", song.path()}).errors.find("not a folder"));
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

TEST(EncodeIo, InfoJsonParsesBackWithDecodedAndRawTexts)
{
    // かえる and a byte that is no Shift-JIS character.
    TempFile song(Song({0x82, 0xA9, 0x82, 0xA6, 0x82, 0xE9, 0x80}), "song.mid");
    const Encoding run({"--info", "--json", song.path(), "-"}, Song());
    std::istringstream lines(run.output);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line, nullptr, false));
    ASSERT_EQ(2u, objects.size()) << run.output;
    const nlohmann::json& first = objects[0];
    EXPECT_EQ(song.path(), first.value("file", "")) << run.output;
    EXPECT_EQ(u8"かえる\uFFFD", first.value("sequence_name", ""));
    EXPECT_EQ("82a982a682e980", first.value("sequence_name_hex", ""));
    EXPECT_EQ("Tune", objects[1].value("sequence_name", ""));  // from standard input
}
