// The version resource of both programs, read back as the file's
// properties read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A text of the Japanese string table; "(none)" when it is not there.
std::string QueryText(std::vector<char>& block, const char* name)
{
    const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "(none)";
    return std::string(value, length && value[length - 1] == '\0' ? length - 1 : length);
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

        EXPECT_EQ("velmora", QueryText(block, "ProductName"));
        EXPECT_EQ("brelvik", QueryText(block, "CompanyName"));
        EXPECT_EQ(VELMORA_VERSION, QueryText(block, "ProductVersion"));
        EXPECT_EQ(VELMORA_VERSION, QueryText(block, "FileVersion"));
    }
}
