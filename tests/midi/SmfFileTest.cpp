#include "app/errors/ErrorRecord.h"
#include "RecordingSmfFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

Bytes EndOfTrack(uint32_t delta = 0)
{
    return Cat({VarLen(delta), {0xFF, 0x2F, 0x00}});
}

}  // namespace

TEST(SmfFile, ReadsHeaderAndTrackHeader)
{
    TempFile file(Cat({HeaderChunk(1, 3, 96), TrackChunk(EndOfTrack())}));
    SmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(0, std::memcmp(f.header().tag, "MThd", 4));
    EXPECT_EQ(6u, f.header().length);
    EXPECT_EQ(1, f.header().format);
    EXPECT_EQ(3, f.header().trackCount);
    EXPECT_EQ(96, f.header().division);
    EXPECT_EQ(0, std::memcmp(f.chunkHeader().tag, "MTrk", 4));
    EXPECT_EQ(4u, f.chunkHeader().length);
    EXPECT_EQ(1, f.readEvents());
}

TEST(SmfFile, NotMidiFilesFailWithWrongKind)
{
    struct Case {
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
    for (const Case& c : cases) {
        TempFile file(c.bytes);
        SmfFile f;
        EXPECT_EQ(kErrorWrongKind, f.open(file.path())) << c.what;
        EXPECT_EQ(kErrorWrongKind, GetErrorRecord().code) << c.what;
        EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, file.path().c_str())) << c.what;
        EXPECT_NE(nullptr, std::strstr(GetErrorRecord().text, "midiファイル")) << c.what;
        EXPECT_TRUE(f.isOpen()) << c.what;  // stays open until destroyed
    }
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

TEST(SmfFile, MissingFileFailsWithCannotOpen)
{
    SmfFile f;
    EXPECT_EQ(kErrorCannotOpen, f.open("no such folder/no such file.mid"));
}

TEST(SmfFile, HeaderLengthDecidesWhereTheTrackIs)
{
    Bytes header = HeaderChunk();
    header[7] = 10;  // four more header bytes than the standard's six
    TempFile file(Cat({header, {0xAA, 0xBB, 0xCC, 0xDD}, TrackChunk(Cat({{0x00, 0x90, 60, 100}, EndOfTrack()}))}));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(10u, f.header().length);
    f.readEvents();
    EXPECT_EQ("d0 s643C90 d0", f.trace());
}

TEST(SmfFile, DeliversEveryKindOfEventInOrder)
{
    const Bytes track = Cat({
        {0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g'},       // name
        {0x10, 0xC1, 0x05},                                 // program change: one data byte
        {0x20, 0x91, 0x40, 0x7F},                           // note-on
        {0x05, 0xF0, 0x03, 0x7E, 0x7F, 0xF7},               // system exclusive
        {0x81, 0x00, 0xE2, 0x00, 0x40},                     // pitch bend, two-byte delta
        {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},         // tempo
        {0x30, 0xFF, 0x2F, 0x00},                           // end of track (delta 0x30)
        {0x00, 0x90, 0x3C, 0x40},                           // never read
    });
    TempFile file(SmfWithTrack(track));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(1, f.readEvents());
    EXPECT_EQ("d0 d10 s5C1 d20 s7F4091 d5 l80000004 d80 s4000E2 d0 d30", f.trace());
    EXPECT_EQ(0x10u, f.seen[2].deltaTime);
    EXPECT_EQ((std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0xF7}), f.seen[6].parameters);
    EXPECT_EQ(5u, f.seen[6].deltaTime);
    EXPECT_STREQ("Song", f.info().sequenceName);
    EXPECT_EQ(1, f.ends);
}

TEST(SmfFile, MetaTextsKeepTheLastAndEndAtZeroBytes)
{
    const Bytes track = Cat({
        {0x00, 0xFF, 0x03, 0x03, 'O', 'n', 'e'},
        {0x00, 0xFF, 0x03, 0x03, 'T', 'w', 'o'},
        {0x00, 0xFF, 0x01, 0x05, 'a', 'b', 0x00, 'c', 'd'},
        {0x00, 0xFF, 0x02, 0x06, 0x82, 0xA0, '2', '0', '2', '6'},
        {0x00, 0xFF, 0x05, 0x02, 'l', 'a'},
        {0x00, 0xFF, 0x04, 0x02, 'i', 'n'},  // instrument name: not kept
        {0x00, 0xFF, 0x00, 0x02, 0x00, 0x05},
        {0x00, 0xFF, 0x2F, 0x00},
    });
    TempFile file(SmfWithTrack(track));
    SmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_STREQ("Two", f.info().sequenceName);
    EXPECT_STREQ("ab", f.info().text);
    EXPECT_STREQ("\x82\xA0" "2026", f.info().copyright);
    EXPECT_STREQ("la", f.info().lyric);
    EXPECT_EQ(0u, f.info().sequenceNumber);  // the first of 00 05
}

TEST(SmfFile, LongTextIsCutTo255Bytes)
{
    Bytes text(300, 'x');
    text[254] = 'y';
    text[255] = 'z';
    TempFile file(SmfWithTrack(Cat({{0x00, 0xFF, 0x03}, VarLen(300), text, {0x00, 0xFF, 0x02, 0x01, 'C'},
                                    {0x00, 0xFF, 0x2F, 0x00}})));
    SmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_EQ(255u, std::strlen(f.info().sequenceName));
    EXPECT_EQ('y', f.info().sequenceName[254]);
    EXPECT_STREQ("C", f.info().copyright);  // reading went on after the long text
}

TEST(SmfFile, SequenceNumberOfLengthZeroIsUnchanged)
{
    TempFile file(SmfWithTrack(Cat({{0x00, 0xFF, 0x00, 0x01, 0x07}, {0x00, 0xFF, 0x00, 0x00},
                                    {0x00, 0x90, 0x30, 0x40}, {0x00, 0xFF, 0x2F, 0x00}})));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_EQ(7u, f.info().sequenceNumber);
    EXPECT_EQ("d0 d0 d0 s403090 d0", f.trace());
}

TEST(SmfFile, RunningStatusIsReadAsDataBytesAndDeltaTimes)
{
    // delta, 9n key velocity, delta, key velocity: the second key byte is a
    // status without data, and its velocity is read as the next delta-time.
    TempFile file(SmfWithTrack(Cat({{0x00, 0x90, 0x3C, 0x40, 0x10, 0x3E, 0x40}, {0xFF, 0x2F, 0x00}})));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_EQ("d0 s403C90 d10 s3E d40", f.trace());
}

TEST(SmfFile, SecondReadWalksTheSameEvents)
{
    TempFile file(SmfWithTrack(Cat({{0x00, 0x90, 0x3C, 0x40, 0x60, 0x90, 0x3C, 0x00}, {0x00, 0xFF, 0x2F, 0x00}})));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    const std::string first = f.trace();
    f.seen.clear();
    f.readEvents();
    EXPECT_EQ(first, f.trace());
    EXPECT_EQ(2, f.ends);
}

TEST(SmfFile, OnlyTheFirstTrackIsRead)
{
    TempFile file(Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x03, 0x01, 'A', 0x00, 0xFF, 0x2F, 0x00}),
                       TrackChunk({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00})}));
    RecordingSmfFile f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_EQ("d0 d0", f.trace());
    EXPECT_STREQ("A", f.info().sequenceName);
}
