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
        {0, "0 KB"},          {1, "1 KB"},          {1024, "1 KB"},
        {4294967295u, "4,194,304 KB"},  {(4ull << 30) + 512, "4,194,305 KB"},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
}

TEST(ItemTexts, MidiExtensionMatchesExactlyOrIgnoringCase)
{
    const struct {
        const char* extension;
        bool exact, anyCase;
    } cases[] = {
        {"mid", true, true}, {"MID", false, true}, {"midi", false, false}, {"", false, false},
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
