#include "cli/ShiftJisText.h"

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
