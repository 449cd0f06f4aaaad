// LineFormatter against the real wsprintfA: thousands of generated integer
// formats must give the same text.
#include "core/encode/LineFormatter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr size_t kCapacity = 1024;  // wsprintfA's buffer size

struct Generated {
    std::string format;
    int32_t args[8] = {};
};

// `lead` bytes and more text, then conversions with text between them. A conversion
// takes an argument when its flags are in order and it ends in a conversion letter.
Generated MakeFormat(std::mt19937& rng, size_t lead)
{
    auto chance = [&](uint32_t percent) { return rng() % 100 < percent; };
    auto text = [&](std::string& s) {
        for (uint32_t n = rng() % 7; n > 0; --n) s += ";,$ \tab0123456789XYZ[]:"[rng() % 23];
    };
    Generated g{std::string(lead, 'a')};
    for (int32_t& a : g.args) a = static_cast<int32_t>(rng());
    size_t arg = 0;
    text(g.format);
    for (uint32_t i = 1 + rng() % 8; i > 0; --i, text(g.format)) {
        const uint32_t pick = rng() % 100;
        if (pick < 4) {
            g.format += "%%";
            continue;
        }
        const bool unknown = pick < 8;  // printed as text
        const char conv = unknown ? "qfo%"[rng() % 4] : "diuxXc"[rng() % 6];
        std::string flags;
        if (chance(35)) flags += '-';
        // "#" on a decimal is one of our deliberate differences (ignored here,
        // a cut line in Wine's wsprintfA): only hexadecimal conversions get it.
        if ((conv == 'x' || conv == 'X') && chance(40)) flags += '#';
        if (chance(35)) flags += '0';
        const bool reversed = flags.size() >= 2 && chance(20);  // wsprintfA stops at a misplaced flag
        if (reversed) flags.assign(flags.rbegin(), flags.rend());
        g.format += '%' + flags;
        if (chance(60)) g.format += std::to_string(rng() % 41);
        if (chance(40)) g.format += chance(90) ? "." + std::to_string(rng() % 21) : ".";
        const uint32_t mod = rng() % 10;
        g.format += mod < 2 ? "l" : mod == 2 ? "h" : "";
        g.format += conv;
        if (unknown) g.format += ';';  // keeps the "%" left by "%N%" from starting a conversion
        if (unknown || reversed) continue;
        if (arg < 8 && conv == 'c') {
            // %c of 0 and wide characters outside 1..0x7F print nothing here
            // by design; keep to values both print.
            int32_t& a = g.args[arg];
            if (mod < 2) a = (a & ~0xFFFF) | static_cast<int32_t>(1 + rng() % 0x7F);
            else if ((a & 0xFF) == 0) a |= 0x41;
        }
        ++arg;
    }
    return g;
}

// wsprintfA gets a large buffer: near its end a "#" field makes it write
// past 1024 bytes. The expected text is what a reader of its buffer sees,
// cut to 1023 bytes as LineFormatter cuts it.
void Compare(const Generated& g)
{
    static char platform[65536];
    std::memset(platform, 0x7E, sizeof platform);
    const int* a = g.args;
    const int ret = wsprintfA(platform, g.format.c_str(), a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
    const size_t seen = std::strlen(platform), expected = std::min(seen, kCapacity - 1);
    char ours[kCapacity];
    const size_t n = LineFormatter::Format(ours, kCapacity, g.format.c_str(), g.args, 8);
    ASSERT_EQ(std::string(platform, expected), std::string(ours, n)) << "format \"" << g.format << '"';
    // Where wsprintfA's count means the text (no zero inside), it is ours.
    if (seen >= kCapacity - 1 || static_cast<size_t>(ret) == seen) {
        ASSERT_EQ(n, static_cast<size_t>(ret) < kCapacity ? static_cast<size_t>(ret) : kCapacity - 1);
    }
}

}  // namespace

// Random formats, then the same after long texts that bring the fields to
// every position around the 1024-byte cut.
TEST(WsprintfCompare, RandomIntegerFormatsMatchWsprintfA)
{
    std::mt19937 rng(0x766C6D);
    for (int i = 0; i < 3000 && !HasFatalFailure(); ++i) Compare(MakeFormat(rng, 0));
    for (size_t lead = 990; lead <= 1030 && !HasFatalFailure(); ++lead)
        for (int round = 0; round < 40 && !HasFatalFailure(); ++round) Compare(MakeFormat(rng, lead));
}
