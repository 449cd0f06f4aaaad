#include "encode/NoteEncoder.h"
#include "midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const NoteEncoder kDefault(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);

std::string Line(const NoteEncoder& encoder, NoteRecord record)
{
    char line[256];
    const size_t n = encoder.encodeLine(record, line);
    return std::string(line, n);
}

struct TextSink : LineSink {
    void appendLine(const char* line, size_t length) override
    {
        text.append(line, length);
        text += "\r\n";
    }
    std::string text;
};

Bytes Note(uint32_t delta, int channel, int key, int velocity)
{
    return Event(delta, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)});
}

}  // namespace

// Lines of the default formats and of users' formats, for records given as
// {channel, key, velocity, length}.
TEST(NoteEncoder, RecordsGiveTheirLines)
{
    const NoteEncoder user1("1,2,3,4,5,6,7,8 -> %d %d %d %d %d %d %d %d %d", "x");
    const struct {
        const char* what;
        const NoteEncoder& encoder;
        NoteRecord record;
        const char* line;
    } cases[] = {
        {"a quarter: the short form", kDefault, {0, 60, 100, 480}, "\tdb\t60,$AC\t\t;00 060 00480 100"},
        {"a rest", kDefault, {0, 0, 0, 240}, "\tdb\t32,$70\t\t;00 000 00240 000"},
        {"key 0 is written as 32", kDefault, {5, 0, 100, 480}, "\tdb\t32,$AC\t\t;05 000 00480 100"},
        {"no note value: the long form", kDefault, {2, 64, 64, 500}, "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064"},
        {"velocity / 8 in the low bits", kDefault, {0, 72, 127, 100}, "\tdb\t72,$0F,$EE,$02\t;00 072 00100 127"},
        {"one below a note value", kDefault, {0, 60, 100, 479}, "\tdb\t60,$0C,$08,$0E\t;00 060 00479 100"},
        {"one above a note value", kDefault, {0, 60, 100, 481}, "\tdb\t60,$0C,$17,$0E\t;00 060 00481 100"},
        {"7.5 x the length, below 65536", kDefault, {0, 60, 100, 8738}, "\tdb\t60,$0C,$FF,$FF\t;00 060 08738 100"},
        {"7.5 x the length, modulo 65536", kDefault, {0, 60, 100, 8739}, "\tdb\t60,$0C,$06,$00\t;00 060 08739 100"},
        // 0xFFFFFFFF x 7.5 = 32212254712.5: 0xFFF8 modulo 65536, exact in 64 bits.
        {"a length beyond 32-bit products", kDefault, {0, 60, 100, 0xFFFFFFFFu},
         "\tdb\t60,$0C,$F8,$FF\t;00 060 -0001 100"},
        {"length 0", kDefault, {0, 60, 100, 0}, "\tdb\t60,$0C,$00,$00\t;00 060 00000 100"},
        {"fewer conversions than arguments: the first ones", NoteEncoder("x", "%d %X"), {0, 60, 100, 480}, "60 AC"},
        {"no backslash-t pair: other backslashes stay", NoteEncoder("x", "db %d\\n"), {0, 60, 100, 480},
         "db 60\\n"},
        {"more conversions than arguments get zeros, %s prints nothing",
         NoteEncoder("x", "%d %s%d %d %d %d %d|%d"), {12, 60, 100, 480}, "60 12 60 480 100 0|0"},
        {"the long form's arguments in order", user1, {2, 64, 64, 500},
         "1,2,3,4,5,6,7,8 -> 64 8 166 14 2 64 500 64 0"},
        {"a trail byte 0x5C before t is part of a character", NoteEncoder("x", "\x95\x5Ct\\t%d"),
         {0, 60, 100, 480}, "\x95\x5Ct\t60"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.line, Line(c.encoder, c.record)) << c.what;
    EXPECT_EQ(255u, Line(NoteEncoder("x", "%0200d%0200d"), {0, 60, 100, 480}).size()) << "lines are cut";
}

TEST(NoteEncoder, LengthCodesMatchTheNoteValuesExactly)
{
    const uint32_t ticks[] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(0x10u * (i + 1), NoteEncoder::LengthCode(ticks[i]));
        EXPECT_EQ(0u, NoteEncoder::LengthCode(ticks[i] - 1));
        EXPECT_EQ(0u, NoteEncoder::LengthCode(ticks[i] + 1));
    }
    EXPECT_EQ(0u, NoteEncoder::LengthCode(0));
    EXPECT_EQ(0u, NoteEncoder::LengthCode(1930));
}

TEST(NoteEncoder, SelectedChannelsComeFromTheOptionsOrTheButtonsCutTo16)
{
    EXPECT_EQ(0xFDFFu, NoteEncoder::SelectedChannels(true, 0xFDFF, 0x0004));
    EXPECT_EQ(0x0004u, NoteEncoder::SelectedChannels(false, 0xFDFF, 0x0004));
    EXPECT_EQ(0u, NoteEncoder::SelectedChannels(false, 0xFFFF, 0));
    EXPECT_EQ(0xFFFFu, NoteEncoder::SelectedChannels(true, 0xFFFFFFFF, 0));
}

TEST(NoteEncoder, EncodesSelectedChannelsInAscendingOrder)
{
    TempFile file(SmfWithTrack(Cat({Note(0, 9, 36, 100), Note(0, 2, 64, 64), Note(0, 0, 60, 100),
                                    Note(480, 0, 60, 0), Note(20, 2, 64, 0), Note(0, 9, 36, 0),
                                    {0x00, 0xFF, 0x2F, 0x00}})));
    SmfNoteFile notes;
    ASSERT_EQ(0u, notes.open(file.path()));
    notes.readEvents();

    TextSink all;
    kDefault.encodeNotes(notes, 0xFDFF, all);  // the default set skips channel 9
    EXPECT_EQ("\tdb\t60,$AC\t\t;00 060 00480 100\r\n"
              "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n",
              all.text);

    TextSink drums;
    kDefault.encodeNotes(notes, 1u << 9, drums);
    EXPECT_EQ("\tdb\t36,$0C,$A6,$0E\t;09 036 00500 100\r\n", drums.text);

    TextSink none;
    kDefault.encodeNotes(notes, 0, none);
    EXPECT_EQ("", none.text);
}
