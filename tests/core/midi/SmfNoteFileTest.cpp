// The note lists' blocks and their normalised lengths; the lists' rules are
// held to the reference lists (tests/support/ReferenceNotes) on random
// tracks, real files and saved inputs by the fuzz checks (FuzzRegressions).
#include "core/midi/ResolutionScale.h"
#include "core/midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

// A long note on key 40, then more short notes than a block holds, then key
// 40 ends: the first record, in the first block, gets its length.
TEST(NoteList, ANoteSoundingAcrossABlockBoundaryGetsItsLength)
{
    const size_t shortNotes = SmfNoteFile::NoteList::kBlockRecords + 10;
    Bytes track = {0x00, 0x90, 40, 100};
    for (size_t i = 0; i < shortNotes; ++i) track = Cat({track, {0x00, 0x90, 60, 90, 0x01, 0x90, 60, 0}});
    ReaderOn<SmfNoteFile> notes(SmfWithTrack(Cat({track, {0x00, 0x90, 40, 0}, {0x00, 0xFF, 0x2F, 0x00}})));
    notes.readEvents();
    const SmfNoteFile::NoteList& list = notes.channelNotes(0);
    ASSERT_EQ(1 + shortNotes, list.size());  // no rests: every note-on comes at an idle time of 0
    ASSERT_EQ(2u, list.blockCount());
    EXPECT_EQ(&list[SmfNoteFile::NoteList::kBlockRecords], list.blockData(1));
    EXPECT_EQ(40, list[0].key);
    size_t i = 0;
    for (const NoteRecord& r : list) EXPECT_EQ(i++ ? 1u : shortNotes, r.length);
}

// S(t) where t x 480 is past 2^64; the normalised reading is held to
// ReferenceNormalized at several divisions by the fuzz checks (FuzzRegressions).
TEST(ResolutionScale, ScalesTimesWhoseProductWouldPass64Bits)
{
    EXPECT_EQ(5534023222112865485u, ResolutionScale(100).at(uint64_t{1} << 60));
}
