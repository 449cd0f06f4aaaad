#include "app/errors/ErrorRecord.h"
#include "midi/MappedFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#ifdef _WIN32
#include <windows.h>
#endif

TEST(MappedFile, ShortReadsAreNotErrorsAndStopAtTheEnd)
{
    TempFile file(Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    MappedFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(10u, f.fileSize());
    char buffer[16] = {};
    uint32_t n = 99;
    EXPECT_EQ(0u, f.read(buffer, sizeof buffer, n));
    EXPECT_EQ(10u, n);
    EXPECT_EQ(0, std::memcmp(buffer, "0123456789", 10));
    EXPECT_EQ(0u, f.read(buffer, sizeof buffer, n));
    EXPECT_EQ(0u, n);
}

TEST(MappedFile, SecondOpenReportsAlreadyOpenAndCloseAllowsAnother)
{
    TempFile file(Bytes{1, 2, 3});
    MappedFile f;
    EXPECT_FALSE(f.isOpen());

    const std::string missing = file.path() + ".missing";
    EXPECT_EQ(kErrorCannotOpen, f.open(missing));
    EXPECT_EQ(kErrorCannotOpen, GetErrorRecord().code);
    EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, missing.c_str()));
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ("", f.fileName());

    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_TRUE(f.isOpen());
    EXPECT_EQ(file.path(), f.fileName());

    // Opening again reports "already open" and leaves the file open.
    EXPECT_EQ(kErrorAlreadyOpen, f.open(file.path()));
    EXPECT_EQ(kErrorAlreadyOpen, GetErrorRecord().code);
    EXPECT_TRUE(f.isOpen());
    uint8_t b[3];
    uint32_t n = 0;
    EXPECT_EQ(0u, f.read(b, 3, n));
    EXPECT_EQ(3u, n);

    EXPECT_EQ(0u, f.close());
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(nullptr, f.data());

    // A closed object can be opened again and reads from the start.
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(0u, f.read(b, 3, n));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(1, b[0]);
}

TEST(MappedFile, CloseAndReadWhenClosedReturnNotOpenWithoutRecordingIt)
{
    MappedFile f;
    SetError(GetErrorRecord(), 6, "marker");
    uint8_t b[4];
    uint32_t n = 7;
    EXPECT_EQ(kErrorNotOpen, f.close());
    EXPECT_EQ(kErrorNotOpen, f.read(b, 4, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(kErrorCannotOpen, GetErrorRecord().code);
}

TEST(DiskFile, ReadsThroughTheFileHandleAndReportsWhenClosed)
{
    TempFile file(Bytes{'a', 'b', 'c', 'd'});
    DiskFile f;
    uint8_t b[8] = {};
    uint32_t n = 0;
    EXPECT_EQ(kErrorNotOpen, f.read(b, 8, n));
    EXPECT_EQ(kErrorNotOpen, GetErrorRecord().code);
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(0u, f.read(b, 8, n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ('d', b[3]);
    EXPECT_EQ(0u, f.close());
    EXPECT_EQ(0u, f.close());  // closing twice still says 0
}

TEST(MappedFile, EmptyFileOpensAsAnEmptyViewAndAFolderNotAtAll)
{
    TempFile file(Bytes{});
    MappedFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(nullptr, f.data());
    uint8_t b[4];
    uint32_t n = 1;
    EXPECT_EQ(0u, f.read(b, 4, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(0u, f.close());

    const std::string folder = std::filesystem::path(file.path()).parent_path().string();
    EXPECT_EQ(kErrorCannotOpen, f.open(folder));
    EXPECT_FALSE(f.isOpen());
}

TEST(MappedFile, JapaneseFileNameWithA5CTrailByteOpens)
{
    // "表示.mid" in Shift-JIS: the first character's trail byte is 0x5C.
    TempFile file(Bytes{5, 6}, "\x95\x5C\x8E\xA6.mid");
    MappedFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(2u, f.fileSize());
}

#ifdef _WIN32
TEST(MappedFile, FileHeldForWritingCannotBeOpened)
{
    TempFile file(Bytes{1, 2, 3});
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        HANDLE writer = CreateFileA(file.path().c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, writer);
        MappedFile f;
        EXPECT_EQ(kErrorCannotOpen, f.open(file.path())) << "share mode " << share;
        CloseHandle(writer);
    }
}

TEST(MappedFile, OpenFileKeepsOtherWritersOut)
{
    TempFile file(Bytes{1, 2, 3});
    MappedFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    HANDLE writer = CreateFileA(file.path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    HANDLE reader = CreateFileA(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, reader);
    CloseHandle(reader);
}
#endif
