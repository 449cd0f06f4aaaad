// Row texts, sort keys, the MIDI extension test and bounded field copies.
#include "browser/ItemTexts.h"
#include "browser/PathUtilities.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ItemTexts, SizeTextRoundsUpToWholeKilobytesOfTheFull64BitSize)
{
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1, "1 KB"},
        {1024, "1 KB"},
        {1025, "2 KB"},
        {1048576, "1,024 KB"},
        {4294967295u, "4,194,304 KB"},
        {5ull << 30, "5,242,880 KB"},
        {(4ull << 30) + 512, "4,194,305 KB"},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
}

TEST(ItemTexts, TimeTextPadsAllButTheHour)
{
    EXPECT_EQ(TimeText(2006, 3, 5, 9, 7), "2006/03/05 9:07");
    EXPECT_EQ(TimeText(1999, 12, 31, 23, 59), "1999/12/31 23:59");
    EXPECT_EQ(TimeText(30827, 12, 31, 23, 59).size(), 17u);
}

TEST(ItemTexts, KindsSortNoFindDataThenDirectoriesThenFiles)
{
    EXPECT_EQ(KindOfAttributes(0), kKindNoFindData);
    EXPECT_EQ(KindOfAttributes(0x10), kKindDirectory);
    EXPECT_EQ(KindOfAttributes(0x12), kKindDirectory);
    EXPECT_EQ(KindOfAttributes(0x20), kKindOther);
    EXPECT_EQ(CompareKinds(kKindNoFindData, kKindDirectory), -1);
    EXPECT_EQ(CompareKinds(kKindOther, kKindDirectory), 1);
    EXPECT_EQ(CompareKinds(kKindOther, kKindOther), 0);
}

TEST(ItemTexts, MidiExtensionMatchesExactlyOrIgnoringCase)
{
    const struct {
        const char* extension;
        bool exact, anyCase;
    } cases[] = {
        {"mid", true, true},  {"MID", false, true}, {"Mid", false, true},
        {"midi", false, false}, {"mi", false, false}, {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMidiExtension(c.extension, false), c.exact) << c.extension;
        EXPECT_EQ(IsMidiExtension(c.extension, true), c.anyCase) << c.extension;
    }
}

TEST(ItemTexts, CopyToFieldStopsBeforeTheEndAndNeverSplitsACharacter)
{
    const struct {
        const char* text;
        size_t capacity;
        const char* expected;
    } cases[] = {
        {"abc", 8, "abc"},
        {"abcdefgh", 4, "abc"},
        {"ab\x95\x5C", 4, "ab"},     // the double-byte 表 would need bytes 2 and 3
        {"a\x95\x5C", 4, "a\x95\x5C"},
        {"ab\x95", 8, "ab"},          // a lead byte without its trail byte
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

}  // namespace
