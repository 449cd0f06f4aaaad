// The version resource of both programs, read back as the file's
// properties read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct VersionText {
    bool found;
    std::string value;
};

VersionText QueryText(std::vector<char>& block, const char* name)
{
    const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return {false, {}};
    return {true, std::string(value, length && value[length - 1] == '\0' ? length - 1 : length)};
}

}  // namespace

TEST(VersionInfo, BothProgramsCarryTheProjectVersionAndNames)
{
    for (const char* program : {VELMORA_EXE, VELMORA_ENCODE_EXE}) {
        SCOPED_TRACE(program);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(program, &handle);
        ASSERT_NE(0u, size);
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(program, 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_GE(length, sizeof *fixed);
        EXPECT_EQ(DWORD{VELMORA_VERSION_MAJOR} << 16 | VELMORA_VERSION_MINOR, fixed->dwFileVersionMS);
        EXPECT_EQ(DWORD{VELMORA_VERSION_PATCH} << 16, fixed->dwFileVersionLS);

        const struct {
            const char* name;
            std::string expected;
        } texts[] = {
            {"ProductName", "velmora"},
            {"CompanyName", "brelvik"},
            {"ProductVersion", VELMORA_VERSION},
            {"FileVersion", VELMORA_VERSION},
        };
        for (const auto& t : texts) {
            const VersionText got = QueryText(block, t.name);
            EXPECT_TRUE(got.found) << t.name;
            EXPECT_EQ(t.expected, got.value) << t.name;
        }
    }
}
