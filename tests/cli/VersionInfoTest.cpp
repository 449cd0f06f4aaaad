// The version resource of both programs, read back as the file's
// properties read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        EXPECT_EQ(DWORD{VELMORA_VERSION_MAJOR} << 16 | VELMORA_VERSION_MINOR, fixed->dwFileVersionMS);
        EXPECT_EQ(DWORD{VELMORA_VERSION_PATCH} << 16, fixed->dwFileVersionLS);
        for (const auto& [name, value] : {std::pair<const char*, const char*>{"ProductName", "velmora"},
                                          {"CompanyName", "brelvik"}, {"ProductVersion", VELMORA_VERSION}}) {
            char* text = nullptr;
            ASSERT_TRUE(VerQueryValueA(block.data(), (std::string("\\StringFileInfo\\041104B0\\") + name).c_str(),
                                       reinterpret_cast<void**>(&text), &length)) << name;
            EXPECT_STREQ(value, text);
        }
    }
}
