#include "encode/LineFormatter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* format;
    std::vector<int32_t> args;
    std::string expected;
};

// Formats with wsprintfA's capacity; checks the terminator and that the
// returned length is the text's length.
std::string Fmt(const char* format, const std::vector<int32_t>& args, size_t capacity = 1024)
{
    std::vector<char> out(capacity + 16, '~');
    const size_t n = LineFormatter::Format(out.data(), capacity, format, args.data(), args.size());
    EXPECT_LT(n, capacity) << format;
    EXPECT_EQ(out[n], '\0') << format;
    for (size_t i = capacity; i < out.size(); ++i) EXPECT_EQ(out[i], '~') << "written past capacity: " << format;
    return std::string(out.data(), n);
}

void ExpectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) EXPECT_EQ(Fmt(c.format, c.args), c.expected) << "format \"" << c.format << '"';
}

// Outputs measured from wsprintfA under Wine 8 (code page 932).
TEST(LineFormatter, FlagsWidthAndPrecisionFollowWsprintfA)
{
    ExpectAll({
        {"%d", {42}, "42"},          {"%d", {-42}, "-42"},       {"%i", {-7}, "-7"},
        {"%u", {-1}, "4294967295"},  {"%x", {255}, "ff"},         {"%X", {255}, "FF"},
        {"%d", {INT32_MIN}, "-2147483648"},
        {"%#x", {255}, "0xff"},      {"%#X", {255}, "0XFF"},      {"%#x", {0}, "0x0"},
        {"%5d", {42}, "   42"},      {"%-5d", {42}, "42   "},     {"%05d", {42}, "00042"},
        {"%05d", {-42}, "-0042"},    {"%-05d", {42}, "42   "},
        // The precision counts the minus sign.
        {"%.3d", {7}, "007"},        {"%.3d", {-7}, "-07"},       {"%5.3d", {7}, "  007"},
        {"%-5.3d", {7}, "007  "},    {"%.0d", {0}, "0"},          {"%.d", {0}, "0"},
        // "0" pads to the width even with a precision.
        {"%08.3d", {7}, "00000007"},
        {"%.5x", {0xab}, "000ab"},   {"%#.5x", {0xab}, "0x000ab"},
        // The width does not include the 0x prefix.
        {"%#08x", {0xab}, "0x000000ab"}, {"%-#6x", {10}, "0xa     "}, {"%#5x", {0}, "    0x0"},
        {"%08X", {static_cast<int32_t>(0xdeadbeef)}, "DEADBEEF"},
        // Width and precision are 32-bit numbers that wrap: 4294967297 is 1.
        {"[%4294967297d]", {5}, "[5]"}, {"[%.4294967297d]", {5}, "[5]"},
    });
}

TEST(LineFormatter, LengthModifiersKeepThe32BitValue)
{
    ExpectAll({
        {"%ld", {-123456789}, "-123456789"}, {"%lu", {-1}, "4294967295"}, {"%lx", {-2}, "fffffffe"},
        {"%li", {5}, "5"},
        // "h" does not cut the value to 16 bits.
        {"%hd", {70000}, "70000"},   {"%hd", {40000}, "40000"},   {"%hd", {-70000}, "-70000"},
        {"%hu", {70000}, "70000"},   {"%hu", {-1}, "4294967295"}, {"%hx", {0x12345}, "12345"},
        {"%I32d", {-5}, "-5"},
        // "ll" is not a modifier: the second "l" is an unknown conversion.
        {"%lld", {5}, "ld"},         {"[%I6d]", {5}, "[6d]"},
    });
}

// The slot's value is sign-extended for 64-bit conversions.
TEST(LineFormatter, SixtyFourBitConversionsSignExtendTheSlot)
{
    ExpectAll({
        {"%I64d", {-5}, "-5"},       {"%I64u", {-1}, "18446744073709551615"},
        {"%I64x", {-1}, "ffffffffffffffff"}, {"%I64X", {0x12ab}, "12AB"},
        {"%Id", {-5}, "-5"},         {"%Iu", {-1}, "18446744073709551615"},
        {"%Ix", {0x123}, "123"},
        {"%p", {0xabcdef}, "0000000000ABCDEF"}, {"%p", {-1}, "FFFFFFFFFFFFFFFF"},
        // %p always has width 16; "-" turns the zeros into trailing spaces.
        {"[%20p]", {0xab}, "[00000000000000AB]"}, {"[%-p]", {0xab}, "[AB              ]"},
        {"[%.20p]", {0xab}, "[000000000000000000AB]"},
    });
}

TEST(LineFormatter, CharactersPrintTheirLowByte)
{
    ExpectAll({
        {"%c", {'A'}, "A"},          {"%5c", {'A'}, "    A"},     {"%-3c", {'A'}, "A  "},
        {"[%05c]", {'A'}, "[    A]"}, {"[%#5c]", {'A'}, "[    A]"}, {"[%.3c]", {'A'}, "[A]"},
        {"%c", {0x82A0}, "\xA0"},    {"%hc", {0x141}, "A"},       {"%hC", {0x1A3}, "\xA3"},
        // In the ANSI function "%wc" is a byte character like %c.
        {"%wc", {0x65E5}, "\xE5"},
        // Wide characters are 16 bits: 0x10041 is 'A'.
        {"%lc", {0x10041}, "A"},     {"%C", {'A'}, "A"},          {"%lc", {0x7F}, "\x7F"},
    });
}

TEST(LineFormatter, PercentAndUnknownConversionsPrintAsText)
{
    ExpectAll({
        {"100%%", {}, "100%"},       {"%q", {}, "q"},             {"%f", {}, "f"},
        {"%e", {}, "e"},             {"%o", {8}, "o"},            {"%n", {}, "n"},
        {"%+d", {5}, "+d"},          {"% d", {5}, " d"},          {"%*d", {5}, "*d"},
        {"%0-6d", {5}, "-6d"},       {"%", {}, ""},               {"abc%", {}, "abc"},
        {"%5%", {}, "     "},        {"%-5%", {}, ""},            {"%5q", {}, "     q"},
        // The precision written still counts against the width.
        {"[%5.2q]", {}, "[   q]"},   {"[%5.7q]", {}, "[q]"},
        // After "%5%" the second "%" starts a conversion of its own.
        {"%5%d", {7}, "     7"},
        // An unknown conversion takes no argument.
        {"%q|%d", {5, 6}, "q|5"},    {"%5q%d", {9}, "     q9"},
    });
}

// "#" only prefixes hexadecimal numbers; on a decimal it changes nothing
// (Wine's wsprintfA would cut the line after the number instead).
TEST(LineFormatter, HashOnADecimalConversionIsIgnored)
{
    ExpectAll({
        {"[%#d]x", {42}, "[42]x"},       {"[%#05d]x", {42}, "[00042]x"}, {"[%#05d]x", {-42}, "[-0042]x"},
        {"[%#u]x", {7}, "[7]x"},         {"[%#.5d]x", {7}, "[00007]x"},  {"[%#5d]", {42}, "[   42]"},
        {"[%-#5d]x", {42}, "[42   ]x"},
    });
}

TEST(LineFormatter, EncoderDefaultFormatsGiveTheirDbLines)
{
    EXPECT_EQ(Fmt("\tdb\t%02d,$%02X\t\t;%02d %03d %05d %03d", {60, 0xAC, 0, 60, 480, 100}),
              "\tdb\t60,$AC\t\t;00 060 00480 100");
    EXPECT_EQ(Fmt("\tdb\t%02d,$%02X,$%02X,$%02X\t;%02d %03d %05d %03d",
                  {5, 0x3C, 0x0F, 0x1E0, 1, 72, 1920, 127}),
              "\tdb\t05,$3C,$0F,$1E0\t;01 072 01920 127");
}

TEST(LineFormatter, ConversionsBeyondTheArgumentsTakeZero)
{
    // The third value sits right after the two given: it must not be read.
    const int32_t args[] = {1, 2, 99};
    char out[64];
    const size_t n = LineFormatter::Format(out, sizeof out, "%d %d %d %x %c|", args, 2);
    EXPECT_EQ(std::string(out, n), "1 2 0 0 |");
    EXPECT_EQ(Fmt("%d,%u", {}), "0,0");
    EXPECT_EQ(LineFormatter::Format(out, sizeof out, "[%d]", nullptr, 0), 3u);
    EXPECT_STREQ(out, "[0]");
}

TEST(LineFormatter, StringsPrintNothingButTakeTheirArgument)
{
    ExpectAll({
        {"[%s|%d]", {111, 7}, "[|7]"},   {"[%S|%d]", {111, 7}, "[|7]"},
        {"[%ls|%hs|%ws|%d]", {1, 2, 3, 4}, "[|||4]"},
        // Laid out as an empty string.
        {"[%5s|%-3S]", {1, 2}, "[     |   ]"},
    });
}

TEST(LineFormatter, ZeroAndUnconvertibleCharactersPrintNothing)
{
    ExpectAll({
        {"[%c]", {0}, "[]"},             {"[%c]", {0x100}, "[]"},     {"[%hC]", {0}, "[]"},
        {"[%lc]", {0}, "[]"},            {"[%C]", {0x10000}, "[]"},
        {"[%lc]", {0x80}, "[]"},         {"[%lc]", {0x65E5}, "[]"},
        // The field keeps its width.
        {"[%3c|%-2lc]", {0, 0x100}, "[   |  ]"},
    });
}

TEST(LineFormatter, OutputIsCutToTheCapacity)
{
    const std::string long300(300, 'a');
    const std::string cut = Fmt(long300.c_str(), {}, LineFormatter::kLineCapacity);
    EXPECT_EQ(cut, std::string(255, 'a'));
    EXPECT_EQ(Fmt("%d%d%d", {123, 456, 789}, 6), "12345");
    EXPECT_EQ(Fmt("%d", {42}, 1), "");

    char guard = '~';
    EXPECT_EQ(LineFormatter::Format(&guard, 0, "abc", nullptr, 0), 0u);
    EXPECT_EQ(guard, '~');

    // wsprintfA's capacity: a 1500-byte result keeps 1023 bytes.
    std::string fmt(1490, 'b');
    fmt += "%010d";
    const std::string out = Fmt(fmt.c_str(), {7});
    EXPECT_EQ(out.size(), 1023u);
    EXPECT_EQ(out, std::string(1023, 'b'));
}

// Near the end, width, precision and digits are shortened to the room left
// before the padding is laid out (here 4 bytes after "abc").
TEST(LineFormatter, FieldsAtTheEndAreShortenedBeforeLayout)
{
    EXPECT_EQ(Fmt("abc%10d", {42}, 8), "abc  42");
    EXPECT_EQ(Fmt("abc%-10d|", {42}, 8), "abc42  ");
    EXPECT_EQ(Fmt("abc%.10d", {42}, 8), "abc0042");
    EXPECT_EQ(Fmt("abc%010d", {-42}, 8), "abc-042");
    EXPECT_EQ(Fmt("abc%d", {-123456}, 8), "abc-123");
    // The prefix still goes out in front of a shortened field and is cut.
    EXPECT_EQ(Fmt("abc%#08x", {0xab}, 8), "abc0x00");
    // Without room for "0x" after the padding the line ends at the digits.
    EXPECT_EQ(Fmt("abc%#5x|", {0xa}, 10), "abc    a");
    // Characters: the width is shortened, the character stays.
    EXPECT_EQ(Fmt("abc%10c", {'Z'}, 8), "abc   Z");
}

}  // namespace
