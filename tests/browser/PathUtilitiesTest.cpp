#include "browser/PathUtilities.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(PathUtilities, ExtensionIsAfterTheNamesLastDot)
{
    EXPECT_EQ("mid", ExtensionOf("C:\\MIDI\\song.mid"));
    EXPECT_EQ("", ExtensionOf("C:\\MIDI.OLD\\readme"));
    EXPECT_EQ("mid", ExtensionOf("a.tar.mid"));
    EXPECT_EQ("MID", ExtensionOf("SONG.MID"));
    EXPECT_EQ("", ExtensionOf(""));
    EXPECT_EQ("", ExtensionOf("song."));
    EXPECT_EQ("midi", ExtensionOf("/home/u/song.midi"));
    EXPECT_EQ("bashrc", ExtensionOf(".bashrc"));
    // 表 ends in the byte 0x5C: it is no separator, the dot before it counts.
    EXPECT_EQ("\x95\x5C", ExtensionOf("C:\\a.\x95\x5C"));
}

TEST(PathUtilities, DirectoryRunsToTheLastSeparatorNotATrailByte)
{
    EXPECT_EQ("C:\\MIDI\\", DirectoryOf("C:\\MIDI\\song.mid"));
    EXPECT_EQ("", DirectoryOf("song.mid"));
    EXPECT_EQ("C:", DirectoryOf("C:song.mid"));
    EXPECT_EQ("/usr/share/", DirectoryOf("/usr/share/x.mid"));
    EXPECT_EQ("C:\\\x95\x5C\\", DirectoryOf("C:\\\x95\x5C\\x.mid"));
    EXPECT_EQ("C:\\\x95\x5C" "a\\", DirectoryOf("C:\\\x95\x5C" "a\\x.mid"));
    EXPECT_EQ("song", PathParts("C:\\MIDI\\song.mid", kPathFileName));
    EXPECT_EQ("song.mid", PathParts("C:\\MIDI\\song.mid", kPathFileName | kPathExtension));
    EXPECT_EQ("C:\\MIDI\\.mid", PathParts("C:\\MIDI\\song.mid", kPathDirectory | kPathExtension));
    EXPECT_EQ("", PathParts("", 7));
}

TEST(PathUtilities, GroupThousandsPutsACommaEveryThreeDigits)
{
    EXPECT_EQ("0", GroupThousands(0));
    EXPECT_EQ("999", GroupThousands(999));
    EXPECT_EQ("1,000", GroupThousands(1000));
    EXPECT_EQ("12,345", GroupThousands(12345));
    EXPECT_EQ("123,456", GroupThousands(123456));
    EXPECT_EQ("1,234,567", GroupThousands(1234567));
    EXPECT_EQ("4,294,967,296", GroupThousands(4294967296ull));
}

TEST(PathUtilities, CurrentDirectoryIsTheProcesssFolder)
{
    const std::string here = CurrentDirectory();
    ASSERT_FALSE(here.empty());
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(here), std::filesystem::current_path()));
}
