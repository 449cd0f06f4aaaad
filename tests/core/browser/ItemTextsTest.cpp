// Path parts and bounded field copies.
#include "core/browser/ItemTexts.h"
#include "core/browser/PathUtilities.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ItemTexts, CopyToFieldStopsBeforeTheEndAndNeverSplitsACharacter)
{
    const struct {
        const char* text;
        size_t capacity;
        const char* expected;
    } cases[] = {
        {"abcdefgh", 4, "abc"}, {"ab\x95\x5C", 4, "ab"}, {"a\x95\x5C", 4, "a\x95\x5C"}, {"ab\x95", 8, "ab"},
        {nullptr, 4, ""},
    };
    for (const auto& c : cases) {
        char field[16];
        std::memset(field, 'x', sizeof field);
        CopyToField(field, c.capacity, c.text);
        EXPECT_STREQ(field, c.expected);
        EXPECT_EQ(field[c.capacity], 'x') << "nothing written past the field";
    }
}

// 表 ends in the byte 0x5C: it is no separator.
TEST(PathUtilities, PartsSplitAtTheLastSeparatorAndTheNamesLastDot)
{
    const struct {
        const char* path;
        const char* directory;
        const char* extension;
    } cases[] = {
        {"C:\\MIDI\\song.mid", "C:\\MIDI\\", "mid"},   {"C:\\MIDI.OLD\\readme", "C:\\MIDI.OLD\\", ""},
        {"a.tar.MID", "", "MID"},                      {"C:song.", "C:", ""},
        {"/home/u/.bashrc", "/home/u/", "bashrc"},     {"C:\\a.\x95\x5C", "C:\\", "\x95\x5C"},
        {"C:\\\x95\x5C" "a\\x.mid", "C:\\\x95\x5C" "a\\", "mid"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.directory, DirectoryOf(c.path)) << c.path;
        EXPECT_EQ(c.extension, ExtensionOf(c.path)) << c.path;
    }
    EXPECT_EQ("song.mid", PathParts("C:\\MIDI\\song.mid", kPathFileName | kPathExtension));
    EXPECT_EQ("C:\\MIDI\\.mid", PathParts("C:\\MIDI\\song.mid", kPathDirectory | kPathExtension));
}

// ソ and 表 end in 0x5C, the character 0x8B 0x7C in "|": parts of characters, not separators or bars.
TEST(PathUtilities, AnItemNameHoldsNoSeparatorWildcardOrControlCharacter)
{
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"song.mid", true},    {"\x83\x5C\x95\x5C.mid", true}, {"\x8B\x7C", true}, {"a b (1)", true},
        {"", false},           {"a?b", false},                {"a\\b", false},  {"a/b", false},
        {"a:b", false},        {"*", false},                  {"\"q\"", false}, {"<a>", false},
        {"a|b", false},        {"tab\t", false},             {"\x83", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.valid, IsValidItemName(c.name)) << c.name;
}
