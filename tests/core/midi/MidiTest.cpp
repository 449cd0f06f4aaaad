// The reader: the events each track hands to the hooks (written down by
// WatchedNotes of tests/support), where reading stops, the texts it keeps;
// complete reading of all tracks in merged order; the note lists' blocks and
// their normalised lengths. That a second walk hands out the same, complete
// reading's note lists and counts, and the lists against the reference lists
// (tests/support/ReferenceNotes) are checked by the fuzz checks
// (FuzzRegressions) on random tracks, real files and saved inputs.
#include "core/errors/ErrorRecord.h"
#include "core/midi/MappedFile.h"
#include "core/midi/ResolutionScale.h"
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

const Bytes kNote = Event(0, {0x90, 0x3C, 0x40}), kEnd = Event(0, {0xFF, 0x2F, 0x00}), kLater{0x01, 0x92, 0x40, 0x40};

// Where reading goes on and where it stops (cut-off events are covered byte
// by byte by the every-prefix test of FuzzRegressions).
TEST(SmfReader, TracksGiveTheirEventsAndStopWhereTheyMakeNoSense)
{
    const Bytes sysex{0x00, 0xF0, 0x01, 0xF7};  // two message bytes: a record padded to 4
    struct Case {
        std::string what;
        Bytes track;
        const char* trace;
    };
    std::vector<Case> cases = {
        {"every kind of event up to the end of track",
         Cat({Meta(0, 0x03, "Song"), Event(0x10, {0xC1, 0x05}), Event(0x20, {0x91, 0x40, 0x7F}),
              Event(0x05, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}), Event(0x80, {0xE2, 0x00, 0x40}),
              Meta(0, 0x51, "\x07\xA1\x20"), Event(0x30, {0xFF, 0x2F, 0x00}), kNote}),
         "d0 d10 s5C1 d20 s7F4091 d5 l80000004 d80 s4000E2 d0 d30"},
        {"running status: a data byte as the status, its velocity as a delta-time",
         {0x00, 0x90, 0x3C, 0x40, 0x10, 0x3E, 0x40, 0xFF, 0x2F, 0x00}, "d0 s403C90 d10 s3E d40"},
        {"escape skipped by its length", Cat({{0x00, 0xF7, 0x02, 0x90, 0x3C}, kNote, kEnd}), "d0 d0 s403C90 d0"},
        {"escape with a length near 2^32", Cat({{0x00, 0xF7, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, kNote}), "d0"},
        {"five-byte delta-time wraps", {0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x40}, "dFFFFFFFF s403C90"},
        {"tempo with fewer than 12 bytes from its start", Cat({Meta(0, 0x51, "\x07\xA1\x20"), kNote}), "d0"},
        {"tempo with 12 bytes from its start",
         Cat({Meta(0, 0x51, "\x07\xA1\x20"), {0x00, 0xC0, 0x05, 0x00, 0x3C}}), "d0 d0 s5C0 d0 s3C"},
        {"sysex with 12 + 4 bytes from its start", Cat({sysex, Meta(0, 0x7F, "12345678")}), "d0 l80000002 d0"},
        {"sysex one byte short of its record", Cat({sysex, Meta(0, 0x7F, "1234567")}), "d0"},
        // 40001 bytes (more than 15 bits hold) round up to 40004 for the record,
        // 12 header bytes on top.
        {"long sysex cut to 1012 bytes",
         Cat({{0x00, 0xF0}, VarLen(40000), Bytes(40000, 0x55), kNote, Meta(0, 0x7F, "1234")}),
         "d0 l800003F4 d0 s403C90 d0"},
    };
    for (int s = 0xF1; s <= 0xFE; ++s)
        if (s != 0xF7)
            cases.push_back({"system status " + std::to_string(s),
                             Cat({kNote, {0x05, static_cast<uint8_t>(s), 0x00}, kNote}), "d0 s403C90 d5"});
    for (const Case& c : cases) {
        ReaderOn<WatchedNotes> smf(SmfWithTrack(c.track));
        EXPECT_EQ(1, smf.readEvents());
        EXPECT_EQ(c.trace, smf.trace) << c.what;
        EXPECT_EQ("", smf.fault) << c.what;
    }
}

TEST(SmfReader, MetaTextsKeepTheLastAndEndAtZeroBytes255BytesOrTheData)
{
    Bytes text(300, 'x');
    text[254] = 'y';
    ReaderOn<WatchedNotes> r(SmfWithTrack(Cat({
        {0x00, 0xFF, 0x01}, VarLen(300), text,  // cut to 255 bytes
        Meta(0, 0x03, "One"), Meta(0, 0x03, "Two"), Meta(0, 0x02, "\x82\xA0" "2026"),
        Meta(0, 0x05, std::string("la\0cd", 5)), Meta(0, 0x00, "\x07\x05"), Meta(0, 0x00, ""),
    })));
    r.readEvents();
    EXPECT_STREQ("Two", r.info().sequenceName);
    EXPECT_STREQ("\x82\xA0" "2026", r.info().copyright);
    EXPECT_STREQ("la", r.info().lyric);
    EXPECT_EQ(7u, r.info().sequenceNumber);  // the first of 07 05; length 0 changes nothing
    EXPECT_EQ(std::string(254, 'x') + "y", r.info().text);
    // A text running past the end is kept only when it ends before, at a zero byte.
    ReaderOn<WatchedNotes> zero(SmfWithTrack({0x00, 0xFF, 0x02, 0x08, 'a', 'b', 0x00}));
    ReaderOn<WatchedNotes> past(SmfWithTrack(Cat({Meta(0, 0x03, "X"), {0x00, 0xFF, 0x03, 0x05, 'a', 'b'}})));
    zero.readEvents();
    past.readEvents();
    EXPECT_STREQ("ab", zero.info().copyright);
    EXPECT_STREQ("X", past.info().sequenceName);
}

TEST(CompleteReading, HandsOnTheChannelEventsOfAllTracksInMergedOrder)
{
    Bytes pastFourGigaTicks;  // 17 x 0x0FFFFFFF = 0x10FFFFFEF, which 32 bits would wrap
    for (int i = 0; i < 17; ++i) pastFourGigaTicks = Cat({pastFourGigaTicks, VarLen(0x0FFFFFFF), {0xFF, 0x01, 0x00}});
    const struct {
        const char* what;
        Bytes file;
        const char* trace;
    } cases[] = {
        {"running status across meta and sysex",
         SmfWithTrack({0x00, 0x90, 0x3C, 0x40, 0x10, 0xFF, 0x01, 0x01, 'a', 0x10, 0xF0, 0x01, 0xF7, 0x10, 0xF7, 0x00,
                       0x10, 0x3E, 0x00}),
         "d0 s403C90 d40 s3E90 d0"},
        {"running status with no status before it", SmfWithTrack({0x05, 0x3C, 0x40, 0x00, 0x90}), "d5"},
        {"a system status ends the track", SmfWithTrack({0x00, 0xF1, 0x00, 0x90, 0x3C, 0x40}), "d0"},
        {"equal times go by track index",
         Cat({HeaderChunk(1, 2), TrackChunk({0x10, 0x90, 0x3C, 0x40}), TrackChunk({0x10, 0x91, 0x3E, 0x40})}),
         "d10 s403C90 d0 s403E91 d0"},
        {"times are summed in 64 bits",
         Cat({HeaderChunk(1, 2), TrackChunk(Cat({pastFourGigaTicks, kNote})),
              TrackChunk(Cat({VarLen(0xFFFFFFF0), {0x91, 0x3E, 0x40}}))}),
         "dFFFFFFF0 s403E91 dFFFFFFF s403C90 d0"},
        {"a short declared length ends the track at it",
         Cat({HeaderChunk(), {'M', 'T', 'r', 'k', 0, 0, 0, 6, 0x00, 0x90, 0x3C, 0x40, 0x07, 0x90, 0x3E, 0x40}}),
         "d0 s403C90 d7"},
        {"chunks of other types between tracks are skipped",
         Cat({HeaderChunk(1, 2), TrackChunk(kNote), HeaderChunk(), TrackChunk(kLater)}), "d0 s403C90 d1 s404092 d0"},
        {"format 2 reads the first track only", Cat({HeaderChunk(2, 2), TrackChunk(kNote), TrackChunk(kLater)}),
         "d0 s403C90 d0"},
        {"a track count larger than the chunks present",
         Cat({HeaderChunk(1, 5), TrackChunk(kNote), TrackChunk(kLater), {'M', 'T', 'r'}}), "d0 s403C90 d1 s404092 d0"},
    };
    for (const auto& c : cases) {
        ReaderOn<WatchedNotes> f(c.file);
        EXPECT_EQ(1, f.readAllTracks());
        EXPECT_EQ(c.trace, f.trace) << c.what;
        EXPECT_EQ(1, f.ends) << c.what;
        EXPECT_EQ("", f.fault) << c.what;
    }
}

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

TEST(MappedFile, ReadsStopAtTheEndAndOpenStatesAreReported)
{
    TempFile file(Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    MappedFile f;
    uint8_t b[16] = {};
    uint32_t n = 7;
    EXPECT_EQ(kErrorNotOpen, f.read(b, 4, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(kErrorCannotOpen, f.open(file.path() + ".missing"));
    EXPECT_EQ(kErrorCannotOpen, f.open(std::filesystem::path(file.path()).parent_path().string()));
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(kErrorAlreadyOpen, f.open(file.path()));
    EXPECT_EQ(0u, f.read(b, sizeof b, n));
    EXPECT_EQ(10u, n);
    EXPECT_EQ(0, std::memcmp(b, "0123456789", 10));
    EXPECT_EQ(0u, f.read(b, sizeof b, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(0u, f.close());
    EXPECT_EQ(kErrorNotOpen, f.close());
    // "表示.mid" in Shift-JIS (a 0x5C trail byte), and empty.
    TempFile japanese(Bytes{}, "\x95\x5C\x8E\xA6.mid");
    EXPECT_EQ(0u, f.open(japanese.path()));
}
