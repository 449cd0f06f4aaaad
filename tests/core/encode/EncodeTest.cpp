// The formatter against measured wsprintfA outputs, and which formats are
// compiled (random formats hold CompiledFormat to the formatter in
// FuzzRegressions); lines of single records and channel choices (whole
// texts, line by line and written in place, are held to the reference
// encoding by the fuzz checks on random tracks and real files).
#include "core/encode/ChannelMask.h"
#include "core/encode/CompiledFormat.h"
#include "core/encode/EncodePipeline.h"
#include "core/encode/LineFormatter.h"
#include "core/encode/NoteEncoder.h"
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceEncoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

// Outputs measured from wsprintfA under Wine 8 (code page 932), in a buffer
// of 1024 bytes unless a capacity is given; the Windows build compares
// thousands more with the platform itself.
TEST(LineFormatter, ConversionsFollowWsprintfAAndStopAtTheCapacity)
{
    const struct {
        std::string format;
        std::vector<int32_t> args;
        std::string expected;
        size_t capacity = 1024;
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
        // A line is cut to the capacity less the terminator: 1500 bytes keep 1023.
        {std::string(300, 'a'), {}, std::string(255, 'a'), LineFormatter::kLineCapacity},
        {"%d%d%d", {123, 456, 789}, "12345", 6},
        {std::string(1490, 'b') + "%010d", {7}, std::string(1023, 'b')},
        // Near the end, width, precision and digits are shortened to the room
        // left (here 4 bytes after "abc") before the padding is laid out.
        {"abc%10d", {42}, "abc  42", 8},     {"abc%010d", {-42}, "abc-042", 8}, {"abc%d", {-123456}, "abc-123", 8},
        {"abc%#08x", {0xab}, "abc0x00", 8},  {"abc%10c", {'Z'}, "abc   Z", 8},
        {"abc%#5x|", {0xa}, "abc    a", 10},  // no room for "0x" after the padding
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("format \"" + c.format + '"');
        std::vector<char> out(c.capacity + 16, '~');  // nothing may be written past the capacity
        const size_t n = LineFormatter::Format(out.data(), c.capacity, c.format.c_str(), c.args.data(), c.args.size());
        ASSERT_LT(n, c.capacity);
        EXPECT_EQ(c.expected + '\0', std::string(out.data(), n + 1));
        EXPECT_EQ(std::string(16, '~'), std::string(out.data() + c.capacity, 16));
    }
    char guard = '~';
    EXPECT_EQ(LineFormatter::Format(&guard, 0, "abc", nullptr, 0), 0u);
    EXPECT_EQ(guard, '~');
}

TEST(CompiledFormat, TheDefaultsAndSimpleFormsAreCompiledTheRestLeftToTheFormatter)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    // 244 bytes of text and at most 11 of number fill 255: compiled; one more
    // byte of text could be cut, and is not.
    const std::pair<std::string, bool> cases[] = {
        {encoder.format1(), true}, {encoder.format2(), true}, {"%#x", false},
        {std::string(244, 'a') + "%d", true}, {std::string(245, 'a') + "%d", false},
    };
    for (const auto& [format, compiled] : cases) EXPECT_EQ(compiled, CompiledFormat(format).compiled()) << format;
}

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

// The ordered pipeline: the encoder's own bytes whatever the threads and
// wherever the chunks end, and a failed write that ends the run.
namespace {

// Keeps what is written; the write numbered failAt (from 1) fails.
struct Blocks : BlockOutput {
    bool write(const char* data, size_t size) override
    {
        if (++writes == failAt) return false;
        text.append(data, size);
        return true;
    }
    std::string text;
    size_t writes = 0, failAt = 0;
};

// Channel c holds records[c] notes, all at tick 0 (so no rests), each line
// different from its neighbours.
Bytes Song(const std::vector<size_t>& records)
{
    Bytes track;
    for (size_t c = 0; c < records.size(); ++c)
        for (size_t i = 0; i < records[c]; ++i) {
            const uint8_t status = static_cast<uint8_t>(0x90 | c), key = static_cast<uint8_t>(i * 7 % 128);
            track.insert(track.end(), {0x00, status, key, static_cast<uint8_t>(1 + i / 128 % 127), 0x00, status, key, 0});
        }
    return SmfWithTrack(Cat({track, {0x00, 0xFF, 0x2F, 0x00}}));
}

const size_t kBlock = 4096;  // a few dozen lines a chunk

// The calling thread alone, and the ring with one to four formatting threads.
const struct Threads {
    const char* name;
    unsigned threads;
    size_t threadedRecords;
} kThreads[] = {{"alone", 1, SIZE_MAX}, {"1 thread", 1, 0}, {"2 threads", 2, 0}, {"4 threads", 4, 0}};

}  // namespace

TEST(EncodePipeline, ThreadsWriteTheEncodersBytesAcrossChunkBoundariesAndStopAtAFailedWrite)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    const size_t k = EncodePipeline(encoder, 1).chunkRecords(kBlock);
    ASSERT_GT(k, 10u);
    const std::vector<std::vector<size_t>> cases = {
        {k - 1}, {k}, {k + 1}, {3 * k}, {0, 3 * k + 5, 1, 0, 2 * k}, {k, 1, k - 1, k + 1, 20 * k + 3},
    };
    for (const std::vector<size_t>& records : cases) {
        ReaderOn<SmfNoteFile> notes(Song(records));
        notes.readEvents();
        size_t chunks = 0;
        for (size_t c = 0; c < records.size(); ++c) {
            ASSERT_EQ(records[c], notes.channelNotes(static_cast<int>(c)).size());
            chunks += (records[c] + k - 1) / k;
        }
        TextSink expected;
        encoder.encodeNotes(notes, 0xFFFF, expected);
        for (const Threads& t : kThreads) {
            EncodePipeline pipeline(encoder, t.threads, kBlock, t.threadedRecords);
            Blocks out;
            EXPECT_TRUE(pipeline.run(notes, 0xFFFF, out));
            EXPECT_EQ(expected.text, out.text) << records.size() << " channels, " << t.name;
            EXPECT_EQ(chunks, out.writes) << records.size() << " channels, " << t.name;
            // A failed write ends the run: the first, the second, the last (in
            // the longer texts, after the ring of 8 blocks has gone round).
            for (const size_t failAt : {size_t{1}, std::min<size_t>(2, chunks), chunks}) {
                Blocks failing;
                failing.failAt = failAt;
                EncodePipeline again(encoder, t.threads, kBlock, t.threadedRecords);
                EXPECT_FALSE(again.run(notes, 0xFFFF, failing)) << failAt << " of " << chunks << ", " << t.name;
                EXPECT_EQ(failAt, failing.writes) << failAt << " of " << chunks << ", " << t.name;
            }
        }
    }
}
