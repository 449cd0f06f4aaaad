#include "tools/OutputDirectory.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The names in a folder, sorted.
std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

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
    const std::string dir = fs::path(marker.path()).parent_path().string();
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
