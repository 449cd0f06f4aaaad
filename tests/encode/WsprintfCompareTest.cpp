// LineFormatter against the real wsprintfA: thousands of generated integer
// formats must give the same text.
#include "encode/LineFormatter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kRandomFormats = 3000;
constexpr size_t kCapacity = 1024;  // wsprintfA's buffer size

// splitmix64: the same sequence on every compiler.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    int32_t Int() { return static_cast<int32_t>(static_cast<uint32_t>(Next())); }

private:
    uint64_t state_;
};

struct Generated {
    std::string format;
    int32_t args[8] = {};
};

// Literal text, without "%".
void AddText(Rng& rng, std::string& s, size_t maxLen)
{
    static const char kChars[] = ";,$ \tab0123456789XYZ[]:";
    const size_t n = rng.Below(static_cast<uint32_t>(maxLen + 1));
    for (size_t i = 0; i < n; ++i) s += kChars[rng.Below(sizeof kChars - 1)];
}

// How a generated conversion uses an argument.
enum class ArgUse { None, Number, Char, WideChar };

// Appends one conversion. It takes an argument when its flags are in order
// and it ends in a conversion letter.
ArgUse AddConversion(Rng& rng, std::string& s)
{
    const uint32_t pick = rng.Below(100);
    if (pick < 4) {
        s += "%%";
        return ArgUse::None;
    }
    // Unknown conversion characters and "%N%", printed as text; the others
    // are integer conversions.
    static const char kUnknown[] = "qfo%";
    static const char kConv[] = "diuxXc";
    const bool unknown = pick < 8;
    const char conv = unknown ? kUnknown[rng.Below(4)] : kConv[rng.Below(6)];
    const bool hex = conv == 'x' || conv == 'X';

    s += '%';
    std::string flags;
    if (rng.Chance(35)) flags += '-';
    // "#" on a decimal is one of our deliberate differences (ignored here,
    // a cut line in Wine's wsprintfA): only hexadecimal conversions get it.
    if (hex && rng.Chance(40)) flags += '#';
    if (rng.Chance(35)) flags += '0';
    bool inOrder = true;
    if (flags.size() >= 2 && rng.Chance(20)) {
        // Reversed order: wsprintfA stops at the first misplaced flag.
        flags.assign(flags.rbegin(), flags.rend());
        inOrder = false;
    }
    s += flags;
    if (rng.Chance(60)) s += std::to_string(rng.Below(41));
    if (rng.Chance(40)) {
        s += '.';
        if (rng.Chance(90)) s += std::to_string(rng.Below(21));
    }
    const uint32_t mod = rng.Below(10);
    const bool isLong = mod < 2;
    if (isLong) s += 'l';
    if (mod == 2) s += 'h';
    s += conv;

    if (unknown) {
        // The ";" keeps the "%" left over by "%N%" from starting a conversion.
        s += ';';
        return ArgUse::None;
    }
    if (!inOrder) return ArgUse::None;
    if (conv != 'c') return ArgUse::Number;
    return isLong ? ArgUse::WideChar : ArgUse::Char;
}

Generated MakeFormat(Rng& rng)
{
    Generated g;
    for (int32_t& a : g.args) a = rng.Int();
    const uint32_t conversions = 1 + rng.Below(8);
    size_t arg = 0;
    AddText(rng, g.format, 6);
    for (uint32_t i = 0; i < conversions; ++i) {
        const ArgUse use = AddConversion(rng, g.format);
        if (use != ArgUse::None && arg < 8) {
            int32_t& a = g.args[arg];
            // %c of 0 and wide characters outside 1..0x7F print nothing
            // here by design; keep to values both print.
            if (use == ArgUse::Char && (a & 0xFF) == 0) a |= 0x41;
            if (use == ArgUse::WideChar) a = (a & ~0xFFFF) | static_cast<int32_t>(1 + rng.Below(0x7F));
        }
        if (use != ArgUse::None) ++arg;
        AddText(rng, g.format, 6);
    }
    return g;
}

// Byte-exact printable form for failure messages.
std::string Show(const char* s, size_t n)
{
    std::string r;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            r += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            r += hex;
        }
    }
    return r;
}

struct Tally {
    int compared = 0;
    int endedEarly = 0;  // a "#" field cut at the end: wsprintfA's text has a zero inside
    int cut = 0;
};

// wsprintfA gets a large buffer: near its end a "#" field makes it write past
// 1024 bytes. The expected text is what a reader of its buffer sees, cut to
// 1023 bytes as LineFormatter cuts it.
void Compare(const Generated& g, Tally& tally)
{
    static char platform[65536];
    std::memset(platform, 0x7E, sizeof platform);
    const int* a = g.args;
    const int ret = wsprintfA(platform, g.format.c_str(), a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    const size_t seen = std::strlen(platform);
    const size_t expectedLen = seen < kCapacity - 1 ? seen : kCapacity - 1;

    char ours[kCapacity + 8];
    std::memset(ours, 0x7E, sizeof ours);
    const size_t n = LineFormatter::Format(ours, kCapacity, g.format.c_str(), g.args, 8);

    ++tally.compared;
    // A clean text shorter than the limit is counted exactly by wsprintfA.
    const bool zeroInside = seen < kCapacity - 1 && static_cast<size_t>(ret) != seen;
    if (zeroInside) ++tally.endedEarly;
    if (seen >= kCapacity - 1) ++tally.cut;

    ASSERT_EQ(n, expectedLen) << "format \"" << Show(g.format.data(), g.format.size()) << "\"\n  wsprintfA \""
                              << Show(platform, expectedLen) << "\"\n  ours      \"" << Show(ours, n) << '"';
    ASSERT_EQ(std::memcmp(ours, platform, n), 0)
        << "format \"" << Show(g.format.data(), g.format.size()) << "\"\n  wsprintfA \""
        << Show(platform, expectedLen) << "\"\n  ours      \"" << Show(ours, n) << '"';
    ASSERT_EQ(ours[n], '\0');
    ASSERT_EQ(ours[kCapacity], 0x7E) << "written past the capacity";
    // Where wsprintfA's count means the text, it is ours (1024 when cut).
    if (!zeroInside) {
        ASSERT_EQ(n, static_cast<size_t>(ret) < kCapacity ? static_cast<size_t>(ret) : kCapacity - 1);
    }
}

TEST(WsprintfCompare, ThreeThousandRandomIntegerFormatsMatchWsprintfA)
{
    Rng rng(0x76656C6D6F7261ull);
    Tally tally;
    for (int i = 0; i < kRandomFormats; ++i) {
        const Generated g = MakeFormat(rng);
        Compare(g, tally);
        if (HasFatalFailure()) return;
    }
    std::printf("compared %d random formats with wsprintfA (%d with a zero inside)\n", tally.compared,
                tally.endedEarly);
    EXPECT_EQ(tally.compared, kRandomFormats);
}

// Formats whose output reaches the 1024-byte limit: long text, then fields
// that land at every position around the cut.
TEST(WsprintfCompare, LongOutputsAreCutLikeWsprintfA)
{
    Rng rng(0x637574ull);
    Tally tally;
    for (size_t lead = 990; lead <= 1030; ++lead) {
        for (int round = 0; round < 40; ++round) {
            Generated g = MakeFormat(rng);
            g.format = std::string(lead, 'a') + g.format;
            Compare(g, tally);
            if (HasFatalFailure()) return;
        }
    }
    // A 1500-byte result: 1023 bytes and wsprintfA's count of 1024.
    Generated g;
    g.format = std::string(1480, 'b') + "%020d";
    g.args[0] = 12345;
    Compare(g, tally);
    if (HasFatalFailure()) return;
    // Eight wide fields over a long text.
    g.format = std::string(800, 'c') + "%40d%-40u%040x%#40X%.20d%40c%-#40x%040i";
    for (int i = 0; i < 8; ++i) g.args[i] = 0x41 + i * 7919;
    Compare(g, tally);
    if (HasFatalFailure()) return;
    // "#" fields just where the prefix stops fitting after the padding.
    for (size_t lead = 1000; lead <= 1023; ++lead) {
        for (const char* tail : {"%#5x|z", "%#8x|z", "%#08x|z", "%#-6X|z", "%#.4x|z", "%#x|z"}) {
            g.format = std::string(lead, 'd') + tail;
            g.args[0] = 0xa;
            Compare(g, tally);
            if (HasFatalFailure()) return;
            g.args[0] = 0xabcdef;
            Compare(g, tally);
            if (HasFatalFailure()) return;
        }
    }
    std::printf("compared %d long formats with wsprintfA (%d cut at 1023 bytes)\n", tally.compared, tally.cut);
    EXPECT_GT(tally.cut, 1000);
}

}  // namespace
