#include "midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

TEST(NoteList, RecordsStayInOrderAndInPlaceAcrossBlocks)
{
    SmfNoteFile::NoteList list;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0u, list.blockCount());
    const size_t count = 3 * SmfNoteFile::NoteList::kBlockRecords + 5;
    std::vector<const NoteRecord*> where;
    for (size_t i = 0; i < count; ++i)
        where.push_back(list.push_back(NoteRecord{uint8_t(i % 16), uint8_t(i % 128), 1, uint32_t(i)}));

    ASSERT_EQ(count, list.size());
    EXPECT_FALSE(list.empty());
    size_t i = 0;
    for (const NoteRecord& r : list) {
        ASSERT_EQ(i, r.length);
        ASSERT_EQ(where[i], &r);
        ASSERT_EQ(where[i], &list[i]);
        ++i;
    }
    EXPECT_EQ(count, i);
    ASSERT_EQ(4u, list.blockCount());
    size_t total = 0;
    for (size_t b = 0; b < list.blockCount(); ++b) {
        EXPECT_EQ(&list[total], list.blockData(b));
        total += list.blockLength(b);
    }
    EXPECT_EQ(count, total);
    EXPECT_EQ(5u, list.blockLength(3));
}

TEST(NoteList, ANoteSoundingAcrossABlockBoundaryGetsItsLength)
{
    // A long note on key 40 starts first; then enough short notes on the same
    // channel to fill more than one block; then key 40 ends.
    const size_t shortNotes = SmfNoteFile::NoteList::kBlockRecords + 10;
    Bytes track = {0x00, 0x90, 40, 100};
    for (size_t i = 0; i < shortNotes; ++i) track = Cat({track, {0x00, 0x90, 60, 90, 0x01, 0x90, 60, 0}});
    track = Cat({track, {0x00, 0x90, 40, 0, 0x00, 0xFF, 0x2F, 0x00}});
    TempFile file(SmfWithTrack(track));
    SmfNoteFile notes;
    ASSERT_EQ(0u, notes.open(file.path()));
    notes.readEvents();
    const SmfNoteFile::NoteList& list = notes.channelNotes(0);
    ASSERT_EQ(1 + shortNotes, list.size());  // no rests: every note-on comes at an idle time of 0
    EXPECT_EQ(40, list[0].key);
    EXPECT_EQ(shortNotes, list[0].length);
    EXPECT_EQ(1u, list[list.size() - 1].length);
}
