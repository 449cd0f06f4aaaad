// Lines of single records, channel choices, and whole texts, line by line
// and written in place, against the reference encoding.
#include "core/encode/ChannelMask.h"
#include "core/encode/NoteEncoder.h"
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceEncoder.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Takes lines one by one, or, given a room, lends the encoder that many bytes
// at a time, filled with a marker so that a line written out of place shows.
struct Text : LineSink {
    explicit Text(size_t room = 0) : room(room) {}
    void appendLine(const char* line, size_t length) override { text.append(line, length) += "\r\n"; }
    char* textSpace(size_t& given) override
    {
        space.assign(given = room, '#');
        lent += room > 0;
        return room ? &space[0] : nullptr;
    }
    void textWritten(size_t count) override
    {
        EXPECT_LE(count, room);
        text.append(space, 0, count);
    }
    size_t room;
    std::string text, space;
    int lent = 0;
};

}  // namespace

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

// Notes on all channels with lengths in and out of the table, rests,
// overlaps and huge lengths, through formats that are compiled and formats
// left to the full formatter ("#", strings, a line that is cut).
TEST(NoteEncoder, InPlaceAndLineByLineTextsEqualTheReference)
{
    const uint32_t table[] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
    std::mt19937 random(77);
    Bytes track;
    for (int i = 0; i < 3000; ++i) {
        const uint8_t c = static_cast<uint8_t>(0x90 | random() % 16), key = static_cast<uint8_t>(random() % 128);
        const uint32_t gap = random() % 3 == 0 ? random() % 500 : 0;
        const uint32_t length = random() % 2 ? table[random() % 15] : (random() % 50 ? random() % 3000 : random());
        track = Cat({track, Event(gap, {c, key, uint8_t(1 + random() % 127)}), Event(length, {c, key, 0})});
    }
    const Bytes file = SmfWithTrack(Cat({track, {0x00, 0xFF, 0x2F, 0x00}}));
    ReaderOn<SmfNoteFile> notes(file);
    ReaderOn<ReferenceNotes> reference(file);
    notes.readEvents();
    reference.readEvents();
    const std::pair<std::string, std::string> formats[] = {
        {NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2},
        {"%d %X %x %u|%-6d|%.4i", "\\t%5d%%\\t%08X %3.2d"},
        {"%#x %s %c %d", std::string(250, '=') + "%d %d %d"},
    };
    for (const auto& f : formats) {
        const NoteEncoder encoder(f.first, f.second);
        for (const uint32_t mask : {0xFFFFu, 0xFDFFu, 0x0001u, 0x8000u, 0u}) {
            const std::string expected = ReferenceEncoding(reference.lists, mask, f.first, f.second);
            // Line by line, the smallest room the encoder takes, and a larger one.
            for (const size_t room : {size_t{0}, LineSink::kTextSpace, size_t{1} << 16}) {
                Text text(room);
                encoder.encodeNotes(notes, mask, text);
                EXPECT_EQ(expected, text.text) << f.second << " mask " << mask << " room " << room;
                EXPECT_TRUE(mask != 0xFFFFu || room != LineSink::kTextSpace || text.lent > 10);
            }
        }
    }
}
