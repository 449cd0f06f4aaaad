#include "FuzzChecks.h"

#include "core/browser/PathUtilities.h"
#include "core/encode/CompiledFormat.h"
#include "core/encode/LineFormatter.h"
#include "core/encode/NoteEncoder.h"
#include "core/text/KvText.h"
#include "core/midi/SmfNoteFile.h"
#include "support/ReferenceEncoder.h"
#include "support/ReferenceNotes.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tuple>

namespace {

std::string Printf(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// Seven bits a byte, no limit on the count, 32-bit arithmetic that wraps;
// false when the number runs to `end`.
bool ReadVarLen(const uint8_t* data, uint64_t end, uint64_t& at, uint32_t& value)
{
    for (value = 0; at < end; value <<= 7) {
        const uint8_t b = data[at++];
        value += b & 0x7Fu;
        if (!(b & 0x80)) return true;
    }
    return false;
}

// `count` bytes big-endian from `at`, bytes past `size` read as 0.
uint32_t BigEndian(const uint8_t* data, uint64_t size, uint64_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v << 8 | (at + i < size ? data[at + i] : 0);
    return v;
}

// ---------------------------------------------------------------- reader

// The reader's rules written out plainly over the bytes, every read checked
// against the end: the events of the first track as WatchedNotes writes them
// down, and the texts; for complete reading, every track's channel events
// with their times and the counts of its hints.
struct ModelEvent {
    uint64_t time;
    size_t track, order;
    uint8_t status, key, velocity;
};

struct Model {
    bool opened = false;
    uint16_t format = 0, trackCount = 0, division = 0;
    std::string trace, longBytes;
    uint32_t sequenceNumber = 0;
    std::string texts[4];  // meta 0x01, 0x02, 0x03, 0x05
    std::vector<ModelEvent> events;
    uint64_t end = 0;
    ReadingHints hints;
};

void Note(Model& m, char kind, uint32_t value)
{
    m.trace += Printf(" %c%X", kind, value).substr(m.trace.empty() ? 1 : 0);
}

// One track from `at` to `end`. Complete reading (`merged`) takes a data byte
// where a status belongs under running status and keeps no record room for a
// tempo or a sysex; the default reading takes it as a status of no data bytes.
void Walk(const uint8_t* data, uint64_t at, uint64_t end, size_t track, bool merged, Model& m)
{
    uint64_t time = 0;
    uint8_t running = 0;
    for (size_t order = 0;; ++order) {
        const uint64_t start = at;
        uint32_t delta, length;
        if (!ReadVarLen(data, end, at, delta)) break;
        time += delta;
        if (!merged) Note(m, 'd', delta);
        if (at >= end) break;
        uint8_t status = data[at];
        const bool underRunning = merged && status < 0x80;
        if (underRunning && !running) break;
        if (underRunning) status = running;
        else ++at;
        if (status < 0xF0) {
            const int high = status >> 4;
            const uint64_t n = high >= 0x8 && high != 0xC && high != 0xD ? 2 : high >= 0xC ? 1 : 0;
            if (at + n > end) break;
            const ModelEvent e{time, track, order, status, n >= 1 ? data[at] : uint8_t{0},
                               n >= 2 ? data[at + 1] : uint8_t{0}};
            at += n;
            if (!merged) {
                Note(m, 's', status | uint32_t{e.key} << 8 | uint32_t{e.velocity} << 16);
                continue;
            }
            running = status;
            m.events.push_back(e);
            m.hints.runningStatusEvents += underRunning;
            m.hints.noteOffs += high == 0x8;
            m.hints.laterTrackNotes += high == 0x9 && e.velocity != 0 && track > 0;
            continue;
        }
        if (status == 0xFF) {
            if (at >= end) break;
            const uint8_t type = data[at++];
            if (!ReadVarLen(data, end, at, length) || type == 0x2F || (!merged && type == 0x51 && start + 12 > end))
                break;
            if (!merged && type == 0x00 && length > 0) {
                if (at >= end) break;
                m.sequenceNumber = data[at];
            }
            const int field = type == 0x01 ? 0 : type == 0x02 ? 1 : type == 0x03 ? 2 : type == 0x05 ? 3 : -1;
            if (!merged && field >= 0) {
                // Up to 255 bytes, to a zero byte or the length; the kept bytes must lie in the data.
                uint64_t n = 0;
                while (n < length && n < 255 && at + n < end && data[at + n] != 0) ++n;
                if (n < length && n < 255 && at + n >= end) break;
                m.texts[field].assign(reinterpret_cast<const char*>(data + at), n);
            }
        } else if (status == 0xF0 || status == 0xF7) {
            if (!ReadVarLen(data, end, at, length) || at + length > end) break;
            // The platform's record of a sysex must fit too: 12 bytes of
            // header and F0 with the message padded to four bytes.
            if (!merged && status == 0xF0 && start + 12 + (uint64_t{length} + 4) / 4 * 4 > end) break;
            if (!merged && status == 0xF0) {
                const uint64_t kept = std::min<uint64_t>(length, 1011);
                Note(m, 'l', 0x80000001u + static_cast<uint32_t>(kept));
                m.longBytes += '\xF0';
                m.longBytes.append(reinterpret_cast<const char*>(data + at), kept);
            }
        } else {
            break;
        }
        at += length;  // past the end: the next delta-time ends the walk
    }
    if (merged) m.end = std::max(m.end, time);
}

// The default reading: the first track, to the end of the data. Complete
// reading: the tracks the header counts (one of format 2), each to its
// chunk's end, and all their events sorted by (time, track, order).
Model ModelOf(const uint8_t* data, uint64_t size)
{
    Model m;
    const uint64_t track = 8 + uint64_t{BigEndian(data, size, 4, 4)};
    if (size < 4 || std::memcmp(data, "MThd", 4) != 0 || track + 4 > size || std::memcmp(data + track, "MTrk", 4) != 0)
        return m;
    m.opened = true;
    m.format = static_cast<uint16_t>(BigEndian(data, size, 8, 2));
    m.trackCount = static_cast<uint16_t>(BigEndian(data, size, 10, 2));
    m.division = static_cast<uint16_t>(BigEndian(data, size, 12, 2));
    Walk(data, track + 8, size, 0, false, m);
    const size_t wanted = m.format == 2 ? 1 : std::max<size_t>(1, m.trackCount);
    size_t tracks = 0;
    for (uint64_t at = track; tracks < wanted && at + 8 <= size;) {
        const uint64_t end = at + 8 + BigEndian(data, size, at + 4, 4);
        if (std::memcmp(data + at, "MTrk", 4) == 0) Walk(data, at + 8, std::min(size, end), tracks++, true, m);
        at = end;
    }
    std::sort(m.events.begin(), m.events.end(), [](const ModelEvent& a, const ModelEvent& b) {
        return std::tie(a.time, a.track, a.order) < std::tie(b.time, b.track, b.order);
    });
    return m;
}

// The note lists under test, open on memory.
struct Notes : SmfNoteFile {
    using SmfFile::openMemory;
};

// The records of a reader's 16 lists against the lists wanted; `what` leads the description.
std::string CompareNoteLists(const SmfNoteFile& got, const std::vector<NoteRecord> (&want)[16],
                             const std::string& what)
{
    for (int c = 0; c < 16; ++c) {
        const SmfNoteFile::NoteList& list = got.channelNotes(c);
        if (list.size() != want[c].size())
            return Printf("%s channel %d: %zu records, the rules give %zu", what.c_str(), c, list.size(),
                          want[c].size());
        for (size_t i = 0; i < list.size(); ++i) {
            const NoteRecord& a = list[i];
            const NoteRecord& b = want[c][i];
            if (a.channel != b.channel || a.key != b.key || a.velocity != b.velocity || a.length != b.length)
                return Printf("%s channel %d record %zu: %u/%u/%u len %u, the rules give %u/%u/%u len %u", what.c_str(),
                              c, i, a.channel, a.key, a.velocity, a.length, b.channel, b.key, b.velocity, b.length);
        }
    }
    return {};
}

// The bytes (a file that opens) read with normalisation, default or complete
// reading, against ReferenceNormalized of the unscaled lists and their spans:
// the lists and their encoding, byte for byte.
std::string CheckNormalized(const uint8_t* data, uint32_t size, bool complete,
                            const std::vector<NoteRecord> (&lists)[16], const std::vector<TickSpan> (&spans)[16])
{
    Notes notes;
    if (notes.openMemory("fuzz.mid", data, size) != 0) return "the normalised reading does not open the file";
    notes.readNotes(complete, true);
    std::vector<NoteRecord> want[16];
    for (int c = 0; c < 16; ++c) want[c] = ReferenceNormalized(lists[c], spans[c], notes.header().division);
    const char* what = complete ? "normalised complete reading" : "normalised reading";
    const std::string r = CompareNoteLists(notes, want, what);
    if (!r.empty()) return r;
    // The text line by line, and written in place into the smallest room
    // the encoder takes.
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    const std::string expected =
        ReferenceEncoding(want, 0xFFFF, NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    for (const size_t room : {size_t{0}, LineSink::kTextSpace}) {
        TextSink text(room);
        encoder.encodeNotes(notes, 0xFFFF, text);
        if (text.text != expected) return Printf("%s: the encoding in a room of %zu differs from the rules'", what, room);
    }
    return {};
}

// ---------------------------------------------------------------- complete reading

// The fuzz property of complete reading: the note lists and the counts of
// SmfNoteFile::readNotes(true) against a plain model of its rules, written
// here without the reader's code: a byte-index walk of the chunks and tracks,
// a sort of all events by (time, track, order), and the reference note lists
// fed the sorted events, a note-off (0x8n) as a velocity-0 note-on; then the
// same reading normalised against the reference's records and their times.

// Feeds the reference the time from `from` to `to`, in steps that fit 32 bits.
void Advance(ReferenceNotes& reference, uint64_t from, uint64_t to)
{
    for (; to - from > 0xFFFFFFFFu; from += 0xFFFFFFFFu) reference.onDeltaTime(0xFFFFFFFFu);
    reference.onDeltaTime(static_cast<uint32_t>(to - from));
}

std::string CheckCompleteReading(const uint8_t* data, uint32_t size, const Model& m)
{
    Notes notes;
    if (notes.openMemory("fuzz.mid", data, size) != 0) return "complete reading does not open the file";
    const ReadingHints h = notes.completeReadingHints();
    if (h.laterTrackNotes != m.hints.laterTrackNotes || h.runningStatusEvents != m.hints.runningStatusEvents ||
        h.noteOffs != m.hints.noteOffs)
        return Printf("complete reading counts %u/%u/%u differ from the rules'", unsigned(h.laterTrackNotes),
                      unsigned(h.runningStatusEvents), unsigned(h.noteOffs));
    if (h.any() != (h.laterTrackNotes + h.runningStatusEvents + h.noteOffs > 0)) return "any() belies the counts";
    if (notes.readNotes(true) != 1) return "complete reading did not return 1";
    ReferenceNotes reference;
    MidiEventRecord record{};
    uint64_t time = 0;
    for (const ModelEvent& e : m.events) {
        const bool off = (e.status & 0xF0) == 0x80;
        record.event = (off ? e.status + 0x10u : e.status) | uint32_t{e.key} << 8 |
                       (off ? 0 : uint32_t{e.velocity} << 16);
        Advance(reference, time, e.time);
        reference.onShortEvent(&record);
        time = e.time;
    }
    Advance(reference, time, m.end);
    const std::string lists = CompareNoteLists(notes, reference.lists, "complete reading");
    if (!lists.empty()) return lists;
    return CheckNormalized(data, size, true, reference.lists, reference.spans);
}

}  // namespace

Bytes EveryEventKindFile()
{
    return SmfWithTrack(Cat({
        Meta(0, 0x00, "\x05\x07"), Meta(0, 0x01, "text"), Meta(0, 0x02, std::string(130, 'c')),
        Meta(0, 0x03, "first"), Meta(5, 0x05, "la"), Meta(0, 0x51, "\x07\xA1\x20"), Meta(0, 0x58, "\x04\x02\x18\x08"),
        Event(128, {0xF0}), VarLen(130), Bytes(130, 0x15), Event(0, {0xF7, 0x02, 0x01, 0x02}),  // two-byte length
        Event(480, {0x90, 0x3C, 0x64}), Event(0, {0xC0, 0x05}), Event(0, {0xD1, 0x40}), Event(7, {0xE1, 0x00, 0x40}),
        Event(0, {0x3C}),  // a data byte where a status belongs
        Event(0, {0xB0, 0x07, 0x64}), Event(0, {0xA1, 0x3C, 0x0A}), Event(20000, {0x81, 0x3C, 0x00}),
        Meta(0, 0x03, "second"), Event(0x0FFFFFFF, {0x9F, 0x7F, 0x01}), Event(0, {0xFF, 0x2F, 0x00}),
        Event(0, {0x90, 0x40, 0x40}),
    }));
}

std::string CheckSmfInput(const uint8_t* input, size_t size)
{
    if (size >= 0xFFFFFFFFu) return {};
    const Bytes copy(input, input + size);  // a heap block of exactly `size` bytes
    const uint8_t* const data = copy.data();
    const uint32_t n = static_cast<uint32_t>(size);
    const Model model = ModelOf(data, size);

    Notes fast;
    WatchedNotes slow;
    const uint32_t opened = fast.openMemory("fuzz.mid", data, n);
    if (opened != slow.openMemory("fuzz.mid", data, n)) return "the two readers open differently";
    if ((opened == 0) != model.opened)
        return Printf("open gives %08X, the rules give %s", opened, model.opened ? "0" : "not a MIDI file");
    if (opened != 0) return {};
    if (fast.header().format != model.format || fast.header().trackCount != model.trackCount ||
        fast.header().division != model.division)
        return "header values differ from the file's bytes";

    // Two walks, the second handing out the same as the first.
    for (int pass = 1; pass <= 2; ++pass) {
        slow.trace.clear();
        slow.longBytes.clear();
        // Each event takes at least two bytes: a walk that does not advance
        // would call onDeltaTime without end.
        if (fast.readEvents() != 1 || slow.readEvents() != 1) return "readEvents did not return 1";
        if (slow.ends != pass) return "onEventsEnd not called once per walk";
        if (slow.deltas > pass * (size / 2 + 1)) return "more delta-times than the data can hold";
        if (!slow.fault.empty()) return slow.fault;
        if (slow.trace != model.trace) {
            const std::string& got = slow.trace;  // where the traces part, with what follows in each
            const size_t at = std::mismatch(got.begin(), got.end(), model.trace.begin(), model.trace.end()).first -
                              got.begin();
            return Printf("the events part at byte %zu of the trace: \"%.40s\", the rules give \"%.40s\"", at,
                          got.c_str() + at, model.trace.c_str() + at);
        }
        if (slow.longBytes != model.longBytes) return "the long events' bytes differ from the file's";
        const std::string lists = CompareNoteLists(fast, slow.lists, Printf("pass %d", pass));
        if (!lists.empty()) return lists;
        const std::string normalized = pass == 1 ? CheckNormalized(data, n, false, slow.lists, slow.spans) : "";
        if (!normalized.empty()) return normalized;
    }

    const SmfInfo& info = fast.info();
    if (info.sequenceNumber != model.sequenceNumber) return "sequence number differs";
    const char* const fields[] = {info.text, info.copyright, info.sequenceName, info.lyric};
    for (int i = 0; i < 4; ++i) {
        const size_t length = strnlen(fields[i], SmfInfo::kTextSize);
        if (length >= static_cast<size_t>(SmfInfo::kTextSize)) return Printf("text %d is not terminated", i);
        if (std::string(fields[i], length) != model.texts[i])
            return Printf("text %d is \"%s\", the rules give \"%s\"", i, fields[i], model.texts[i].c_str());
    }
    return CheckCompleteReading(data, n, model);
}

// ---------------------------------------------------------------- encoder

namespace {

// Offsets where a character starts.
std::vector<size_t> Boundaries(const std::string& text)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); i += KvText::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        starts.push_back(i);
    return starts;
}

// ReplaceAll as its contract reads, matching whole characters: restart from
// the start after every replacement, at most 1024 + 4 x the original length
// replacements; a replacement that contains the searched text goes once,
// left to right.
int ReferenceReplaceAll(std::string& text, const std::string& searched, const std::string& replacement)
{
    const auto match = [&](size_t from) {
        for (size_t i : Boundaries(text))
            if (i >= from && text.compare(i, searched.size(), searched) == 0) return i;
        return std::string::npos;
    };
    if (searched.empty() || match(0) == std::string::npos) return -1;
    std::string result;
    size_t from = 0, passes = 1024 + 4 * text.size();
    if (replacement.find(searched) == std::string::npos)
        for (size_t at; passes > 0 && (at = match(0)) != std::string::npos; --passes)
            text.replace(at, searched.size(), replacement);
    else
        for (size_t at; (at = match(from)) != std::string::npos; from = at + searched.size())
            result += text.substr(from, at - from) + replacement;
    if (from) text = result + text.substr(from);
    return static_cast<int>(Boundaries(text).size());
}

std::string CheckLine(const char* what, const char* line, size_t n, size_t capacity)
{
    if (n + 1 > capacity) return Printf("%s: %zu bytes in a capacity of %zu", what, n, capacity);
    if (line[n] != '\0') return Printf("%s: no terminator after %zu bytes", what, n);
    if (std::memchr(line, 0, n)) return Printf("%s: a zero byte inside the line", what);
    return {};
}

}  // namespace

std::string EncoderInput(const int32_t* args, size_t argCount, uint8_t capacityLessOne, const std::string& format1,
                         const std::string& format2, const std::string& searched, const std::string& replacement,
                         const std::string& subject)
{
    std::string input(1, static_cast<char>(argCount));
    for (size_t i = 0; i < argCount; ++i)
        for (int b = 0; b < 4; ++b) input += static_cast<char>(static_cast<uint32_t>(args[i]) >> (8 * b));
    input += static_cast<char>(capacityLessOne);
    for (const std::string* text : {&format1, &format2, &searched, &replacement}) {
        input += *text;
        input += '\0';
    }
    return input + subject;
}

std::string CheckEncoderInput(const uint8_t* data, size_t size)
{
    size_t at = 0;
    size_t argCount = size > 0 ? data[at++] % 17 : 0;
    if (argCount > (size - at) / 4) argCount = (size - at) / 4;
    int32_t padded[32] = {};
    for (size_t i = 0; i < argCount; ++i, at += 4)
        padded[i] = static_cast<int32_t>(uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 |
                                         uint32_t{data[at + 2]} << 16 | uint32_t{data[at + 3]} << 24);
    const std::vector<int32_t> args(padded, padded + argCount);  // a block of exactly the arguments given
    const size_t capacity = at < size ? size_t{data[at++]} + 1 : 1;
    std::string texts[5];
    for (int t = 0; t < 5 && at < size; ++t) {
        const uint8_t* end = t < 4 ? static_cast<const uint8_t*>(std::memchr(data + at, 0, size - at)) : nullptr;
        const size_t n = end ? static_cast<size_t>(end - (data + at)) : size - at;
        texts[t].assign(reinterpret_cast<const char*>(data + at), n);
        at += n + (end ? 1 : 0);
    }
    // A zero inside the subject is kept: ReplaceAll works on the bytes.
    const std::string& format = texts[0];

    // The formatter: a full line and a short buffer.
    const std::vector<char> formatCopy(format.c_str(), format.c_str() + format.size() + 1);
    {
        const std::unique_ptr<char[]> line(new char[LineFormatter::kLineCapacity]);
        const size_t n = LineFormatter::Format(line.get(), LineFormatter::kLineCapacity, formatCopy.data(), args.data(),
                                               argCount);
        std::string r = CheckLine("line", line.get(), n, LineFormatter::kLineCapacity);
        if (!r.empty()) return r;
        // The parsed form the encoder uses gives the very same bytes.
        const std::unique_ptr<char[]> compiledLine(new char[LineFormatter::kLineCapacity]);
        const size_t c = CompiledFormat(format).format(compiledLine.get(), args.data(), argCount);
        if (c != n || std::memcmp(compiledLine.get(), line.get(), n + 1) != 0)
            return Printf("CompiledFormat gives \"%.*s\", the formatter \"%s\"", static_cast<int>(c < 256 ? c : 255),
                          compiledLine.get(), line.get());

        const std::unique_ptr<char[]> small(new char[capacity]);
        const size_t m = LineFormatter::Format(small.get(), capacity, formatCopy.data(), args.data(), argCount);
        r = CheckLine("short buffer", small.get(), m, capacity);
        if (!r.empty()) return r;
    }

    // The note encoder on a record made of the arguments, both forms.
    const NoteEncoder encoder(texts[0], texts[1]);
    const std::string format1 = ReferenceFormat(texts[0]), format2 = ReferenceFormat(texts[1]);
    const uint32_t a0 = static_cast<uint32_t>(padded[0]), a1 = static_cast<uint32_t>(padded[1]);
    for (const uint32_t length : {a1, 480u, a1 % 2000}) {
        const NoteRecord record{uint8_t(a0 & 15), uint8_t(a0 >> 8), uint8_t(a0 >> 16), length};
        const std::unique_ptr<char[]> line(new char[LineFormatter::kLineCapacity]);
        const size_t n = encoder.encodeLine(record, line.get());
        const std::string r = CheckLine("encoded line", line.get(), n, LineFormatter::kLineCapacity);
        if (!r.empty()) return r;
        char expected[LineFormatter::kLineCapacity];
        const size_t e = ReferenceLine(record, format1, format2, expected);
        if (e != n || std::memcmp(expected, line.get(), n) != 0)
            return Printf("encoded line \"%s\", the rules give \"%s\"", line.get(), expected);
    }

    // ReplaceAll against its plain form.
    KvText text(texts[4]);
    std::string expected = texts[4];
    const int want = ReferenceReplaceAll(expected, texts[2], texts[3]);
    const int got = text.ReplaceAll(texts[2], texts[3]);
    if (got != want) return Printf("ReplaceAll returns %d, the plain form %d", got, want);
    if (text.str() != expected) return "ReplaceAll's text differs from the plain form";
    return {};
}

// ---------------------------------------------------------------- paths

std::string CheckPathInput(const uint8_t* data, size_t size)
{
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::string directory = PathParts(path, kPathDirectory);
    const std::string name = PathParts(path, kPathFileName);
    const std::string extension = PathParts(path, kPathExtension);

    if (PathParts(path, 7) != path) return "the parts of mask 7 do not give back the path";
    for (unsigned mask = 0; mask < 8; ++mask) {
        const std::string joined = ((mask & kPathDirectory) ? directory : std::string()) +
                                   ((mask & kPathFileName) ? name : std::string()) +
                                   ((mask & kPathExtension) ? extension : std::string());
        if (PathParts(path, mask) != joined) return Printf("mask %u is not the join of its parts", mask);
    }
    if (DirectoryOf(path) != directory) return "DirectoryOf differs from the directory part";
    if (!extension.empty() && extension[0] != '.') return "the extension does not start with a dot";
    if (ExtensionOf(path) != (extension.empty() ? extension : extension.substr(1)))
        return "ExtensionOf differs from the extension part";

    // Counted in characters from the path's start: no separator after the
    // directory part, no dot in the extension but its first byte, and the
    // directory (after a drive) ends with a separator when it is not empty.
    const size_t drive = size >= 2 && path[1] == ':' && !KvText::IsLeadByte(static_cast<unsigned char>(path[0])) ? 2 : 0;
    if (directory.size() < drive) return "the drive is lost";
    const std::vector<size_t> starts = Boundaries(path);
    auto isStart = [&](size_t at) {
        return at >= size || std::find(starts.begin(), starts.end(), at) != starts.end();
    };
    if (!isStart(directory.size()) || !isStart(directory.size() + name.size()))
        return "a part ends inside a character";
    if (directory.size() > drive) {
        const char last = directory.back();
        if ((last != '\\' && last != '/') || !isStart(directory.size() - 1))
            return "the directory does not end with a separator";
    }
    for (size_t i : starts) {
        const char c = path[i];
        if (i >= directory.size() && (c == '\\' || c == '/')) return Printf("separator at %zu after the directory", i);
        if (i > directory.size() + name.size() && c == '.') return Printf("dot at %zu inside the extension", i);
    }
    return {};
}
