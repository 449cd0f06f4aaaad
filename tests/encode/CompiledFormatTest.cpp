#include "encode/CompiledFormat.h"
#include "encode/LineFormatter.h"
#include "encode/NoteEncoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

std::string Reference(const std::string& format, const int32_t* args, size_t count)
{
    char line[LineFormatter::kLineCapacity];
    const size_t n = LineFormatter::Format(line, sizeof line, format.c_str(), args, count);
    return std::string(line, n);
}

std::string Compiled(const CompiledFormat& format, const int32_t* args, size_t count)
{
    char line[LineFormatter::kLineCapacity];
    const size_t n = format.format(line, args, count);
    EXPECT_EQ('\0', line[n]);
    return std::string(line, n);
}

// A random format: text, "%%" and conversions, either only of the forms that
// are compiled or of every kind the formatter knows.
std::string RandomFormat(std::mt19937& random)
{
    const bool simple = random() % 2 == 0;
    auto pick = [&](std::initializer_list<const char*> options) {
        const size_t n = simple ? options.size() / 2 : options.size();  // the simple forms come first
        return std::string(options.begin()[random() % n]);
    };
    std::string format;
    const int pieces = 1 + static_cast<int>(random() % 9);
    for (int i = 0; i < pieces; ++i) {
        switch (random() % 4) {
        case 0: format += pick({"\tdb\t", ",$", " ", ";", "abc", "\t\t;", "x", "-"}); break;
        case 1:
            if (random() % 8 == 0) {
                format += "%%";
                break;
            }
            [[fallthrough]];
        default: {
            format += '%';
            format += pick({"", "-", "0", "-0", "", "#", "#0", "-#0", "0-", "0"});
            format += pick({"", "1", "2", "5", "8", "12", "", "3", "9", "40", "255", "99999"});
            format += pick({"", ".", ".3", ".7", ".12", ".0", "", ".200"});
            format += pick({"", "l", "h", "w", "", "I64", "I32", "I"});
            format += pick({"d", "i", "u", "x", "X", "d", "X", "c", "s", "p", "z", "C", "%", ""});
            break;
        }
        }
    }
    // Near the end of the line: compiled only while nothing can be cut.
    if (random() % 10 == 0) format = std::string(200 + random() % 60, '-') + format;
    return format;
}

int32_t RandomValue(std::mt19937& random)
{
    switch (random() % 8) {
    case 0: return 0;
    case 1: return INT32_MIN;
    case 2: return INT32_MAX;
    case 3: return -static_cast<int32_t>(random() % 1000);
    case 4: return static_cast<int32_t>(random());
    default: return static_cast<int32_t>(random() % 100000);
    }
}

}  // namespace

TEST(CompiledFormat, DefaultFormatsAreCompiled)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    EXPECT_TRUE(CompiledFormat(encoder.format1()).compiled());
    EXPECT_TRUE(CompiledFormat(encoder.format2()).compiled());
}

TEST(CompiledFormat, FormatsOutsideTheSimpleFormsAreLeftToTheFormatter)
{
    EXPECT_FALSE(CompiledFormat("%#x").compiled());
    EXPECT_FALSE(CompiledFormat("%s").compiled());
    EXPECT_FALSE(CompiledFormat("%c").compiled());
    EXPECT_FALSE(CompiledFormat("%I64d").compiled());
    EXPECT_FALSE(CompiledFormat("%5%").compiled());
    EXPECT_FALSE(CompiledFormat("50%").compiled());
    EXPECT_FALSE(CompiledFormat("%300d").compiled());
    // 244 bytes of text and at most 11 of number fill 255: compiled; one more
    // byte of text could be cut, and is not.
    EXPECT_TRUE(CompiledFormat(std::string(244, 'a') + "%d").compiled());
    EXPECT_FALSE(CompiledFormat(std::string(245, 'a') + "%d").compiled());
    EXPECT_TRUE(CompiledFormat("100%% %-5d|%05X %.3i %lu %hx %wd").compiled());
}

TEST(CompiledFormat, FieldsAtTheEdgesOfTheirWidths)
{
    const char* formats[] = {"%02d", "%03d", "%05d", "%08d", "%09d", "%02X", "%08x", "%07X", "%-05d",
                             "%05.3d", "%03.5d", "%5.3d", "%.4u", "%0u", "%01d", "%00d", "%4X"};
    const int32_t values[] = {0,      1,      9,       10,       99,        100,        999,        1000,
                              9999,   10000,  99999,   100000,   9999999,   99999999,   100000000,  255,
                              256,    4095,   0xFFFF,  0x10000,  0xFFFFFFF, 0x10000000, INT32_MAX,  -1,
                              -9,     -10,    -99999,  INT32_MIN};
    for (const char* f : formats) {
        const CompiledFormat compiled(f);
        EXPECT_TRUE(compiled.compiled()) << f;
        for (const int32_t v : values) EXPECT_EQ(Reference(f, &v, 1), Compiled(compiled, &v, 1)) << f << " of " << v;
    }
}

TEST(CompiledFormat, GivesTheFormattersBytesForRandomFormatsAndArguments)
{
    std::mt19937 random(5150);
    int compiledCount = 0;
    const int kFormats = 20000;
    for (int i = 0; i < kFormats; ++i) {
        const std::string format = RandomFormat(random);
        const CompiledFormat compiled(format);
        compiledCount += compiled.compiled();
        for (int round = 0; round < 4; ++round) {
            int32_t args[8];
            for (int32_t& a : args) a = RandomValue(random);
            const size_t count = random() % 9;  // sometimes fewer arguments than conversions
            ASSERT_EQ(Reference(format, args, count), Compiled(compiled, args, count))
                << "format \"" << format << "\" with " << count << " arguments";
        }
    }
    // Both paths were taken, often.
    EXPECT_GT(compiledCount, kFormats / 4);
    EXPECT_LT(compiledCount, kFormats * 9 / 10);
}
