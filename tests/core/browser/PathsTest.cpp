// Path parts and bounded field copies; the folders shown, back and forward,
// and the parent of an item id list.
#include "core/browser/IdListBytes.h"
#include "core/browser/ItemTexts.h"
#include "core/browser/NavigationHistory.h"
#include "core/browser/PathUtilities.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

TEST(NavigationHistory, StepsBackAndForwardAndAVisitDropsWhatLiesAhead)
{
    NavigationHistory h;
    EXPECT_EQ(nullptr, h.Current());
    EXPECT_FALSE(h.CanGoBack());
    for (const char* place : {"a", "b", "b", "c"}) h.Visit(place);  // the same place twice is one step
    EXPECT_EQ("b", *h.Back());
    EXPECT_EQ("a", *h.Back());
    EXPECT_EQ(nullptr, h.Back());
    EXPECT_EQ("b", *h.Forward());
    h.Visit("b");  // the current place again keeps what lies ahead
    EXPECT_TRUE(h.CanGoForward());
    h.Visit("d");
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ("b", *h.Back());
}

TEST(NavigationHistory, KeepsTheNewestPlacesUpToItsLimit)
{
    NavigationHistory h;
    const size_t visits = NavigationHistory::kMaxPlaces + 10;
    for (size_t i = 0; i < visits; ++i) h.Visit(std::to_string(i));
    size_t steps = 0;
    const std::string* place = h.Current();
    for (const std::string* back; (back = h.Back()) != nullptr; ++steps) place = back;
    EXPECT_EQ(NavigationHistory::kMaxPlaces - 1, steps);
    EXPECT_EQ(std::to_string(visits - NavigationHistory::kMaxPlaces), *place);
}

TEST(IdListBytes, ParentDropsTheLastItemAndNeverReadsPastTheBytes)
{
    using namespace std::string_literals;
    const struct {
        std::string list, parent;
    } cases[] = {
        {"\x04\0AB\x03\0C\0\0"s, "\x04\0AB\0\0"s},  // two items: the first stays
        {"\x04\0AB\0\0"s, "\0\0"s},                 // one item: the desktop's empty list
        {"\0\0"s, ""s},                             // the desktop: no parent
        {"\x04\0AB\x09\0C\0\0"s, "\0\0"s},          // a size past the end ends the walk
        {"\x04\0AB\x01\0"s, "\0\0"s},               // a size below 2 too
        {"\x05"s, ""s},
    };
    for (const auto& c : cases) EXPECT_EQ(c.parent, ParentIdList(c.list)) << c.list.size();
}
