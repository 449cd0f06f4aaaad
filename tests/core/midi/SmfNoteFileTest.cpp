// The note lists on worked tracks; random tracks and real files are held to
// the reference lists by the fuzz checks (FuzzRegressions).
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

Bytes On(uint32_t delta, int channel, int key, int velocity)
{
    return Event(delta, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)});
}

const Bytes kEnd = Event(0, {0xFF, 0x2F, 0x00});

}  // namespace

TEST(SmfNoteFile, WorkedTracksGiveTheirNotesAndRests)
{
    const struct {
        const char* what;
        Bytes track;
        int channel;
        const char* notes;
    } cases[] = {
        {"a note-on before the end of the previous note sees the idle time",
         Cat({On(0, 0, 60, 100), On(480, 0, 62, 90), On(0, 0, 60, 0), On(480, 0, 62, 0), kEnd}), 0,
         "K60/100:480 R:480 K62/90:480"},
        {"channels keep their own records and rests",
         Cat({On(0, 0, 60, 100), On(120, 3, 40, 70), On(360, 0, 60, 0), On(120, 3, 40, 0), On(0, 0, 64, 80),
              On(240, 0, 64, 0), On(0, 3, 41, 60), On(60, 3, 41, 0), kEnd}),
         3, "R:120 K40/70:480 R:240 K41/60:60"},
        {"note-off events are ignored: notes grow to the next note-on of their key",
         Cat({On(0, 1, 60, 100), Event(0x60, {0x81, 60, 0}), On(0, 1, 62, 90), Event(0x60, {0x81, 62, 0}),
              On(0, 1, 60, 80), Event(0x60, {0x81, 60, 0}), Event(10, {0xFF, 0x2F, 0x00})}),
         1, "K60/100:192 R:96 K62/90:202 R:96 K60/80:106"},
        {"velocity 0 for a silent key still resets the idle time",
         Cat({On(0, 0, 60, 100), On(100, 0, 60, 0), On(200, 0, 70, 0), On(50, 0, 62, 100), On(10, 0, 62, 0), kEnd}),
         0, "K60/100:100 R:50 K62/100:10"},
        {"key 0 is a note like any other",
         Cat({On(5, 2, 0, 100), On(0, 2, 1, 90), On(30, 2, 0, 0), On(10, 2, 1, 0), kEnd}), 2, "R:5 K0/100:30 K1/90:40"},
    };
    for (const auto& c : cases) {
        ReaderOn<SmfNoteFile> notes(SmfWithTrack(c.track));
        notes.readEvents();
        EXPECT_EQ(c.notes, DescribeNotes(notes.channelNotes(c.channel))) << c.what;
        for (int other = 1; other < 16; ++other)  // channel 0 carries the other notes of one case
            EXPECT_TRUE(other == c.channel || notes.channelNotes(other).empty()) << c.what << ", channel " << other;
    }
}

// A long note on key 40, then more short notes than a block holds, then key
// 40 ends: the first record, in the first block, gets its length.
TEST(NoteList, ANoteSoundingAcrossABlockBoundaryGetsItsLength)
{
    const size_t shortNotes = SmfNoteFile::NoteList::kBlockRecords + 10;
    Bytes track = {0x00, 0x90, 40, 100};
    for (size_t i = 0; i < shortNotes; ++i) track = Cat({track, {0x00, 0x90, 60, 90, 0x01, 0x90, 60, 0}});
    ReaderOn<SmfNoteFile> notes(SmfWithTrack(Cat({track, {0x00, 0x90, 40, 0}, kEnd})));
    notes.readEvents();
    const SmfNoteFile::NoteList& list = notes.channelNotes(0);
    ASSERT_EQ(1 + shortNotes, list.size());  // no rests: every note-on comes at an idle time of 0
    ASSERT_EQ(2u, list.blockCount());
    EXPECT_EQ(&list[SmfNoteFile::NoteList::kBlockRecords], list.blockData(1));
    EXPECT_EQ(40, list[0].key);
    size_t i = 0;
    for (const NoteRecord& r : list) EXPECT_EQ(i++ ? 1u : shortNotes, r.length);
}
