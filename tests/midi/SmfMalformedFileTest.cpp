// Damaged files: every prefix of a file that holds every kind of event, and
// lengths that point far past the end. The events each prefix must deliver
// are worked out from how the file was built, not by reading it. Each prefix
// is read twice: from an exact-size heap copy (so that the sanitizer build
// reports any read past the data) and from a real file.
#include "RecordingSmfFile.h"
#include "app/errors/ErrorRecord.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// One event of the built file and what the reader must do with it.
struct Piece {
    enum Kind { Short, Long, Skipped, Text, SequenceNumber, EndOfTrack };
    Piece(Kind k, uint32_t d, Bytes b) : kind(k), delta(d), body(std::move(b)) {}
    Kind kind;
    uint32_t delta;
    Bytes body;          // the bytes after the delta-time
    size_t needs = 0;    // bytes from the event's start that must be in the file
    SeenEvent event{};   // what a short or long event delivers
    std::string text;    // the text kept, for Text
    char field = 0;      // which text: 't' text, 'c' copyright, 'n' name, 'l' lyric
    uint8_t number = 0;  // the sequence number, for SequenceNumber
};

Piece ShortEvent(uint32_t delta, Bytes body)
{
    Piece p{Piece::Short, delta, body};
    uint32_t word = 0;
    for (size_t i = 0; i < body.size(); ++i) word |= uint32_t{body[i]} << (8 * i);
    p.event = {'s', word, delta, {}};
    return p;
}

Piece TextEvent(uint32_t delta, uint8_t type, char field, const std::string& text)
{
    Piece p{Piece::Text, delta, Cat({{0xFF, type}, VarLen(uint32_t(text.size())), Bytes(text.begin(), text.end())})};
    p.text = text;
    p.field = field;
    return p;
}

Piece SysexEvent(uint32_t delta, const Bytes& data)
{
    Piece p{Piece::Long, delta, Cat({{0xF0}, VarLen(uint32_t(data.size())), data})};
    // The platform's record must fit from the event's start: 12 bytes and
    // the message (F0 and the data) padded to four bytes.
    const size_t message = data.size() + 1;
    p.needs = 12 + (message + 3) / 4 * 4;
    p.event = {'l', 0x80000000u | uint32_t(message), delta, Cat({{0xF0}, data})};
    return p;
}

struct Built {
    Bytes bytes;
    std::vector<size_t> starts;  // offset of each piece
    std::vector<Piece> pieces;
};

// A format 0 file whose track holds every kind of event, with delta-times
// and lengths of one to four bytes, and a note after the end of the track.
Built EveryKindOfEvent()
{
    const std::string longCopyright(130, 'c');  // a two-byte meta length
    Bytes sysex(130);                           // a two-byte sysex length
    for (size_t i = 0; i < sysex.size(); ++i) sysex[i] = uint8_t(i & 0x7F);

    Piece number{Piece::SequenceNumber, 0, {0xFF, 0x00, 0x02, 0x05, 0x07}};
    number.number = 5;
    number.needs = 5;  // only its first data byte is read
    Piece tempo{Piece::Skipped, 0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}};
    tempo.needs = 12;  // the tempo event, too, wants 12 bytes from its start
    Piece end{Piece::EndOfTrack, 0, {0xFF, 0x2F, 0x00}};

    Built b;
    b.pieces = {
        number,
        TextEvent(0, 0x01, 't', "text"),
        TextEvent(0, 0x02, 'c', longCopyright),
        TextEvent(0, 0x03, 'n', "first"),
        TextEvent(5, 0x05, 'l', "la"),
        tempo,
        {Piece::Skipped, 0, {0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08}},
        SysexEvent(128, sysex),
        {Piece::Skipped, 0, {0xF7, 0x02, 0x01, 0x02}},
        ShortEvent(480, {0x90, 0x3C, 0x64}),
        ShortEvent(0, {0xC0, 0x05}),
        ShortEvent(0, {0xD1, 0x40}),
        ShortEvent(7, {0xE1, 0x00, 0x40}),
        ShortEvent(0, {0x3C}),  // a data byte where a status belongs
        ShortEvent(0, {0xB0, 0x07, 0x64}),
        ShortEvent(20000, {0x81, 0x3C, 0x00}),
        TextEvent(0, 0x03, 'n', "second"),
        ShortEvent(0x0FFFFFFF, {0x9F, 0x7F, 0x01}),
        end,
    };
    Bytes track;
    const size_t trackStart = HeaderChunk().size() + 8;
    for (Piece& p : b.pieces) {
        const Bytes event = Cat({VarLen(p.delta), p.body});
        // Every event but the sequence number needs at least all its bytes.
        if (p.kind != Piece::SequenceNumber) p.needs = std::max(p.needs, event.size());
        b.starts.push_back(trackStart + track.size());
        track = Cat({track, event});
    }
    b.bytes = SmfWithTrack(Cat({track, {0x00, 0x90, 0x40, 0x40}}));
    return b;
}

struct Expected {
    bool opens = false;
    std::vector<SeenEvent> events;
    SmfInfo info{};
};

// What the first `size` bytes of the built file must give.
Expected ExpectedFor(const Built& b, size_t size)
{
    Expected e;
    // The header chunk's tag and length, and the track's tag, must be there.
    e.opens = size >= HeaderChunk().size() + 4;
    if (!e.opens) return e;
    for (size_t i = 0; i < b.pieces.size(); ++i) {
        const Piece& p = b.pieces[i];
        const size_t at = b.starts[i];
        const size_t statusAt = at + VarLen(p.delta).size();
        if (statusAt > size) break;  // the delta-time is cut
        e.events.push_back({'d', p.delta, 0, {}});
        if (statusAt >= size || at + p.needs > size) break;
        if (p.kind == Piece::EndOfTrack) break;
        if (p.kind == Piece::Short || p.kind == Piece::Long) e.events.push_back(p.event);
        if (p.kind == Piece::SequenceNumber) e.info.sequenceNumber = p.number;
        if (p.kind == Piece::Text) {
            char* field = p.field == 't' ? e.info.text
                          : p.field == 'c' ? e.info.copyright
                          : p.field == 'n' ? e.info.sequenceName
                                           : e.info.lyric;
            std::strcpy(field, p.text.c_str());
        }
    }
    return e;
}

void ExpectRead(RecordingSmfFile& f, const Expected& want, size_t size)
{
    SCOPED_TRACE(size);
    EXPECT_EQ(1, f.readEvents());
    EXPECT_EQ(1, f.ends);
    ASSERT_EQ(want.events.size(), f.seen.size()) << f.trace();
    for (size_t i = 0; i < want.events.size(); ++i) EXPECT_EQ(want.events[i], f.seen[i]) << "event " << i;
    EXPECT_EQ(want.info.sequenceNumber, f.info().sequenceNumber);
    EXPECT_STREQ(want.info.text, f.info().text);
    EXPECT_STREQ(want.info.copyright, f.info().copyright);
    EXPECT_STREQ(want.info.sequenceName, f.info().sequenceName);
    EXPECT_STREQ(want.info.lyric, f.info().lyric);
}

// The bytes in a heap block of exactly their size.
std::unique_ptr<uint8_t[]> Exact(const Bytes& bytes, size_t size)
{
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size]);
    if (size) std::memcpy(copy.get(), bytes.data(), size);
    return copy;
}

Bytes Track(std::initializer_list<Bytes> events)
{
    return SmfWithTrack(Cat(events));
}

std::string TraceOfMemory(const Bytes& file)
{
    const std::unique_ptr<uint8_t[]> data = Exact(file, file.size());
    RecordingSmfFile f;
    EXPECT_EQ(0u, f.openMemory("huge.mid", data.get(), uint32_t(file.size())));
    EXPECT_EQ(1, f.readEvents());
    return f.trace();
}

}  // namespace

TEST(SmfMalformedFiles, EveryPrefixDeliversExactlyTheEventsThatFit)
{
    const Built b = EveryKindOfEvent();
    // The whole file reads to its end-of-track event, and not past it.
    const Expected whole = ExpectedFor(b, b.bytes.size());
    ASSERT_EQ(b.pieces.size(), size_t(std::count_if(whole.events.begin(), whole.events.end(),
                                                    [](const SeenEvent& e) { return e.kind == 'd'; })));

    for (size_t size = 0; size <= b.bytes.size(); ++size) {
        const Expected want = ExpectedFor(b, size);
        const std::unique_ptr<uint8_t[]> data = Exact(b.bytes, size);
        {
            RecordingSmfFile f;
            const uint32_t opened = f.openMemory("prefix.mid", data.get(), uint32_t(size));
            ASSERT_EQ(want.opens ? 0u : kErrorWrongKind, opened) << size;
            if (opened == 0) ExpectRead(f, want, size);
        }
        {
            TempFile file(Bytes(b.bytes.begin(), b.bytes.begin() + ptrdiff_t(size)));
            RecordingSmfFile f;
            const uint32_t opened = f.open(file.path());
            ASSERT_EQ(want.opens ? 0u : kErrorWrongKind, opened) << size;
            if (opened == 0) ExpectRead(f, want, size);
        }
    }
}

TEST(SmfMalformedFiles, LengthsNear2To32StopWithoutWrappingAround)
{
    const Bytes note{0x00, 0x90, 0x3C, 0x40};
    // Lengths whose sums with the position would wrap in 32 bits and land
    // on the note that follows.
    const Bytes lengths[] = {{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, {0x8F, 0xFF, 0xFF, 0xFF, 0x7E},
                             {0x8F, 0xFF, 0xFF, 0xFF, 0x7C}};
    for (const Bytes& length : lengths) {
        SCOPED_TRACE(int(length.back()));
        EXPECT_EQ("d0", TraceOfMemory(Track({{0x00, 0xF0}, length, note, note, note})));
        EXPECT_EQ("d0", TraceOfMemory(Track({{0x00, 0xF7}, length, note, note, note})));
        for (uint8_t type : {0x01, 0x51, 0x7F})
            EXPECT_EQ("d0", TraceOfMemory(Track({{0x00, 0xFF, type}, length, note, note, note}))) << int(type);
    }
    // An escape that skips to the file's last byte: that byte is read as a
    // delta-time, and reading stops for want of a status.
    EXPECT_EQ("d0 d0", TraceOfMemory(Track({{0x00, 0xF7, 0x04}, note, {0x00}})));
}

TEST(SmfMalformedFiles, ChunkLengthsDoNotBoundReading)
{
    const Bytes events{0x00, 0x90, 0x3C, 0x40, 0x10, 0x90, 0x3C, 0x00};
    Bytes longer = SmfWithTrack(events);
    longer[18] = longer[19] = longer[20] = longer[21] = 0xFF;  // far past the end
    Bytes shorter = SmfWithTrack(events);
    shorter[21] = 1;  // ends inside the first event
    for (const Bytes* file : {&longer, &shorter}) {
        const std::unique_ptr<uint8_t[]> data = Exact(*file, file->size());
        RecordingSmfFile f;
        ASSERT_EQ(0u, f.openMemory("chunk.mid", data.get(), uint32_t(file->size())));
        EXPECT_EQ(uint32_t(file == &longer ? 0xFFFFFFFF : 1), f.chunkHeader().length);
        f.readEvents();
        EXPECT_EQ("d0 s403C90 d10 s3C90", f.trace());
    }
}

TEST(SmfMalformedFiles, HeaderLengthsPastTheEndFailToOpen)
{
    // The track is looked for after the declared header length, wherever it
    // points, even past 4 GiB of offset.
    for (uint32_t length : {7u, 100u, 0x7FFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFFFu}) {
        Bytes file = SmfWithTrack({0x00, 0x90, 0x3C, 0x40});
        for (int i = 0; i < 4; ++i) file[4 + i] = uint8_t(length >> (24 - 8 * i));
        const std::unique_ptr<uint8_t[]> data = Exact(file, file.size());
        RecordingSmfFile f;
        EXPECT_EQ(kErrorWrongKind, f.openMemory("header.mid", data.get(), uint32_t(file.size()))) << length;
        EXPECT_EQ(length, f.header().length);  // kept when only the track is missing
    }
}
