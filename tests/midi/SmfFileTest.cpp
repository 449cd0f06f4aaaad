#include "app/errors/ErrorRecord.h"
#include "RecordingSmfFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const Bytes kNote = Event(0, {0x90, 0x3C, 0x40});
const Bytes kEnd = Event(0, {0xFF, 0x2F, 0x00});

// The track is the whole rest of the file: the file ends right after it.
struct Read {
    explicit Read(const Bytes& file) : temp(file)
    {
        EXPECT_EQ(0u, smf.open(temp.path()));
        EXPECT_EQ(1, smf.readEvents());
        EXPECT_EQ(1, smf.ends);
        EXPECT_EQ(0, smf.uncleanRecords);
    }
    TempFile temp;
    RecordingSmfFile smf;
};

}  // namespace

TEST(SmfFile, OpenReadsTheHeaderAndTrackHeader)
{
    TempFile file(Cat({HeaderChunk(1, 3, 96), TrackChunk(kEnd)}));
    SmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(0, std::memcmp(f.header().tag, "MThd", 4));
    EXPECT_EQ(6u, f.header().length);
    EXPECT_EQ(1, f.header().format);
    EXPECT_EQ(3, f.header().trackCount);
    EXPECT_EQ(96, f.header().division);
    EXPECT_EQ(0, std::memcmp(f.chunkHeader().tag, "MTrk", 4));
    EXPECT_EQ(4u, f.chunkHeader().length);
}

TEST(SmfFile, NotMidiFilesFailWithWrongKindNamingTheFile)
{
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"RIFF wrapper", Cat({{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D'}, HeaderChunk(), TrackChunk({})})},
        {"empty file", {}},
        {"three bytes", {'M', 'T', 'h'}},
        {"another chunk before the track", Cat({HeaderChunk(), {'X', 'Y', 'Z', 'W', 0, 0, 0, 0}, TrackChunk({})})},
        {"no track at all", HeaderChunk()},
        {"header length past the end", {'M', 'T', 'h', 'd', 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 1, 0, 96}},
    };
    for (const auto& c : cases) {
        TempFile file(c.bytes);
        SmfFile f;
        EXPECT_EQ(kErrorWrongKind, f.open(file.path())) << c.what;
        EXPECT_EQ(kErrorWrongKind, GetErrorRecord().code) << c.what;
        EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, file.path().c_str())) << c.what;
        EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, "midiファイル")) << c.what;
        EXPECT_TRUE(f.isOpen()) << c.what;  // stays open until destroyed
    }
    SmfFile missing;
    EXPECT_EQ(kErrorCannotOpen, missing.open("no such folder/no such file.mid"));
}

TEST(SmfFile, FailedTrackCheckKeepsHeaderButZeroesChunkHeader)
{
    TempFile file(Cat({HeaderChunk(2, 5, 240), {'J', 'U', 'N', 'K', 0, 0, 0, 2, 1, 2}}));
    SmfFile f;
    EXPECT_EQ(kErrorWrongKind, f.open(file.path()));
    EXPECT_EQ(2, f.header().format);
    EXPECT_EQ(5, f.header().trackCount);
    const SmfChunkHeader zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &f.chunkHeader(), sizeof zero));
}

TEST(SmfFile, DeliversEveryKindOfEventInOrderUpToTheEndOfTrack)
{
    Read r(SmfWithTrack(Cat({
        Meta(0, 0x03, "Song"),
        Event(0x10, {0xC1, 0x05}),                    // program change: one data byte
        Event(0x20, {0x91, 0x40, 0x7F}),              // note-on
        Event(0x05, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}),  // system exclusive
        Event(0x80, {0xE2, 0x00, 0x40}),              // pitch bend, two-byte delta
        Meta(0, 0x51, "\x07\xA1\x20"),                // tempo
        Event(0x30, {0xFF, 0x2F, 0x00}),              // end of track
        kNote,                                        // never read
    })));
    EXPECT_EQ("d0 d10 s5C1 d20 s7F4091 d5 l80000004 d80 s4000E2 d0 d30", r.smf.trace());
    EXPECT_EQ(0x10u, r.smf.seen[2].deltaTime);
    EXPECT_EQ((std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0xF7}), r.smf.seen[6].parameters);
    EXPECT_EQ(5u, r.smf.seen[6].deltaTime);
    EXPECT_STREQ("Song", r.smf.info().sequenceName);
}

// Tracks and the events they must give, where reading goes on and where it
// stops (cut-off events are covered byte by byte by the every-prefix test
// of FuzzRegressions).
TEST(SmfReader, TracksGiveTheirEventsAndStopWhereTheyMakeNoSense)
{
    const Bytes sysex{0x00, 0xF0, 0x01, 0xF7};  // two message bytes: a record padded to 4
    struct Case {
        std::string what;
        Bytes track;
        const char* trace;
    };
    std::vector<Case> cases = {
        {"empty track", {}, ""},
        {"running status: a data byte as the status, its velocity as a delta-time",
         {0x00, 0x90, 0x3C, 0x40, 0x10, 0x3E, 0x40, 0xFF, 0x2F, 0x00}, "d0 s403C90 d10 s3E d40"},
        {"escape skipped by its length", Cat({{0x00, 0xF7, 0x02, 0x90, 0x3C}, kNote, kEnd}), "d0 d0 s403C90 d0"},
        {"empty escape", Cat({{0x00, 0xF7, 0x00}, kNote}), "d0 d0 s403C90"},
        {"escape with a huge length", Cat({{0x00, 0xF7, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, kNote}), "d0"},
        {"meta length near 2^32", Cat({{0x00, 0xFF, 0x06, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, kNote}), "d0"},
        {"five-byte delta-time wraps", {0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x40}, "dFFFFFFFF s403C90"},
        {"ten-byte delta-time wraps", {0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x01, 0x3C},
         "d10204081 s3C"},
        {"tempo with fewer than 12 bytes from its start", Cat({Meta(0, 0x51, "\x07\xA1\x20"), kNote}), "d0"},
        {"tempo with 12 bytes from its start",
         Cat({Meta(0, 0x51, "\x07\xA1\x20"), {0x00, 0xC0, 0x05, 0x00, 0x3C}}), "d0 d0 s5C0 d0 s3C"},
        {"sysex at the end", sysex, "d0"},
        {"sysex with 12 + 4 bytes from its start", Cat({sysex, Meta(0, 0x7F, "12345678")}), "d0 l80000002 d0"},
        {"sysex one byte short of its record", Cat({sysex, Meta(0, 0x7F, "1234567")}), "d0"},
    };
    for (int s = 0xF1; s <= 0xFE; ++s)
        if (s != 0xF7)
            cases.push_back({"system status " + std::to_string(s),
                             Cat({kNote, {0x05, static_cast<uint8_t>(s), 0x00}, kNote}), "d0 s403C90 d5"});
    for (const Case& c : cases) {
        Read r(SmfWithTrack(c.track));
        EXPECT_EQ(c.trace, r.smf.trace()) << c.what;
    }
}

TEST(SmfReader, HeaderLengthDecidesWhereTheTrackIs)
{
    Bytes header = HeaderChunk();
    header[7] = 10;  // four more header bytes than the standard's six
    Read r(Cat({header, {0xAA, 0xBB, 0xCC, 0xDD}, TrackChunk(Cat({kNote, kEnd}))}));
    EXPECT_EQ(10u, r.smf.header().length);
    EXPECT_EQ("d0 s403C90 d0", r.smf.trace());
}

TEST(SmfReader, MetaTextsKeepTheLastAndEndAtZeroBytes255BytesOrTheData)
{
    Bytes text(300, 'x');
    text[254] = 'y';
    Read r(SmfWithTrack(Cat({
        {0x00, 0xFF, 0x01}, VarLen(300), text,  // cut to 255 bytes
        Meta(0, 0x03, "One"), Meta(0, 0x03, "Two"),
        Meta(0, 0x02, "\x82\xA0" "2026"),
        Meta(0, 0x05, std::string("la\0cd", 5)),
        Meta(0, 0x04, "in"),  // instrument name: not kept
        Meta(0, 0x00, "\x07\x05"), Meta(0, 0x00, ""),
    })));
    EXPECT_STREQ("Two", r.smf.info().sequenceName);
    EXPECT_STREQ("\x82\xA0" "2026", r.smf.info().copyright);
    EXPECT_STREQ("la", r.smf.info().lyric);
    EXPECT_EQ(7u, r.smf.info().sequenceNumber);  // the first of 07 05; length 0 changes nothing
    EXPECT_EQ(std::string(254, 'x') + "y", r.smf.info().text);

    // A text whose length runs past the end is kept when it ends before:
    // at a zero byte, or at 255 bytes.
    Read zero(SmfWithTrack({0x00, 0xFF, 0x02, 0x08, 'a', 'b', 0x00}));
    EXPECT_STREQ("ab", zero.smf.info().copyright);
    Read full(SmfWithTrack(Cat({{0x00, 0xFF, 0x01}, VarLen(400), Bytes(255, 'q')})));
    EXPECT_EQ(std::string(255, 'q'), full.smf.info().text);
    Read past(SmfWithTrack(Cat({Meta(0, 0x03, "X"), {0x00, 0xFF, 0x03, 0x05, 'a', 'b'}})));
    EXPECT_STREQ("X", past.smf.info().sequenceName);
    EXPECT_EQ("d0 d0", past.smf.trace());
}

TEST(SmfReader, LongSysexIsCutTo1012Bytes)
{
    Bytes message(2000);
    for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<uint8_t>(i & 0x7F);
    // 2001 message bytes round up to 2004 for the record, and its 12 header
    // bytes come on top: the meta event after the note makes room.
    Read r(SmfWithTrack(Cat({{0x00, 0xF0}, VarLen(2000), message, kNote, Meta(0, 0x7F, "1234"), kEnd})));
    ASSERT_EQ(6u, r.smf.seen.size());
    EXPECT_EQ(0x80000000u | 1012, r.smf.seen[1].value);
    ASSERT_EQ(1012u, r.smf.seen[1].parameters.size());
    EXPECT_EQ(0xF0, r.smf.seen[1].parameters[0]);
    EXPECT_EQ(message[1010], r.smf.seen[1].parameters[1011]);
    EXPECT_EQ('s', r.smf.seen[3].kind);  // the note after it was still read
}

TEST(SmfReader, EveryWalkHandsOutTheSameEventsInClearedRecords)
{
    // Long messages of falling sizes, one longer than the record, with
    // channel events between them: no bytes of an earlier event may show.
    auto sysex = [](uint32_t delta, size_t size) {
        Bytes data(size, 0x55);
        data.back() = 0xF7;
        return Cat({VarLen(delta), {0xF0}, VarLen(static_cast<uint32_t>(size)), data});
    };
    Read r(SmfWithTrack(Cat({sysex(0, 40), {0x00, 0x90, 60, 100}, sysex(10, 12), sysex(0, 3), {0x05, 0xC0, 0x07},
                             sysex(0, 1500), {0x00, 0x90, 60, 0}, sysex(0, 2), {0x00, 0x90, 62, 0, 0x00, 0x90, 62, 0},
                             kEnd})));
    const std::string first = r.smf.trace();
    EXPECT_EQ(10, std::count_if(r.smf.seen.begin(), r.smf.seen.end(), [](const SeenEvent& e) { return e.kind != 'd'; }));
    r.smf.seen.clear();
    EXPECT_EQ(1, r.smf.readEvents());
    EXPECT_EQ(first, r.smf.trace());
    EXPECT_EQ(2, r.smf.ends);
    EXPECT_EQ(0, r.smf.uncleanRecords);
}
