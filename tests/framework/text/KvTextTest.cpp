#include "framework/text/KvText.h"

#include <gtest/gtest.h>

TEST(KvText, LeadBytesAre81To9FAndE0ToEF)
{
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
        EXPECT_EQ(lead, KvText::IsLeadByte(static_cast<unsigned char>(b)) != 0) << b;
    }
}

TEST(KvText, CharCountTakesLeadAndTrailAsOne)
{
    EXPECT_EQ(3, KvText("A\x82\xA0" "B").CharCount());
    EXPECT_EQ(2, KvText("A\x82").CharCount());  // a lone lead byte at the end
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
    };
    for (const auto& c : cases) {
        KvText text(c.text);
        EXPECT_EQ(c.result, text.ReplaceAll(c.from, c.to)) << c.text;
        EXPECT_STREQ(c.after, text.CStr());
    }
}
