#include "core/text/KvText.h"

#include <gtest/gtest.h>

// Lead bytes are 81-9F and E0-EF: each makes one character with the byte
// after it, even at the end of the text.
TEST(KvText, CharCountTakesLeadAndTrailAsOne)
{
    const struct {
        const char* text;
        int count;
    } cases[] = {
        {"\x80" "A", 2}, {"\x81" "A", 1}, {"\x9F" "A", 1}, {"\xA0" "A", 2}, {"\xDF" "A", 2},
        {"\xE0" "A", 1}, {"\xEF" "A", 1}, {"\xF0" "A", 2}, {"A\x82\xA0" "B", 3}, {"A\x82", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.count, KvText(c.text).CharCount()) << c.text;
}

TEST(KvText, ReplaceAllSkipsTrailBytesAndRestartsFromTheStart)
{
    const struct {
        const char* text;
        const char* from;
        const char* to;
        int result;
        const char* after;
    } cases[] = {
        {"\\tdb\\t%d", "\\t", "\t", 6, "\tdb\t%d"},
        {"abc", "\\t", "\t", -1, "abc"},
        {"abc", "", "x", -1, "abc"},
        // 表 is 95 5C: its trail byte followed by "t" is not a backslash-t pair.
        {"\x95\x5Ct\\t", "\\t", "\t", 3, "\x95\x5Ct\t"},
        {"\x95\x5Ct", "\\t", "\t", -1, "\x95\x5Ct"},
        // Each pass searches from the start again: a join into a new occurrence is replaced too.
        {"aab", "ab", "b", 1, "b"},
        {"xax", "a", "aa", 4, "xaax"},  // a replacement holding the searched text is replaced once
        // A searched text ending in a lead byte takes the byte after the match with it.
        {"\x82\x82\x82", "\x82", "\x82" "a", 3, "\x82" "a\x82\x82" "a"},
    };
    for (const auto& c : cases) {
        KvText text(c.text);
        EXPECT_EQ(c.result, text.ReplaceAll(c.from, c.to)) << c.text;
        EXPECT_STREQ(c.after, text.CStr());
    }
}
