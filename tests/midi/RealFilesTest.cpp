// Files written by other software: each is read to its end agreeing with
// its header and with the reference note lists; where its first track is the
// whole song (format 0, no running status, no note-offs), complete reading
// gives the same lists.
#include "app/errors/ErrorRecord.h"
#include "midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(RealFiles, ReadAgreeingWithTheirHeadersTheReferenceAndCompleteReading)
{
    int files = 0, compared = 0;
    for (const std::string& dir : {TestDataDir(), SamplesDir()}) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string path = entry.path().string(), ext = entry.path().extension().string();
            if (ext != ".mid" && ext != ".midi" && ext != ".kar") continue;
            SCOPED_TRACE(path);
            const Bytes b = ReadAll(path);
            SmfNoteFile f, complete;
            ReferenceNotes reference;
            const bool notMidi = path.find("Bad") != std::string::npos;  // named so in the test data
            ASSERT_EQ(notMidi ? kErrorWrongKind : 0u, f.open(path));
            if (notMidi) continue;
            EXPECT_EQ(1, f.readEvents());
            EXPECT_EQ(b[8] << 8 | b[9], f.header().format);
            EXPECT_EQ(b[10] << 8 | b[11], f.header().trackCount);
            EXPECT_EQ(b[12] << 8 | b[13], f.header().division);
            ASSERT_EQ(0u, reference.open(path));
            reference.readEvents();
            for (int c = 0; c < 16; ++c)
                EXPECT_EQ(DescribeNotes(reference.lists[c]), DescribeNotes(f.channelNotes(c))) << c;
            ++files;
            // The first-track reading runs to the file's end; complete reading
            // stops at the declared length, which may be shorter.
            const uint64_t declaredEnd = 16 + uint64_t{f.header().length} + f.chunkHeader().length;
            if (f.header().format != 0 || f.completeReadingHints().any() || declaredEnd < b.size()) continue;
            ASSERT_EQ(0u, complete.open(path));
            complete.readNotes(true);
            for (int c = 0; c < 16; ++c)
                EXPECT_EQ(DescribeNotes(f.channelNotes(c)), DescribeNotes(complete.channelNotes(c))) << c;
            ++compared;
        }
    }
    EXPECT_GE(files, 12);
    EXPECT_GE(compared, 4);
}
