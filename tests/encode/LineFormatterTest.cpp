// The formatter against measured wsprintfA outputs, and the compiled formats
// against the formatter.
#include "encode/CompiledFormat.h"
#include "encode/LineFormatter.h"
#include "encode/NoteEncoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

// Formats into `capacity` bytes; checks the terminator, the returned length
// and that nothing is written past the capacity.
std::string Fmt(const char* format, const std::vector<int32_t>& args, size_t capacity = 1024)
{
    std::vector<char> out(capacity + 16, '~');
    const size_t n = LineFormatter::Format(out.data(), capacity, format, args.data(), args.size());
    EXPECT_LT(n, capacity) << format;
    EXPECT_EQ(out[n], '\0') << format;
    for (size_t i = capacity; i < out.size(); ++i) EXPECT_EQ(out[i], '~') << "written past capacity: " << format;
    return std::string(out.data(), n);
}

}  // namespace

// Outputs measured from wsprintfA under Wine 8 (code page 932); the Windows
// build compares thousands more with the platform itself.
TEST(LineFormatter, ConversionsFollowWsprintfA)
{
    const struct {
        const char* format;
        std::vector<int32_t> args;
        std::string expected;
    } cases[] = {
        {"%u", {-1}, "4294967295"},  {"%x", {255}, "ff"},         {"%d", {INT32_MIN}, "-2147483648"},
        {"%#x", {0}, "0x0"},         {"%-5d", {42}, "42   "},     {"%05d", {-42}, "-0042"},
        {"%-05d", {42}, "42   "},
        // The precision counts the minus sign; "0" pads to the width even with one.
        {"%.3d", {-7}, "-07"},       {"%-5.3d", {7}, "007  "},    {"%.0d", {0}, "0"},
        {"%08.3d", {7}, "00000007"},
        // The width does not include the 0x prefix.
        {"%#08x", {0xab}, "0x000000ab"}, {"%-#6x", {10}, "0xa     "}, {"%#.5x", {0xab}, "0x000ab"},
        // Width and precision are 32-bit numbers that wrap: 4294967297 is 1.
        {"[%4294967297d]", {5}, "[5]"}, {"[%.4294967297d]", {5}, "[5]"},
        // "h" keeps 32 bits; "ll" is not a modifier; 64-bit forms sign-extend.
        {"%hd", {70000}, "70000"},   {"%lld", {5}, "ld"},  {"[%I6d]", {5}, "[6d]"},
        {"%I64u", {-1}, "18446744073709551615"},
        {"%p", {-1}, "FFFFFFFFFFFFFFFF"}, {"[%-p]", {0xab}, "[AB              ]"},
        // Characters print their low byte; zero and unconvertible ones nothing.
        {"%5c", {'A'}, "    A"},     {"%c", {0x82A0}, "\xA0"},    {"%wc", {0x65E5}, "\xE5"},
        {"%lc", {0x10041}, "A"},     {"[%c]", {0}, "[]"},         {"[%3c|%-2lc]", {0, 0x100}, "[   |  ]"},
        // "%%", unknown conversions and their widths print as text.
        {"100%%", {}, "100%"},       {"%0-6d", {5}, "-6d"},       {"abc%", {}, "abc"},
        {"%-5%", {}, ""},            {"[%5.2q]", {}, "[   q]"},   {"%5%d", {7}, "     7"},
        {"%q|%d", {5, 6}, "q|5"},
        // "#" on a decimal is ignored (Wine's wsprintfA would cut the line).
        {"[%#05d]x", {-42}, "[-0042]x"},
        // Strings print nothing but take their argument.
        {"[%5s|%ls|%d]", {1, 2, 3}, "[     ||3]"},
        // Conversions beyond the arguments take zero.
        {"%d,%u,%c|", {}, "0,0,|"},
    };
    for (const auto& c : cases) EXPECT_EQ(Fmt(c.format, c.args), c.expected) << "format \"" << c.format << '"';
}

TEST(LineFormatter, OutputIsCutToTheCapacityAndFieldsShortenedBeforeLayout)
{
    EXPECT_EQ(Fmt(std::string(300, 'a').c_str(), {}, LineFormatter::kLineCapacity), std::string(255, 'a'));
    EXPECT_EQ(Fmt("%d%d%d", {123, 456, 789}, 6), "12345");
    char guard = '~';
    EXPECT_EQ(LineFormatter::Format(&guard, 0, "abc", nullptr, 0), 0u);
    EXPECT_EQ(guard, '~');
    // wsprintfA's capacity: a 1500-byte result keeps 1023 bytes.
    EXPECT_EQ(Fmt((std::string(1490, 'b') + "%010d").c_str(), {7}), std::string(1023, 'b'));
    // Near the end, width, precision and digits are shortened to the room
    // left (here 4 bytes after "abc") before the padding is laid out.
    EXPECT_EQ(Fmt("abc%10d", {42}, 8), "abc  42");
    EXPECT_EQ(Fmt("abc%010d", {-42}, 8), "abc-042");
    EXPECT_EQ(Fmt("abc%d", {-123456}, 8), "abc-123");
    EXPECT_EQ(Fmt("abc%#08x", {0xab}, 8), "abc0x00");
    EXPECT_EQ(Fmt("abc%#5x|", {0xa}, 10), "abc    a");  // no room for "0x" after the padding
    EXPECT_EQ(Fmt("abc%10c", {'Z'}, 8), "abc   Z");
}

TEST(CompiledFormat, TheDefaultsAndSimpleFormsAreCompiledTheRestLeftToTheFormatter)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    EXPECT_TRUE(CompiledFormat(encoder.format1()).compiled());
    EXPECT_TRUE(CompiledFormat(encoder.format2()).compiled());
    EXPECT_FALSE(CompiledFormat("%#x").compiled());
    // 244 bytes of text and at most 11 of number fill 255: compiled; one more
    // byte of text could be cut, and is not.
    EXPECT_TRUE(CompiledFormat(std::string(244, 'a') + "%d").compiled());
    EXPECT_FALSE(CompiledFormat(std::string(245, 'a') + "%d").compiled());
}

// Random formats of text, "%%" and conversions, either only of the compiled
// forms (the first half of each list) or of every kind the formatter knows.
TEST(CompiledFormat, GivesTheFormattersBytesForRandomFormatsAndArguments)
{
    static const std::vector<std::vector<std::string>> kParts = {
        {"", "-", "0", "-0", "", "#", "#0", "-#0", "0-", "0"},
        {"", "1", "2", "5", "8", "12", "", "3", "9", "40", "255", "99999"},
        {"", ".", ".3", ".7", ".12", ".0", "", ".200"},
        {"", "l", "h", "w", "", "I64", "I32", "I"},
        {"d", "i", "u", "x", "X", "d", "X", "c", "s", "p", "z", "C", "%", ""},
    };
    static const int32_t kValues[] = {0,     INT32_MIN, INT32_MAX, -1,         -999,        9,         10,
                                      99999, 100000,    99999999,  100000000,  0xFFFF,      0x10000,   0xFFFFFFF,
                                      0x10000000, 4095, 255,       256,        -10,         1000};
    std::mt19937 random(5150);
    int compiledCount = 0;
    for (int i = 0; i < 20000; ++i) {
        const bool simple = random() % 2 == 0;
        std::string format = random() % 10 ? "" : std::string(200 + random() % 60, '-');  // near the line's end
        for (int pieces = 1 + static_cast<int>(random() % 9); pieces > 0; --pieces) {
            if (random() % 3 == 0) {
                format += random() % 4 ? "\tdb\t,$" : "%%";
                continue;
            }
            format += '%';
            for (const auto& part : kParts) format += part[random() % (simple ? part.size() / 2 : part.size())];
        }
        const CompiledFormat compiled(format);
        compiledCount += compiled.compiled();
        for (int round = 0; round < 4; ++round) {
            int32_t args[8];
            for (int32_t& a : args) a = random() % 3 ? kValues[random() % 20] : static_cast<int32_t>(random());
            const size_t count = random() % 9;  // sometimes fewer arguments than conversions
            char expected[LineFormatter::kLineCapacity], line[LineFormatter::kLineCapacity];
            const size_t e = LineFormatter::Format(expected, sizeof expected, format.c_str(), args, count);
            const size_t n = compiled.format(line, args, count);
            ASSERT_EQ(std::string(expected, e), std::string(line, n)) << "\"" << format << "\" of " << count;
            ASSERT_EQ('\0', line[n]);
        }
    }
    // Both paths were taken, often.
    EXPECT_GT(compiledCount, 20000 / 4);
    EXPECT_LT(compiledCount, 20000 * 9 / 10);
}
