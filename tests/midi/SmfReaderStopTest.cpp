// Where reading stops when a track's bytes run out or make no sense. Each
// track below is the whole rest of the file: the file ends right after it.
#include "RecordingSmfFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct StopCase {
    const char* what;
    Bytes track;
    const char* trace;
};

std::string TraceOf(const Bytes& track, RecordingSmfFile& f, TempFile*& keep)
{
    keep = new TempFile(SmfWithTrack(track));
    EXPECT_EQ(0u, f.open(keep->path()));
    EXPECT_EQ(1, f.readEvents());
    EXPECT_EQ(1, f.ends);
    return f.trace();
}

void Check(const StopCase& c)
{
    RecordingSmfFile f;
    TempFile* file = nullptr;
    EXPECT_EQ(c.trace, TraceOf(c.track, f, file)) << c.what;
    delete file;
}

const Bytes kNote{0x00, 0x90, 0x3C, 0x40};

}  // namespace

TEST(SmfReaderStops, WhereTheDataRunOut)
{
    const StopCase cases[] = {
        {"empty track", {}, ""},
        {"delta-time cut", Cat({kNote, {0x81}}), "d0 s403C90"},
        {"delta-time of five bytes cut", Cat({kNote, {0x81, 0x81, 0x81, 0x81, 0x81}}), "d0 s403C90"},
        {"status missing", Cat({kNote, {0x10}}), "d0 s403C90 d10"},
        {"note-on without velocity", {0x00, 0x90, 0x3C}, "d0"},
        {"note-on without key", {0x00, 0x90}, "d0"},
        {"program change without data", {0x00, 0xC0}, "d0"},
        {"data byte as the last status", {0x00, 0x3C}, "d0 s3C"},
        {"meta type missing", {0x00, 0xFF}, "d0"},
        {"meta length missing", {0x00, 0xFF, 0x03}, "d0"},
        {"meta length cut", {0x00, 0xFF, 0x03, 0x81}, "d0"},
        {"meta data past the end", {0x00, 0xFF, 0x06, 0x10, 'm'}, "d0"},
        {"sysex length missing", {0x00, 0xF0}, "d0"},
        {"sysex length cut", {0x00, 0xF0, 0x81}, "d0"},
        {"sysex data past the end", {0x00, 0xF0, 0x05, 1, 2}, "d0"},
        {"escape length cut", {0x00, 0xF7, 0x83}, "d0"},
        {"escape data past the end", {0x00, 0xF7, 0x03, 1, 2}, "d0"},
        {"escape with a huge length", Cat({{0x00, 0xF7, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, kNote}), "d0"},
        {"meta length near 2^32", Cat({{0x00, 0xFF, 0x06, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, kNote}), "d0"},
        {"tempo with fewer than 12 bytes from its start",
         {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x3C, 0x40}, "d0"},
        {"tempo with 12 bytes from its start",
         {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x05, 0x00, 0x3C}, "d0 d0 s5C0 d0 s3C"},
    };
    for (const StopCase& c : cases) Check(c);
}

TEST(SmfReaderStops, AtStatusBytesThatAreNoTrackEvents)
{
    for (int s = 0xF1; s <= 0xFE; ++s) {
        if (s == 0xF7) continue;
        const StopCase c{"system status", Cat({kNote, {0x05, static_cast<uint8_t>(s), 0x00}, kNote}), "d0 s403C90 d5"};
        SCOPED_TRACE(s);
        Check(c);
    }
}

TEST(SmfReaderStops, EscapeEventsAreSkippedByTheirLength)
{
    Check({"escape", Cat({{0x00, 0xF7, 0x02, 0x90, 0x3C}, kNote, {0x00, 0xFF, 0x2F, 0x00}}), "d0 d0 s403C90 d0"});
    Check({"empty escape", Cat({{0x00, 0xF7, 0x00}, kNote}), "d0 d0 s403C90"});
}

TEST(SmfReaderStops, LongDeltaTimesWrapIn32Bits)
{
    Check({"five bytes", Cat({{0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x40}}), "dFFFFFFFF s403C90"});
    Check({"ten bytes", Cat({{0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0x01, 0x3C}}), "d10204081 s3C"});
}

TEST(SmfReaderStops, SysexMustLeaveRoomForItsPaddedRecord)
{
    const Bytes sysex{0x00, 0xF0, 0x01, 0xF7};  // two message bytes: padded to 4
    // From the event's start 12 + 4 bytes must lie within the file.
    const Bytes twelveAfter{0x00, 0xFF, 0x7F, 0x08, 1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes elevenAfter{0x00, 0xFF, 0x7F, 0x07, 1, 2, 3, 4, 5, 6, 7};
    Check({"at the end", sysex, "d0"});
    Check({"with room", Cat({sysex, twelveAfter}), "d0 l80000002 d0"});
    Check({"one byte short", Cat({sysex, elevenAfter}), "d0"});
}

TEST(SmfReaderStops, LongSysexIsCutTo1012Bytes)
{
    Bytes message(2000);
    for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<uint8_t>(i & 0x7F);
    RecordingSmfFile f;
    TempFile* file = nullptr;
    // Room for the padded record: 2001 message bytes round up to 2004, and
    // the record's 12 header bytes come on top.
    const Bytes room{0x00, 0xFF, 0x7F, 0x04, 1, 2, 3, 4};
    TraceOf(Cat({{0x00, 0xF0}, VarLen(2000), message, kNote, room, {0x00, 0xFF, 0x2F, 0x00}}), f, file);
    delete file;
    ASSERT_EQ(6u, f.seen.size());
    EXPECT_EQ(0x80000000u | 1012, f.seen[1].value);
    ASSERT_EQ(1012u, f.seen[1].parameters.size());
    EXPECT_EQ(0xF0, f.seen[1].parameters[0]);
    EXPECT_EQ(message[1010], f.seen[1].parameters[1011]);
    EXPECT_EQ('s', f.seen[3].kind);  // the note after it was still read
}

TEST(SmfReaderStops, TextPastTheEndIsNotKept)
{
    RecordingSmfFile f;
    TempFile* file = nullptr;
    const std::string trace =
        TraceOf({0x00, 0xFF, 0x03, 0x01, 'X', 0x00, 0xFF, 0x03, 0x05, 'a', 'b'}, f, file);
    delete file;
    EXPECT_EQ("d0 d0", trace);
    EXPECT_STREQ("X", f.info().sequenceName);
}

TEST(SmfReaderStops, TextEndingBeforeTheEndIsKept)
{
    {
        RecordingSmfFile f;
        TempFile* file = nullptr;
        TraceOf({0x00, 0xFF, 0x02, 0x08, 'a', 'b', 0x00}, f, file);  // zero byte, then the end
        delete file;
        EXPECT_STREQ("ab", f.info().copyright);
    }
    {
        Bytes text(255, 'q');
        RecordingSmfFile f;
        TempFile* file = nullptr;
        TraceOf(Cat({{0x00, 0xFF, 0x01}, VarLen(400), text}), f, file);  // 255 bytes, then the end
        delete file;
        EXPECT_EQ(255u, std::strlen(f.info().text));
    }
    {
        RecordingSmfFile f;
        TempFile* file = nullptr;
        TraceOf({0x00, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, f, file);  // length near 2^32
        delete file;
        EXPECT_STREQ("", f.info().text);
    }
}

TEST(SmfReaderStops, EmptyViewReadsNothing)
{
    // A header whose track chunk header is the last thing in the file.
    RecordingSmfFile f;
    TempFile file(SmfWithTrack({}));
    ASSERT_EQ(0u, f.open(file.path()));
    EXPECT_EQ(1, f.readEvents());
    EXPECT_EQ("", f.trace());
}
