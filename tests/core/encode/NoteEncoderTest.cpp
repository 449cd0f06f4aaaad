// Lines of single records and channel choices; whole texts, line by line
// and written in place, are held to the reference encoding by the fuzz
// checks (FuzzRegressions) on random tracks and real files.
#include "core/encode/ChannelMask.h"
#include "core/encode/NoteEncoder.h"

#include <gtest/gtest.h>

#include <string>

// Records given as {channel, key, velocity, length}.
TEST(NoteEncoder, RecordsGiveTheirLines)
{
    const NoteEncoder standard(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    const struct {
        const char* what;
        NoteEncoder encoder;
        NoteRecord record;
        const char* line;
    } cases[] = {
        {"a quarter: the short form", standard, {0, 60, 100, 480}, "\tdb\t60,$AC\t\t;00 060 00480 100"},
        {"key 0 is written as 32", standard, {5, 0, 100, 480}, "\tdb\t32,$AC\t\t;05 000 00480 100"},
        {"no note value: the long form", standard, {2, 64, 64, 500}, "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064"},
        {"7.5 x the length, modulo 65536", standard, {0, 60, 100, 8739}, "\tdb\t60,$0C,$06,$00\t;00 060 08739 100"},
        // 0xFFFFFFFF x 7.5 = 32212254712.5: 0xFFF8 modulo 65536, exact in 64 bits.
        {"a length beyond 32-bit products", standard, {0, 60, 100, 0xFFFFFFFFu},
         "\tdb\t60,$0C,$F8,$FF\t;00 060 -0001 100"},
        {"the long form's arguments in order", NoteEncoder("%d %d %d %d %d %d %d %d %d", "x"), {2, 64, 64, 500},
         "64 8 166 14 2 64 500 64 0"},
        {"a trail byte 0x5C before t is part of a character", NoteEncoder("x", "\x95\x5Ct\\t%d\\n"),
         {0, 60, 100, 480}, "\x95\x5Ct\t60\\n"},
    };
    char line[256];
    for (const auto& c : cases) EXPECT_EQ(c.line, std::string(line, c.encoder.encodeLine(c.record, line))) << c.what;
    EXPECT_EQ(255u, NoteEncoder("x", "%0200d%0200d").encodeLine({0, 60, 100, 480}, line)) << "lines are cut";
}

// The sixteen low bits are the channel checks; the bits above stay as stored.
TEST(ChannelMask, ChecksAreTheSixteenChannelBitsAndReplaceOnlyThem)
{
    const struct {
        uint32_t before;
        std::initializer_list<int> checked;
        uint32_t after;
    } cases[] = {{0x0000FDFF, {}, 0x00000000}, {0xABCD0000, {0, 9, 15}, 0xABCD8201}, {0xFFFFFFFF, {1}, 0xFFFF0002}};
    for (const auto& c : cases) {
        ChannelMask::Checks checks{};
        for (int n : c.checked) checks[size_t(n)] = true;
        EXPECT_EQ(c.after, ChannelMask::WithChecks(c.before, checks)) << std::hex << c.before;
        EXPECT_EQ(checks, ChannelMask::ChecksOf(c.after)) << std::hex << c.after;
        EXPECT_EQ(c.after & 0xFFFF, ChannelMask::FromChecks(checks));
    }
}
