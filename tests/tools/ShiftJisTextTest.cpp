#include "tools/ShiftJisText.h"

#include <gtest/gtest.h>

TEST(ShiftJisText, DecodesToUtf8AndReplacesWhatIsNoCharacter)
{
    const struct {
        std::string sjis, utf8;
    } cases[] = {
        {"\x95\x5C", u8"表"},  {"\xC3\xDE", u8"ﾃﾞ"},  {"ab\x82", u8"ab\uFFFD"},  {"\x82" "A", u8"\uFFFDA"},
        {"\x80x\xFD\xFF", u8"\uFFFDx\uFFFD\uFFFD"},  {"\x85\x80z", u8"\uFFFDz"},  {"\x85\x40z", u8"\uFFFD@z"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.utf8, ShiftJisText::ToUtf8(c.sjis)) << c.utf8;
}

// Messages go out in the locale's charset; a quoted file name stays as given.
TEST(ShiftJisText, KeepsUnconvertibleBytesAndTheQuotedNameAsTheyAre)
{
    const ShiftJisText toUtf8("UTF-8");
    ASSERT_TRUE(toUtf8.ready());
    const std::string name = u8"曲/歌.mid";  // read as Shift-JIS it would be garbled
    const std::string message = "\x83t\x83@\x83" "C\x83\x8B " + name + " \x82\xF0\x8AJ\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x80";
    EXPECT_EQ(u8"ファイル " + name + u8" を開けません\x80", toUtf8.convert(message, ShiftJisText::Invalid::KeepBytes, name));
    EXPECT_EQ(u8"ファイル \uFFFD", toUtf8.convert("\x83t\x83@\x83" "C\x83\x8B \x80", ShiftJisText::Invalid::Replace));
    const ShiftJisText unknown("NO-SUCH-CHARSET");
    EXPECT_FALSE(unknown.ready());
    EXPECT_EQ("a\x82\xA0", unknown.convert("a\x82\xA0", ShiftJisText::Invalid::KeepBytes));
}
