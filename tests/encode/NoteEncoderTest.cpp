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
    return Cat({VarLen(delta), {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)}});
}

}  // namespace

TEST(NoteEncoder, WorkedLinesWithTheDefaultFormats)
{
    EXPECT_EQ("\tdb\t60,$AC\t\t;00 060 00480 100", Line(kDefault, {0, 60, 100, 480}));
    EXPECT_EQ("\tdb\t32,$70\t\t;00 000 00240 000", Line(kDefault, {0, 0, 0, 240}));
    EXPECT_EQ("\tdb\t64,$08,$A6,$0E\t;02 064 00500 064", Line(kDefault, {2, 64, 64, 500}));
    EXPECT_EQ("\tdb\t72,$0F,$EE,$02\t;00 072 00100 127", Line(kDefault, {0, 72, 127, 100}));
}

TEST(NoteEncoder, LengthCodesMatchExactlyWithoutRounding)
{
    const uint32_t ticks[] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(0x10u * (i + 1), NoteEncoder::LengthCode(ticks[i]));
        EXPECT_EQ(0u, NoteEncoder::LengthCode(ticks[i] - 1));
        EXPECT_EQ(0u, NoteEncoder::LengthCode(ticks[i] + 1));
    }
    EXPECT_EQ(0u, NoteEncoder::LengthCode(0));
    EXPECT_EQ("\tdb\t60,$0C,$08,$0E\t;00 060 00479 100", Line(kDefault, {0, 60, 100, 479}));
    EXPECT_EQ("\tdb\t60,$0C,$17,$0E\t;00 060 00481 100", Line(kDefault, {0, 60, 100, 481}));
}

TEST(NoteEncoder, LongFormLengthIsSevenAndAHalfTimesModulo65536)
{
    EXPECT_EQ("\tdb\t60,$0C,$FF,$FF\t;00 060 08738 100", Line(kDefault, {0, 60, 100, 8738}));
    EXPECT_EQ("\tdb\t60,$0C,$06,$00\t;00 060 08739 100", Line(kDefault, {0, 60, 100, 8739}));
    // Exact in 64 bits even where len x 15 no longer fits in 32: 0xFFFFFFFF
    // x 7.5 = 32212254712.5, which is 0xFFF8 modulo 65536.
    EXPECT_EQ("\tdb\t60,$0C,$F8,$FF\t;00 060 -0001 100", Line(kDefault, {0, 60, 100, 0xFFFFFFFFu}));
    EXPECT_EQ("\tdb\t60,$0C,$00,$00\t;00 060 00000 100", Line(kDefault, {0, 60, 100, 0}));
}

TEST(NoteEncoder, KeyZeroIsWrittenAs32)
{
    EXPECT_EQ("\tdb\t32,$AC\t\t;05 000 00480 100", Line(kDefault, {5, 0, 100, 480}));
}

TEST(NoteEncoder, UserFormats)
{
    // Fewer conversions than arguments: the first ones, in order.
    EXPECT_EQ("60 AC", Line(NoteEncoder("x", "%d %X"), {0, 60, 100, 480}));
    // No backslash-t pair: the format as written; other backslashes stay.
    EXPECT_EQ("db 60\\n", Line(NoteEncoder("x", "db %d\\n"), {0, 60, 100, 480}));
    // More conversions than arguments get zeros; %s prints nothing.
    EXPECT_EQ("60 12 60 480 100 0|0", Line(NoteEncoder("x", "%d %s%d %d %d %d %d|%d"), {12, 60, 100, 480}));
    // The long form's bytes in order: key, b, t low, t high, ch, key, len, v.
    EXPECT_EQ("1,2,3,4,5,6,7,8 -> 64 8 166 14 2 64 500 64 0",
              Line(NoteEncoder("1,2,3,4,5,6,7,8 -> %d %d %d %d %d %d %d %d %d", "x"), {2, 64, 64, 500}));
    // A trail byte 0x5C followed by "t" is part of a character, not a pair.
    EXPECT_EQ("\x95\x5Ct\t60", Line(NoteEncoder("x", "\x95\x5Ct\\t%d"), {0, 60, 100, 480}));
    // Lines are cut to 255 bytes.
    EXPECT_EQ(255u, Line(NoteEncoder("x", "%0200d%0200d"), {0, 60, 100, 480}).size());
}

TEST(NoteEncoder, SelectedChannels)
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
