#include "midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

// "C60/100:480" for a note, "R:240" for a rest.
std::string Describe(const SmfNoteFile::NoteList& notes)
{
    std::ostringstream out;
    for (const NoteRecord& r : notes) {
        if (!out.str().empty()) out << ' ';
        if (r.key == 0 && r.velocity == 0) out << "R:" << r.length;
        else out << 'K' << int(r.key) << '/' << int(r.velocity) << ':' << r.length;
    }
    return out.str();
}

Bytes On(uint32_t delta, int channel, int key, int velocity)
{
    return Cat({VarLen(delta), {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key),
                                static_cast<uint8_t>(velocity)}});
}

Bytes End(uint32_t delta = 0)
{
    return Cat({VarLen(delta), {0xFF, 0x2F, 0x00}});
}

struct Loaded {
    explicit Loaded(const Bytes& track) : file(SmfWithTrack(track))
    {
        EXPECT_EQ(0u, notes.open(file.path()));
        notes.readEvents();
    }
    std::string channel(int c) const { return Describe(notes.channelNotes(c)); }
    TempFile file;
    SmfNoteFile notes;
};

}  // namespace

TEST(SmfNoteFile, NotesEndedByVelocityZeroFollowOneAnother)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), On(0, 0, 62, 90), On(480, 0, 62, 0), End()}));
    EXPECT_EQ("K60/100:480 K62/90:480", f.channel(0));
}

TEST(SmfNoteFile, GapBeforeANoteBecomesARest)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), On(240, 0, 62, 90), On(240, 0, 62, 0), End()}));
    EXPECT_EQ("K60/100:480 R:240 K62/90:240", f.channel(0));
}

TEST(SmfNoteFile, NoteOnBeforeTheEndOfThePreviousNoteSeesTheIdleTime)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(480, 0, 62, 90), On(0, 0, 60, 0), On(480, 0, 62, 0), End()}));
    EXPECT_EQ("K60/100:480 R:480 K62/90:480", f.channel(0));
}

TEST(SmfNoteFile, FirstNoteAfterMetaEventsStartsWithARest)
{
    Loaded f(Cat({{0x00, 0xFF, 0x03, 0x01, 'A'}, {0x60, 0xFF, 0x01, 0x01, 'B'}, On(0, 0, 60, 100),
                  On(480, 0, 60, 0), End()}));
    EXPECT_EQ("R:96 K60/100:480", f.channel(0));
}

TEST(SmfNoteFile, ChannelsKeepTheirOwnRecordsAndRests)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(120, 3, 40, 70), On(360, 0, 60, 0), On(120, 3, 40, 0),
                  On(0, 0, 64, 80), On(240, 0, 64, 0), On(0, 3, 41, 60), On(60, 3, 41, 0), End()}));
    EXPECT_EQ("K60/100:480 R:120 K64/80:240", f.channel(0));
    EXPECT_EQ("R:120 K40/70:480 R:240 K41/60:60", f.channel(3));
    for (int c : {1, 2, 4, 15}) EXPECT_EQ("", f.channel(c));
}

TEST(SmfNoteFile, NotesOnlyInLaterTracksGiveEmptyLists)
{
    const Bytes notes = Cat({On(0, 0, 60, 100), On(480, 0, 60, 0), End()});
    TempFile file(Cat({HeaderChunk(1, 2), TrackChunk(Cat({{0x00, 0xFF, 0x03, 0x01, 'A'}, End()})),
                       TrackChunk(notes)}));
    SmfNoteFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    for (int c = 0; c < 16; ++c) EXPECT_TRUE(f.channelNotes(c).empty());
}

TEST(SmfNoteFile, NoteOffEventsAreIgnored)
{
    // Each note is ended by 8n: notes grow to the end of the track or to the
    // next note-on of their key, and each note but the first gets a rest.
    Loaded f(Cat({On(0, 1, 60, 100), {0x60, 0x81, 60, 0}, On(0, 1, 62, 90), {0x60, 0x81, 62, 0},
                  On(0, 1, 60, 80), {0x60, 0x81, 60, 0}, End(10)}));
    EXPECT_EQ("K60/100:192 R:96 K62/90:202 R:96 K60/80:106", f.channel(1));
}

TEST(SmfNoteFile, SoundingNotesKeepTheLengthReachedIncludingTheLastDelta)
{
    Loaded f(Cat({On(0, 2, 127, 1), On(100, 2, 0, 5), End(50)}));
    EXPECT_EQ("K127/1:150 R:100 K0/5:50", f.channel(2));
}

TEST(SmfNoteFile, VelocityZeroForASilentKeyStillResetsTheIdleTime)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(100, 0, 60, 0), On(200, 0, 70, 0), On(50, 0, 62, 100), On(10, 0, 62, 0),
                  End()}));
    EXPECT_EQ("K60/100:100 R:50 K62/100:10", f.channel(0));
}

TEST(SmfNoteFile, KeyBytesOf0x80AndAboveAreIgnoredEntirely)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(100, 0, 0x85, 0x40), On(100, 0, 0xFF, 0), On(100, 0, 60, 0), End()}));
    EXPECT_EQ("K60/100:300", f.channel(0));
    Loaded g(Cat({On(0, 0, 60, 100), On(100, 0, 60, 0), On(100, 0, 0x85, 0), On(100, 0, 61, 9), End()}));
    EXPECT_EQ("K60/100:100 R:200 K61/9:0", g.channel(0));  // no reset by the bad event
}

TEST(SmfNoteFile, LengthsWrapIn32Bits)
{
    Loaded f(Cat({On(0, 0, 60, 100), On(0xF0000000u, 0, 61, 1), On(0x20000000u, 0, 60, 0), End()}));
    // Key 60 sounds 0x110000000 ticks, kept modulo 2^32.
    EXPECT_EQ("K60/100:268435456 R:4026531840 K61/1:536870912", f.channel(0));
}

// The straightforward form of the note lists: every delta-time added to
// every sounding note of the 16 x 128 table and to every channel's idle time.
namespace {

struct Reference : SmfFile {
    NoteRecord* sounding[16][128] = {};
    uint32_t idle[16] = {};
    std::vector<std::unique_ptr<NoteRecord>> lists[16];

    int onDeltaTime(uint32_t d) override
    {
        for (int c = 0; c < 16; ++c) {
            for (NoteRecord* r : sounding[c])
                if (r) r->length += d;
            idle[c] += d;
        }
        return 1;
    }
    int onShortEvent(const MidiEventRecord* e) override
    {
        const int s = e->event & 0xFF, key = (e->event >> 8) & 0xFF, vel = (e->event >> 16) & 0xFF;
        if (s < 0x90 || s > 0x9F || key >= 128) return 1;
        const int c = s - 0x90;
        if (vel == 0) {
            sounding[c][key] = nullptr;
            idle[c] = 0;
            return 1;
        }
        if (idle[c]) lists[c].push_back(std::make_unique<NoteRecord>(NoteRecord{uint8_t(c), 0, 0, idle[c]}));
        lists[c].push_back(std::make_unique<NoteRecord>(NoteRecord{uint8_t(c), uint8_t(key), uint8_t(vel), 0}));
        sounding[c][key] = lists[c].back().get();
        idle[c] = 0;
        return 1;
    }
    std::string channel(int c) const
    {
        SmfNoteFile::NoteList copy;
        for (const auto& r : lists[c]) copy.push_back(*r);
        return Describe(copy);
    }
};

}  // namespace

TEST(SmfNoteFile, MatchesTheStraightforwardTableOnRandomTracks)
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
            else if (kind == 8) track = Cat({track, VarLen(delta), {uint8_t(0x80 | channel), uint8_t(key & 0x7F), 0}});
            else track = Cat({track, VarLen(delta), {0xFF, 0x01, 0x01, 'x'}});
        }
        track = Cat({track, End(random() % 1000)});
        TempFile file(SmfWithTrack(track));
        SmfNoteFile fast;
        Reference slow;
        ASSERT_EQ(0u, fast.open(file.path()));
        ASSERT_EQ(0u, slow.open(file.path()));
        fast.readEvents();
        slow.readEvents();
        for (int pass = 0; pass < 2; ++pass) {
            for (int c = 0; c < 16; ++c)
                ASSERT_EQ(slow.channel(c), Describe(fast.channelNotes(c))) << "round " << round << " channel " << c;
            // A second walk appends the events again, and sounding notes grow on.
            fast.readEvents();
            slow.readEvents();
        }
    }
}
