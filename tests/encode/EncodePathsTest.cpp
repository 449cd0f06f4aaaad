#include "encode/NoteEncoder.h"
#include "midi/SmfNoteFile.h"
#include "support/ReferenceEncoder.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Takes each line through appendLine only.
struct LineByLine : LineSink {
    void appendLine(const char* line, size_t length) override
    {
        text.append(line, length);
        text += "\r\n";
    }
    std::string text;
};

// Lends the encoder room in place, `room` bytes at a time (at least the
// minimum), and keeps what was written. The bytes past what was reported are
// filled with a marker so that a line written out of place would show.
struct InPlace : LineSink {
    explicit InPlace(size_t room) : room(room) {}
    void appendLine(const char* line, size_t length) override
    {
        text.append(line, length);
        text += "\r\n";
        ++appended;
    }
    char* textSpace(size_t& given) override
    {
        space.assign(room, '#');
        given = room;
        ++lent;
        return &space[0];
    }
    void textWritten(size_t count) override
    {
        ASSERT_LE(count, room);
        text.append(space, 0, count);
    }
    size_t room;
    std::string space, text;
    int appended = 0, lent = 0;
};

// A track of notes on all channels with lengths in and out of the table,
// rests, overlaps and huge lengths.
Bytes RandomTrack(std::mt19937& random, int notes)
{
    const uint32_t table[] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
    Bytes track;
    for (int i = 0; i < notes; ++i) {
        const int c = static_cast<int>(random() % 16);
        const uint8_t key = static_cast<uint8_t>(random() % 128);
        const uint32_t gap = random() % 3 == 0 ? random() % 500 : 0;
        const uint32_t length = random() % 2 ? table[random() % 15] : (random() % 50 ? random() % 3000 : random());
        track = Cat({track, Event(gap, {uint8_t(0x90 | c), key, uint8_t(1 + random() % 127)}),
                     Event(length, {uint8_t(0x90 | c), key, 0})});
    }
    return Cat({track, {0x00, 0xFF, 0x2F, 0x00}});
}

}  // namespace

TEST(NoteEncoder, InPlaceAndLineByLineTextsEqualTheReference)
{
    std::mt19937 random(77);
    TempFile file(SmfWithTrack(RandomTrack(random, 3000)));
    SmfNoteFile notes;
    ReferenceNotes reference;
    ASSERT_EQ(0u, notes.open(file.path()));
    ASSERT_EQ(0u, reference.open(file.path()));
    notes.readEvents();
    reference.readEvents();

    const std::pair<std::string, std::string> formats[] = {
        {NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2},
        {"%d %X %x %u|%-6d|%.4i", "\\t%5d%%\\t%08X %3.2d"},
        // Left to the full formatter: "#", strings, a line that is cut.
        {"%#x %s %c %d", std::string(250, '=') + "%d %d %d"},
    };
    for (const auto& f : formats) {
        const NoteEncoder encoder(f.first, f.second);
        for (const uint32_t mask : {0xFFFFu, 0xFDFFu, 0x0001u, 0x8000u, 0u}) {
            const std::string expected = ReferenceEncoding(reference.lists, mask, f.first, f.second);
            LineByLine byLine;
            encoder.encodeNotes(notes, mask, byLine);
            EXPECT_EQ(expected, byLine.text) << f.second << " mask " << mask;
            // The smallest room the encoder takes, and a larger one.
            for (const size_t room : {LineSink::kTextSpace, size_t{1} << 16}) {
                InPlace inPlace(room);
                encoder.encodeNotes(notes, mask, inPlace);
                EXPECT_EQ(expected, inPlace.text) << f.second << " mask " << mask << " room " << room;
                EXPECT_EQ(0, inPlace.appended);
                if (mask == 0xFFFFu && room == LineSink::kTextSpace) {
                    EXPECT_GT(inPlace.lent, 10);
                }
            }
        }
    }
}
