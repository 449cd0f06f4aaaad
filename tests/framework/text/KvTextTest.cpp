#include "framework/text/KvText.h"

#include <gtest/gtest.h>

TEST(KvText, LeadBytesAre81To9FAndE0ToEF)
{
    int leads = 0;
    for (int b = 0; b < 256; ++b) leads += KvText::IsLeadByte(static_cast<unsigned char>(b));
    EXPECT_EQ(31 + 16, leads);
    EXPECT_EQ(1, KvText::IsLeadByte(0x81));
    EXPECT_EQ(1, KvText::IsLeadByte(0x9F));
    EXPECT_EQ(0, KvText::IsLeadByte(0xA0));
    EXPECT_EQ(1, KvText::IsLeadByte(0xE0));
    EXPECT_EQ(1, KvText::IsLeadByte(0xEF));
    EXPECT_EQ(0, KvText::IsLeadByte(0xF0));
    EXPECT_EQ(0, KvText::IsLeadByte(0x80));
}

TEST(KvText, CharCountTakesLeadAndTrailAsOne)
{
    EXPECT_EQ(3, KvText("A\x82\xA0" "B").CharCount());
    EXPECT_EQ(2, KvText("A\x82").CharCount());  // a lone lead byte at the end
    EXPECT_EQ(0, KvText("").CharCount());
    EXPECT_EQ(3, KvText("\xF0\xFC\xA1").CharCount());  // single-byte characters
    EXPECT_EQ(6, KvText("ﾃﾞｰﾀ表示").CharCount());
}

TEST(KvText, ReplaceAllSkipsTrailBytesAndRestartsFromTheStart)
{
    KvText t("\\tdb\\t%d");
    EXPECT_EQ(6, t.ReplaceAll("\\t", "\t"));
    EXPECT_STREQ("\tdb\t%d", t.CStr());

    KvText none("abc");
    EXPECT_EQ(-1, none.ReplaceAll("\\t", "\t"));
    EXPECT_STREQ("abc", none.CStr());
    EXPECT_EQ(-1, none.ReplaceAll("", "x"));

    // 表 is 95 5C: its trail byte followed by "t" is not a backslash-t pair.
    KvText kanji("\x95\x5Ct\\t");
    EXPECT_EQ(3, kanji.ReplaceAll("\\t", "\t"));
    EXPECT_STREQ("\x95\x5Ct\t", kanji.CStr());
    KvText onlyKanji("\x95\x5Ct");
    EXPECT_EQ(-1, onlyKanji.ReplaceAll("\\t", "\t"));

    // Each pass searches from the start again, so a replacement that joins
    // the text before it into a new occurrence is replaced too.
    KvText joined("aab");
    EXPECT_EQ(1, joined.ReplaceAll("ab", "b"));
    EXPECT_STREQ("b", joined.CStr());

    // A replacement containing the searched text is replaced once.
    KvText growing("xax");
    EXPECT_EQ(4, growing.ReplaceAll("a", "aa"));
    EXPECT_STREQ("xaax", growing.CStr());
}
