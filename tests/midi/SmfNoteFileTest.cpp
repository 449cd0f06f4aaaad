#include "midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

Bytes On(uint32_t delta, int channel, int key, int velocity)
{
    return Event(delta, {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
}

const Bytes kEnd = Event(0, {0xFF, 0x2F, 0x00});

}  // namespace

// The worked cases of the note lists: each track, and the records one of its
// channels must give.
TEST(SmfNoteFile, WorkedTracksGiveTheirNotesAndRests)
{
    const struct {
        const char* what;
        Bytes track;
        int channel;
        const char* notes;
    } cases[] = {
        {"notes ended by velocity 0 follow one another",
         Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), On(0, 0, 62, 90), On(480, 0, 62, 0), kEnd}), 0,
         "K60/100:480 K62/90:480"},
        {"a gap before a note becomes a rest",
         Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), On(240, 0, 62, 90), On(240, 0, 62, 0), kEnd}), 0,
         "K60/100:480 R:240 K62/90:240"},
        {"a note-on before the end of the previous note sees the idle time",
         Cat({On(0, 0, 60, 100), On(480, 0, 62, 90), On(0, 0, 60, 0), On(480, 0, 62, 0), kEnd}), 0,
         "K60/100:480 R:480 K62/90:480"},
        {"the first note after meta events starts with a rest",
         Cat({Meta(0, 0x03, "A"), Meta(0x60, 0x01, "B"), On(0, 0, 60, 100), On(480, 0, 60, 0), kEnd}), 0,
         "R:96 K60/100:480"},
        {"channels keep their own records and rests",
         Cat({On(0, 0, 60, 100), On(120, 3, 40, 70), On(360, 0, 60, 0), On(120, 3, 40, 0), On(0, 0, 64, 80),
              On(240, 0, 64, 0), On(0, 3, 41, 60), On(60, 3, 41, 0), kEnd}),
         3, "R:120 K40/70:480 R:240 K41/60:60"},
        {"note-off events are ignored: notes grow to the next note-on of their key",
         Cat({On(0, 1, 60, 100), Event(0x60, {0x81, 60, 0}), On(0, 1, 62, 90), Event(0x60, {0x81, 62, 0}),
              On(0, 1, 60, 80), Event(0x60, {0x81, 60, 0}), Event(10, {0xFF, 0x2F, 0x00})}),
         1, "K60/100:192 R:96 K62/90:202 R:96 K60/80:106"},
        {"sounding notes keep the length reached, the last delta-time included",
         Cat({On(0, 2, 127, 1), On(100, 2, 0, 5), Event(50, {0xFF, 0x2F, 0x00})}), 2, "K127/1:150 R:100 K0/5:50"},
        {"velocity 0 for a silent key still resets the idle time",
         Cat({On(0, 0, 60, 100), On(100, 0, 60, 0), On(200, 0, 70, 0), On(50, 0, 62, 100), On(10, 0, 62, 0), kEnd}),
         0, "K60/100:100 R:50 K62/100:10"},
        {"key bytes of 0x80 and above are ignored entirely",
         Cat({On(0, 0, 60, 100), On(100, 0, 60, 0), On(100, 0, 0x85, 0), On(100, 0, 61, 9), On(0, 0, 0xFF, 1), kEnd}),
         0, "K60/100:100 R:200 K61/9:0"},
        {"lengths wrap in 32 bits",
         Cat({On(0, 0, 60, 100), On(0xF0000000u, 0, 61, 1), On(0x20000000u, 0, 60, 0), kEnd}), 0,
         "K60/100:268435456 R:4026531840 K61/1:536870912"},
    };
    for (const auto& c : cases) {
        TempFile file(SmfWithTrack(c.track));
        SmfNoteFile notes;
        ASSERT_EQ(0u, notes.open(file.path())) << c.what;
        notes.readEvents();
        EXPECT_EQ(c.notes, DescribeNotes(notes.channelNotes(c.channel))) << c.what;
        for (int other = 1; other < 16; ++other) {
            if (other != c.channel) {
                EXPECT_EQ("", DescribeNotes(notes.channelNotes(other))) << c.what;
            }
        }
    }
}

TEST(SmfNoteFile, NotesOnlyInLaterTracksGiveEmptyLists)
{
    TempFile file(Cat({HeaderChunk(1, 2), TrackChunk(Cat({Meta(0, 0x03, "A"), kEnd})),
                       TrackChunk(Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), kEnd}))}));
    SmfNoteFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    for (int c = 0; c < 16; ++c) EXPECT_TRUE(f.channelNotes(c).empty());
}

TEST(SmfNoteFile, MatchesTheReferenceOnRandomTracksOverTwoWalks)
{
    std::mt19937 random(20261206);
    for (int round = 0; round < 60; ++round) {
        Bytes track;
        const int events = 50 + static_cast<int>(random() % 400);
        for (int i = 0; i < events; ++i) {
            const uint32_t kind = random() % 10;
            const uint32_t delta = random() % 4 == 0 ? 0 : (random() % 3 == 0 ? random() : random() % 500);
            const int channel = static_cast<int>(random() % 4) * (random() % 2 ? 5 : 1) % 16;
            const int key = static_cast<int>(random() % 8) + (random() % 50 == 0 ? 0x80 : 40);
            if (kind < 5) track = Cat({track, On(delta, channel, key, 1 + static_cast<int>(random() % 127))});
            else if (kind < 8) track = Cat({track, On(delta, channel, key, 0)});
            else if (kind == 8) track = Cat({track, Event(delta, {uint8_t(0x80 | channel), uint8_t(key & 0x7F), 0})});
            else track = Cat({track, Meta(delta, 0x01, "x")});
        }
        TempFile file(SmfWithTrack(Cat({track, Event(random() % 1000, {0xFF, 0x2F, 0x00})})));
        SmfNoteFile fast;
        ReferenceNotes slow;
        ASSERT_EQ(0u, fast.open(file.path()));
        ASSERT_EQ(0u, slow.open(file.path()));
        // A second walk appends the events again, and sounding notes grow on.
        for (int pass = 0; pass < 2; ++pass) {
            fast.readEvents();
            slow.readEvents();
            for (int c = 0; c < 16; ++c)
                ASSERT_EQ(DescribeNotes(slow.lists[c]), DescribeNotes(fast.channelNotes(c)))
                    << "round " << round << " pass " << pass << " channel " << c;
        }
    }
}
