#include "tools/ShiftJisText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* what;
    std::string sjis;
    std::string utf8;
};

}  // namespace

TEST(ShiftJisText, DecodesToUtf8AndReplacesWhatIsNoCharacter)
{
    const Case cases[] = {
        {"ascii", "Tune (C)", "Tune (C)"},
        {"double-byte", "\x82\xA9\x82\xA6\x82\xE9", u8"かえる"},
        {"trail byte 0x5C", "\x95\x5C", u8"表"},
        {"half-width katakana", "\xC3\xDE\xB0\xC0", u8"ﾃﾞｰﾀ"},
        {"lead byte at the end", "ab\x82", u8"ab\uFFFD"},
        {"lead byte before ascii keeps the ascii", "\x82" "A", u8"\uFFFDA"},
        {"bytes that begin nothing", "\x80x\xFD\xFF", u8"\uFFFDx\uFFFD\uFFFD"},
        {"lead and trail of no character", "\x85\x80z", u8"\uFFFDz"},
        {"lead and ascii of no character", "\x85\x40z", u8"\uFFFD@z"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.utf8, ShiftJisText::ToUtf8(c.sjis)) << c.what;
}

TEST(ShiftJisText, KeepsUnconvertibleBytesAndTheQuotedNameAsTheyAre)
{
    const ShiftJisText toUtf8("UTF-8");
    ASSERT_TRUE(toUtf8.ready());
    // A message quoting a UTF-8 file name: the name would be garbled if it
    // were read as Shift-JIS.
    const std::string name = u8"曲/歌.mid";
    const std::string message = "\x83t\x83@\x83" "C\x83\x8B " + name + " \x82\xF0\x8AJ\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x80";
    EXPECT_EQ(u8"ファイル " + name + u8" を開けません\x80", toUtf8.convert(message, ShiftJisText::Invalid::KeepBytes, name));
    EXPECT_EQ(u8"ファイル \uFFFD", toUtf8.convert("\x83t\x83@\x83" "C\x83\x8B \x80", ShiftJisText::Invalid::Replace));

    const ShiftJisText unknown("NO-SUCH-CHARSET");
    EXPECT_FALSE(unknown.ready());
    EXPECT_EQ("a\x82\xA0", unknown.convert("a\x82\xA0", ShiftJisText::Invalid::KeepBytes));
}
