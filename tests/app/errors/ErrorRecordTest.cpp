#include "app/errors/ErrorRecord.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#ifdef _WIN32
#include <windows.h>
#endif

TEST(ErrorRecord, CodesGetBit29AndTextsTheirArguments)
{
    ErrorRecord record;
    EXPECT_EQ(0u, record.code);
    EXPECT_STREQ("", record.text);

    EXPECT_EQ(0x20000001u, SetError(record, 1, "C:\\MIDI\\a.mid"));
    EXPECT_EQ(0x20000001u, record.code);
    EXPECT_NE(nullptr, std::strstr(record.text, "C:\\MIDI\\a.mid"));

    EXPECT_EQ(0x20000005u, SetError(record, 0x20000005, "b.mid", "midiファイル"));
    const std::string five = record.text;
    EXPECT_LT(five.find("b.mid"), five.find("midiファイル"));

    EXPECT_EQ(0x20000006u, SetError(record, 6, "c.mid"));
    EXPECT_NE(nullptr, std::strstr(record.text, "c.mid"));

    EXPECT_EQ(0x20000002u, SetError(record, 2));
    EXPECT_STRNE("", record.text);
}

TEST(ErrorRecord, UnsupportedCodesNameThemselves)
{
    ErrorRecord record;
    EXPECT_EQ(0x20000008u, SetError(record, 8));
    EXPECT_STREQ("サポートされていないエラーコード 0x20000008 が渡されました。", record.text);
    // Bit 28 as well as bit 29: unchanged, and unsupported.
    EXPECT_EQ(0x30000001u, SetError(record, 0x30000001));
    EXPECT_STREQ("サポートされていないエラーコード 0x30000001 が渡されました。", record.text);
    EXPECT_EQ(0x2000abcdu, SetError(record, 0xabcd));
    EXPECT_NE(nullptr, std::strstr(record.text, "0x2000abcd"));
}

TEST(ErrorRecord, SystemErrorTakesTheSystemsText)
{
    ErrorRecord record;
#ifdef _WIN32
    SetLastError(ERROR_FILE_NOT_FOUND);
    char expected[1024] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected, sizeof expected, nullptr);
    SetLastError(ERROR_FILE_NOT_FOUND);
#else
    errno = ENOENT;
    const char* expected = std::strerror(ENOENT);
    errno = ENOENT;
#endif
    EXPECT_EQ(0x2FFFFFFFu, SetError(record, 0x0FFFFFFF));
    EXPECT_STRNE("", record.text);
    EXPECT_STREQ(expected, record.text);
}

TEST(ErrorRecord, LongArgumentsAreCutToTheBuffer)
{
    ErrorRecord record;
    const std::string longPath(5000, 'p');
    EXPECT_EQ(0x20000006u, SetError(record, 6, longPath.c_str()));
    EXPECT_EQ(ErrorRecord::kTextSize - 1, std::strlen(record.text));
}
