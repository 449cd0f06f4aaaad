// The note lists' blocks and their normalised lengths; the lists' rules are
// held to the reference lists (tests/support/ReferenceNotes) on random
// tracks, real files and saved inputs by the fuzz checks (FuzzRegressions).
#include "core/midi/ResolutionScale.h"
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

Bytes Off(uint32_t delta, int key)
{
    return Event(delta, {0x80, uint8_t(key), 0x40});
}

}  // namespace

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

// Lengths at 480 ticks per quarter: each record's two ends scaled, a rest
// that comes to nothing left out, notes kept whatever their length.
TEST(SmfNoteFile, NormalizedReadingScalesTheEndsOfEveryRecord)
{
    const Bytes twoNotes = Cat({On(24, 0, 60, 100), On(96, 0, 60, 0), On(48, 0, 62, 100), On(96, 0, 62, 0), kEnd});
    Bytes pastFourGigaTicks = On(0, 0, 60, 100);  // 17 x 0x0FFFFFFF ticks
    for (int i = 0; i < 16; ++i) pastFourGigaTicks = Cat({pastFourGigaTicks, Meta(0x0FFFFFFF, 0x01, "")});
    pastFourGigaTicks = Cat({pastFourGigaTicks, On(0x0FFFFFFF, 0, 60, 0), kEnd});
    const struct {
        const char* what;
        uint16_t division;
        bool complete;
        Bytes file;
        const char* notes;
    } cases[] = {
        {"at 96", 96, false, SmfWithTrack(twoNotes), "R:120 K60/100:480 R:240 K62/100:480"},
        {"at 960 a rest scaled to 0 goes, a note of 0 stays", 960, false,
         SmfWithTrack(Cat({On(0, 0, 60, 100), On(3, 0, 60, 0), On(1, 0, 62, 100), On(3, 0, 62, 0), On(2, 0, 64, 100),
                           On(1, 0, 64, 0), kEnd})),
         "K60/100:2 K62/100:2 R:1 K64/100:0"},
        {"at 480 as read", 480, false, SmfWithTrack(twoNotes), "R:24 K60/100:96 R:48 K62/100:96"},
        {"division 0 as read", 0, false, SmfWithTrack(twoNotes), "R:24 K60/100:96 R:48 K62/100:96"},
        {"SMPTE as read", 0xE728, false, SmfWithTrack(twoNotes), "R:24 K60/100:96 R:48 K62/100:96"},
        {"overlapping notes", 96, false,
         SmfWithTrack(Cat({On(0, 0, 60, 100), On(48, 0, 62, 90), On(48, 0, 60, 0), On(48, 0, 62, 0), kEnd})),
         "K60/100:480 R:240 K62/90:480"},
        {"complete reading: note-offs in two tracks", 192, true,
         Cat({HeaderChunk(1, 2), TrackChunk(Cat({On(0, 0, 60, 100), Off(96, 60)})),
              TrackChunk(Cat({On(100, 0, 62, 100), Off(192, 62)}))}),
         "K60/100:240 R:10 K62/100:480"},
        {"a note past 2^32 ticks, and past 2^32 once scaled", 100, false, SmfWithTrack(pastFourGigaTicks),
         "K60/100:429496648"},
        {"the same read completely", 100, true, SmfWithTrack(pastFourGigaTicks), "K60/100:429496648"},
    };
    for (const auto& c : cases) {
        Bytes file = c.file;
        file[12] = uint8_t(c.division >> 8);
        file[13] = uint8_t(c.division);
        ReaderOn<SmfNoteFile> notes(file);
        notes.readNotes(c.complete, true);
        EXPECT_EQ(c.notes, DescribeNotes(notes.channelNotes(0))) << c.what;
    }
    EXPECT_EQ(5534023222112865485u, ResolutionScale(100).at(uint64_t{1} << 60));  // t x 480 is past 2^64

    // Notes and rests of every length at 89: the lengths add up to the scaled
    // time from the first rest's start to the last note's end.
    Bytes track;
    uint64_t end = 0;
    for (uint32_t i = 0; i < 300; ++i) {
        track = Cat({track, On(i * 5 % 11, 3, 60, 100), On(i * 7 % 13, 3, 60, 0)});
        end += i * 5 % 11 + i * 7 % 13;
    }
    ReaderOn<SmfNoteFile> notes(Cat({HeaderChunk(0, 1, 89), TrackChunk(Cat({track, kEnd}))}));
    notes.readNotes(false, true);
    uint64_t sum = 0;
    for (const NoteRecord& r : notes.channelNotes(3)) sum += r.length;
    EXPECT_EQ((end * 480 + 44) / 89, sum);
}
