#include "core/errors/ErrorRecord.h"
#include "core/midi/MappedFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

TEST(MappedFile, ReadsStopAtTheEndAndOpenStatesAreReported)
{
    TempFile file(Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    MappedFile f;
    uint8_t b[16] = {};
    uint32_t n = 7;
    EXPECT_EQ(kErrorNotOpen, f.read(b, 4, n));
    EXPECT_EQ(0u, n);
    const std::string missing = file.path() + ".missing";
    EXPECT_EQ(kErrorCannotOpen, f.open(missing));
    EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, missing.c_str()));
    EXPECT_EQ(kErrorCannotOpen, f.open(std::filesystem::path(file.path()).parent_path().string()));
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(kErrorAlreadyOpen, f.open(file.path()));
    EXPECT_EQ(0u, f.read(b, sizeof b, n));
    EXPECT_EQ(10u, n);
    EXPECT_EQ(0, std::memcmp(b, "0123456789", 10));
    EXPECT_EQ(0u, f.read(b, sizeof b, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(0u, f.close());
    EXPECT_EQ(kErrorNotOpen, f.close());
    // "表示.mid" in Shift-JIS (a 0x5C trail byte), and empty.
    TempFile japanese(Bytes{}, "\x95\x5C\x8E\xA6.mid");
    EXPECT_EQ(0u, f.open(japanese.path()));
}
