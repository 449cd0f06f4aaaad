// Complete reading: which tracks are read and how, the merged order the hooks
// see, note-offs in the note lists, and the counts of what only it sees.
#include "RecordingSmfFile.h"
#include "midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const Bytes kEnd{0x00, 0xFF, 0x2F, 0x00};

Bytes Chunk(const char* tag, const Bytes& data)
{
    Bytes chunk = TrackChunk(data);
    std::copy(tag, tag + 4, chunk.begin());
    return chunk;
}

// A track chunk whose declared length is `length`, whatever its data.
Bytes DeclaredTrack(uint32_t length, const Bytes& data)
{
    Bytes chunk = TrackChunk(data);
    for (int i = 0; i < 4; ++i) chunk[4 + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    return chunk;
}

Bytes Smf(uint16_t format, uint16_t tracks, std::initializer_list<Bytes> chunks)
{
    Bytes out = HeaderChunk(format, tracks);
    for (const Bytes& c : chunks) out = Cat({out, c});
    return out;
}

// Seventeen empty text events of the largest four-byte delta-time: 64-bit
// time 0x10FFFFFEF, which 32 bits would wrap to 0x0FFFFFEF.
Bytes PastFourGigaTicks()
{
    Bytes out;
    for (int i = 0; i < 17; ++i) out = Cat({out, VarLen(0x0FFFFFFF), {0xFF, 0x01, 0x00}});
    return out;
}

struct TraceCase {
    const char* what;
    Bytes file;
    const char* trace;
};

std::string Describe(const SmfNoteFile::NoteList& notes)
{
    std::ostringstream out;
    for (const NoteRecord& r : notes) {
        if (!out.str().empty()) out << ' ';
        if (r.key == 0 && r.velocity == 0) out << "R:" << r.length;
        else out << 'K' << int(r.key) << ':' << r.length;
    }
    return out.str();
}

}  // namespace

TEST(CompleteReading, HandsOnTheChannelEventsOfAllTracksInMergedOrder)
{
    const Bytes note{0x00, 0x90, 0x3C, 0x40};
    const TraceCase cases[] = {
        {"running status across meta and sysex",
         Smf(0, 1, {TrackChunk({0x00, 0x90, 0x3C, 0x40, 0x10, 0xFF, 0x01, 0x01, 'a', 0x10, 0xF0, 0x01, 0xF7, 0x10,
                                 0xF7, 0x00, 0x10, 0x3E, 0x00})}),
         "d0 s403C90 d40 s3E90 d0"},
        {"running status of a one-byte event", Smf(0, 1, {TrackChunk({0x00, 0xC1, 0x05, 0x10, 0x06})}),
         "d0 s5C1 d10 s6C1 d0"},
        {"running status with no status before it", Smf(0, 1, {TrackChunk({0x05, 0x3C, 0x40, 0x00, 0x90, 0x3C, 0x40})}),
         "d5"},
        {"end time includes the end-of-track delta", Smf(0, 1, {TrackChunk({0x00, 0x90, 0x3C, 0x40, 0x60, 0xFF, 0x2F, 0x00})}),
         "d0 s403C90 d60"},
        {"end-of-track ends the track", Smf(0, 1, {TrackChunk(Cat({kEnd, note}))}), "d0"},
        {"a system status ends the track", Smf(0, 1, {TrackChunk({0x00, 0xF1, 0x00, 0x90, 0x3C, 0x40})}), "d0"},
        {"equal times go by track index",
         Smf(1, 2, {TrackChunk({0x10, 0x90, 0x3C, 0x40}), TrackChunk({0x10, 0x91, 0x3E, 0x40})}),
         "d10 s403C90 d0 s403E91 d0"},
        {"earlier times first, whatever the track",
         Smf(1, 2, {TrackChunk({0x20, 0x90, 0x3C, 0x40}), TrackChunk({0x10, 0x91, 0x3E, 0x40, 0x30, 0xFF, 0x2F, 0x00})}),
         "d10 s403E91 d10 s403C90 d20"},
        {"times are summed in 64 bits",
         Smf(1, 2, {TrackChunk(Cat({PastFourGigaTicks(), note})), TrackChunk(Cat({VarLen(0xFFFFFFF0), {0x91, 0x3E, 0x40}}))}),
         "dFFFFFFF0 s403E91 dFFFFFFF s403C90 d0"},
        {"a short declared length ends the track at it",
         Smf(0, 1, {DeclaredTrack(6, {0x00, 0x90, 0x3C, 0x40, 0x07, 0x90, 0x3E, 0x40})}), "d0 s403C90 d7"},
        {"a declared length past the file's end", Smf(0, 1, {DeclaredTrack(1000, note)}), "d0 s403C90 d0"},
        {"a chunk of another type between tracks is skipped",
         Smf(1, 2, {TrackChunk(note), Chunk("XFIL", {0x00, 0x91, 0x3E, 0x40}), TrackChunk({0x01, 0x92, 0x40, 0x40})}),
         "d0 s403C90 d1 s404092 d0"},
        {"a second MThd after the track is skipped",
         Smf(1, 2, {TrackChunk(note), HeaderChunk(0, 1), TrackChunk({0x01, 0x92, 0x40, 0x40})}),
         "d0 s403C90 d1 s404092 d0"},
        {"format 2 reads the first track only",
         Smf(2, 2, {TrackChunk(note), TrackChunk({0x01, 0x92, 0x40, 0x40})}), "d0 s403C90 d0"},
        {"a track count smaller than the chunks present",
         Smf(1, 1, {TrackChunk(note), TrackChunk({0x01, 0x92, 0x40, 0x40})}), "d0 s403C90 d0"},
        {"a track count of 0 reads one track", Smf(1, 0, {TrackChunk(note), TrackChunk({0x01, 0x92, 0x40, 0x40})}),
         "d0 s403C90 d0"},
        {"a track count larger than the chunks present",
         Smf(1, 5, {TrackChunk(note), TrackChunk({0x01, 0x92, 0x40, 0x40}), Bytes{'M', 'T', 'r'}}),
         "d0 s403C90 d1 s404092 d0"},
    };
    for (const TraceCase& c : cases) {
        const TempFile file(c.file);
        RecordingSmfFile f;
        ASSERT_EQ(0u, f.open(file.path())) << c.what;
        EXPECT_EQ(1, f.readAllTracks());
        EXPECT_EQ(c.trace, f.trace()) << c.what;
        EXPECT_EQ(1, f.ends) << c.what;
    }
}

TEST(CompleteReading, NoteOffEndsANoteLikeAVelocityZeroNoteOn)
{
    struct Case {
        const char* what;
        Bytes file;
        const char* channel0;
    };
    const Case cases[] = {
        {"note-off with a velocity", Smf(0, 1, {TrackChunk({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x40, 0x20,
                                                             0x90, 0x3E, 0x40, 0x10, 0x80, 0x3E, 0x00})}),
         "K60:96 R:32 K62:16"},
        {"note-off under running status", Smf(0, 1, {TrackChunk({0x00, 0x80, 0x3C, 0x40, 0x00, 0x90, 0x3C, 0x40, 0x60,
                                                                  0x80, 0x3C, 0x40, 0x20, 0x3C, 0x00})}),
         "K60:96"},
        {"note-off in a later track", Smf(1, 2, {TrackChunk({0x00, 0x90, 0x3C, 0x40}), TrackChunk({0x30, 0x80, 0x3C, 0x00})}),
         "K60:48"},
    };
    for (const Case& c : cases) {
        const TempFile file(c.file);
        SmfNoteFile notes;
        ASSERT_EQ(0u, notes.open(file.path())) << c.what;
        notes.readNotes(true);
        EXPECT_EQ(c.channel0, Describe(notes.channelNotes(0))) << c.what;
    }
}

TEST(CompleteReading, CountsWhatOnlyItSees)
{
    struct Case {
        const char* what;
        Bytes file;
        uint64_t laterTrackNotes, runningStatusEvents, noteOffs;
    };
    const Case cases[] = {
        {"note-ons with a velocity in later tracks",
         Smf(1, 3, {TrackChunk({0x00, 0x90, 0x3C, 0x40}), TrackChunk({0x00, 0x91, 0x3C, 0x40, 0x00, 0x91, 0x3C, 0x00}),
                     TrackChunk({0x00, 0x92, 0x3C, 0x40, 0x00, 0x3D, 0x40})}),
         3, 1, 0},
        {"note-offs and running status", Smf(0, 1, {TrackChunk({0x00, 0x80, 0x3C, 0x40, 0x00, 0x3D, 0x40, 0x00, 0xB0,
                                                                 0x07, 0x64, 0x00, 0x0A, 0x40})}),
         0, 2, 2},
        {"later tracks of format 2 are not read", Smf(2, 2, {TrackChunk({}), TrackChunk({0x00, 0x91, 0x3C, 0x40})}), 0, 0, 0},
    };
    for (const Case& c : cases) {
        const TempFile file(c.file);
        SmfFile f;
        ASSERT_EQ(0u, f.open(file.path())) << c.what;
        const ReadingHints h = f.completeReadingHints();
        EXPECT_EQ(c.laterTrackNotes, h.laterTrackNotes) << c.what;
        EXPECT_EQ(c.runningStatusEvents, h.runningStatusEvents) << c.what;
        EXPECT_EQ(c.noteOffs, h.noteOffs) << c.what;
        EXPECT_EQ(c.laterTrackNotes + c.runningStatusEvents + c.noteOffs > 0, h.any()) << c.what;
    }
}
