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
#include <vector>

namespace {

// A heap block of exactly `size` bytes (a zero-size block for none).
std::unique_ptr<uint8_t[]> ExactCopy(const uint8_t* data, size_t size)
{
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size]);
    if (size) std::memcpy(copy.get(), data, size);
    return copy;
}

std::unique_ptr<char[]> ExactText(const std::string& text)
{
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

std::string Printf(const char* format, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// ---------------------------------------------------------------- reader

// What readEvents hands out, one entry per hook call.
struct Event {
    char kind;  // 'd' delta-time, 's' short event, 'l' long event
    uint32_t value;
    std::vector<uint8_t> parameters;
    bool operator==(const Event& o) const
    {
        return kind == o.kind && value == o.value && parameters == o.parameters;
    }
};

std::string Describe(const std::vector<Event>& events, size_t at)
{
    if (at >= events.size()) return "(none)";
    return Printf("%c%X", events[at].kind, events[at].value);
}

struct Texts {
    uint32_t sequenceNumber = 0;
    std::string text, copyright, sequenceName, lyric;
};

// The reader's rules written out plainly over a cursor that refuses to move
// past the end: every read either yields a byte inside the data or fails,
// and a failure ends the walk where the rules say reading stops.
struct Model {
    int openResult = 0;  // 0, or 1 for "not a MIDI file"
    uint16_t format = 0, trackCount = 0, division = 0;
    std::vector<Event> events;
    Texts texts;
};

struct Cursor {
    const uint8_t* data;
    uint64_t size;
    uint64_t at;
    bool Byte(uint8_t& b)
    {
        if (at >= size) return false;
        b = data[at++];
        return true;
    }
    // Seven bits a byte, no limit on the count, 32-bit arithmetic that wraps.
    bool VarLen(uint32_t& value)
    {
        value = 0;
        for (;;) {
            uint8_t b;
            if (!Byte(b)) return false;
            value += b & 0x7Fu;
            if (!(b & 0x80)) return true;
            value <<= 7;
        }
    }
};

uint32_t Be(const uint8_t* data, uint64_t size, uint64_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v << 8 | (at + i < size ? data[at + i] : 0);
    return v;
}

Model ModelOf(const uint8_t* data, uint64_t size)
{
    Model m;
    if (size < 4 || std::memcmp(data, "MThd", 4) != 0) {
        m.openResult = 1;
        return m;
    }
    const uint64_t headerLength = Be(data, size, 4, 4);
    const uint64_t track = 8 + headerLength;
    if (track + 4 > size || std::memcmp(data + track, "MTrk", 4) != 0) {
        m.openResult = 1;
        return m;
    }
    m.format = static_cast<uint16_t>(Be(data, size, 8, 2));
    m.trackCount = static_cast<uint16_t>(Be(data, size, 10, 2));
    m.division = static_cast<uint16_t>(Be(data, size, 12, 2));

    Cursor c{data, size, track + 8};
    for (;;) {
        const uint64_t offset = c.at;
        uint32_t delta;
        if (!c.VarLen(delta)) break;
        m.events.push_back({'d', delta, {}});
        uint8_t status;
        if (!c.Byte(status)) break;
        if (status < 0xF0) {
            const int high = status >> 4;
            const int n = high >= 0x8 && high != 0xC && high != 0xD ? 2 : high >= 0xC ? 1 : 0;
            uint8_t d1 = 0, d2 = 0;
            if (n >= 1 && !c.Byte(d1)) break;
            if (n >= 2 && !c.Byte(d2)) break;
            m.events.push_back({'s', status | uint32_t{d1} << 8 | uint32_t{d2} << 16, {}});
        } else if (status == 0xF0) {
            uint32_t length;
            if (!c.VarLen(length)) break;
            const uint64_t message = uint64_t{length} + 1;
            // The platform's record of the event must fit: 12 bytes of
            // header and the message padded to four bytes.
            if (offset + 12 + (message + 3) / 4 * 4 > size) break;
            if (c.at + length > size) break;
            Event e{'l', 0, {0xF0}};
            for (uint64_t i = 0; i < length && e.parameters.size() < 1012; ++i) e.parameters.push_back(data[c.at + i]);
            e.value = 0x80000000u | static_cast<uint32_t>(e.parameters.size());
            m.events.push_back(e);
            c.at += length;
        } else if (status == 0xF7) {
            uint32_t length;
            if (!c.VarLen(length)) break;
            if (c.at + length > size) break;
            c.at += length;
        } else if (status == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!c.Byte(type) || !c.VarLen(length)) break;
            const uint64_t q = c.at;
            std::string* field = type == 0x01 ? &m.texts.text
                                 : type == 0x02 ? &m.texts.copyright
                                 : type == 0x03 ? &m.texts.sequenceName
                                 : type == 0x05 ? &m.texts.lyric
                                                : nullptr;
            if (type == 0x2F) break;
            if (type == 0x00 && length > 0) {
                if (q >= size) break;
                m.texts.sequenceNumber = data[q];
            }
            if (type == 0x51 && offset + 12 > size) break;
            if (field) {
                std::string kept;
                bool fits = true;
                for (uint64_t i = 0; i < length && kept.size() < 255; ++i) {
                    if (q + i >= size) {
                        fits = false;
                        break;
                    }
                    if (data[q + i] == 0) break;
                    kept += static_cast<char>(data[q + i]);
                }
                if (!fits) break;
                *field = kept;
            }
            c.at = q + length;
        } else {
            break;
        }
    }
    return m;
}

// The reference note lists, with every event written down and the records
// the hooks are handed checked.
class WatchedReference : public ReferenceNotes {
public:
    int onDeltaTime(uint32_t delta) override
    {
        events.push_back({'d', delta, {}});
        return ReferenceNotes::onDeltaTime(delta);
    }
    int onLongEvent(const MidiEventRecord* record) override
    {
        const uint32_t n = record->event & 0x7FFFFFFF;
        if (!(record->event & MidiEventRecord::kLongEvent) || n == 0 || n > MidiEventRecord::kParameterSize)
            fault = Printf("long event word %08X", record->event);
        else if (record->streamId != 0 || record->deltaTime != events.back().value)
            fault = "long event record's stream or delta-time";
        else
            for (uint32_t i = n; i < MidiEventRecord::kParameterSize && fault.empty(); ++i)
                if (record->parameters[i] != 0) fault = "long event record not cleared";
        events.push_back({'l', record->event,
                          std::vector<uint8_t>(record->parameters, record->parameters + (n <= 1012 ? n : 0))});
        return 1;
    }
    int onShortEvent(const MidiEventRecord* record) override
    {
        events.push_back({'s', record->event, {}});
        if (record->streamId != 0 || record->deltaTime != events[events.size() - 2].value)
            fault = "short event record's stream or delta-time";
        return ReferenceNotes::onShortEvent(record);
    }
    void onEventsEnd() override { ++ends; }

    std::vector<Event> events;
    int ends = 0;
    std::string fault;
};

// The note lists under test, with their hooks counted.
class CountedNotes : public SmfNoteFile {
public:
    using SmfFile::openMemory;
    int onDeltaTime(uint32_t delta) override
    {
        ++deltas;
        return SmfNoteFile::onDeltaTime(delta);
    }
    void onEventsEnd() override
    {
        ++ends;
        SmfNoteFile::onEventsEnd();
    }
    uint64_t deltas = 0;
    int ends = 0;
};

std::string CompareText(const char* what, const char* field, const std::string& want)
{
    const size_t n = strnlen(field, SmfInfo::kTextSize);
    if (n >= static_cast<size_t>(SmfInfo::kTextSize)) return Printf("%s is not terminated", what);
    if (std::string(field, n) != want) return Printf("%s is \"%s\", the rules give \"%s\"", what, field, want.c_str());
    return {};
}

}  // namespace

std::string CheckSmfInput(const uint8_t* input, size_t size)
{
    if (size >= 0xFFFFFFFFu) return {};
    const std::unique_ptr<uint8_t[]> data = ExactCopy(input, size);
    const uint32_t n = static_cast<uint32_t>(size);
    const Model model = ModelOf(data.get(), size);

    CountedNotes fast;
    WatchedReference slow;
    const uint32_t opened = fast.openMemory("fuzz.mid", data.get(), n);
    if (opened != slow.openMemory("fuzz.mid", data.get(), n)) return "the two readers open differently";
    if ((opened != 0) != (model.openResult != 0))
        return Printf("open gives %08X, the rules give %s", opened, model.openResult ? "not a MIDI file" : "0");
    if (opened != 0) return {};
    if (fast.header().format != model.format || fast.header().trackCount != model.trackCount ||
        fast.header().division != model.division)
        return "header values differ from the file's bytes";

    for (int pass = 1; pass <= 2; ++pass) {
        // Each event takes at least two bytes: a walk that does not advance
        // would call onDeltaTime without end.
        if (fast.readEvents() != 1 || slow.readEvents() != 1) return "readEvents did not return 1";
        if (fast.ends != pass || slow.ends != pass) return "onEventsEnd not called once per walk";
        if (fast.deltas > pass * (size / 2 + 1)) return "more delta-times than the data can hold";
        if (!slow.fault.empty()) return slow.fault;
        const std::string lists = CompareNoteLists(fast, slow.lists, Printf("pass %d", pass));
        if (!lists.empty()) return lists;
        const std::string normalized = pass == 1 ? CheckNormalized(data.get(), n, false, slow.lists, slow.spans) : "";
        if (!normalized.empty()) return normalized;
    }

    // Both walks hand out the events the rules give, the second the same as the first.
    const size_t count = model.events.size();
    if (slow.events.size() != 2 * count) return Printf("%zu events, the rules give %zu per walk", slow.events.size() / 2, count);
    for (size_t i = 0; i < 2 * count; ++i)
        if (!(slow.events[i] == model.events[i % count]))
            return Printf("event %zu is %s, the rules give %s", i % count, Describe(slow.events, i).c_str(),
                          Describe(model.events, i % count).c_str());

    const SmfInfo& info = fast.info();
    if (info.sequenceNumber != model.texts.sequenceNumber) return "sequence number differs";
    for (const std::string& r : {CompareText("text", info.text, model.texts.text),
                                 CompareText("copyright", info.copyright, model.texts.copyright),
                                 CompareText("sequence name", info.sequenceName, model.texts.sequenceName),
                                 CompareText("lyric", info.lyric, model.texts.lyric)})
        if (!r.empty()) return r;
    return CheckCompleteReading(input, size);
}

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

namespace {

class NormalizedNotes : public SmfNoteFile {
public:
    using SmfFile::openMemory;
};

struct TextSink : LineSink {
    void appendLine(const char* line, size_t length) override { text.append(line, length).append("\r\n"); }
    std::string text;
};

}  // namespace

std::string CheckNormalized(const uint8_t* data, uint32_t size, bool complete,
                            const std::vector<NoteRecord> (&lists)[16], const std::vector<TickSpan> (&spans)[16])
{
    NormalizedNotes notes;
    if (notes.openMemory("fuzz.mid", data, size) != 0) return "the normalised reading does not open the file";
    notes.readNotes(complete, true);
    std::vector<NoteRecord> want[16];
    for (int c = 0; c < 16; ++c) want[c] = ReferenceNormalized(lists[c], spans[c], notes.header().division);
    const char* what = complete ? "normalised complete reading" : "normalised reading";
    const std::string r = CompareNoteLists(notes, want, what);
    if (!r.empty()) return r;
    TextSink text;
    NoteEncoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2).encodeNotes(notes, 0xFFFF, text);
    if (text.text != ReferenceEncoding(want, 0xFFFF, NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2))
        return Printf("%s: the encoding differs from the rules'", what);
    return {};
}

// ---------------------------------------------------------------- encoder

namespace {

int CharCountOf(const std::string& text)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++count)
        i += KvText::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return count;
}

// Offsets where a character starts.
std::vector<size_t> Boundaries(const std::string& text)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); i += KvText::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        starts.push_back(i);
    return starts;
}

// The first match at or after `from`, counting characters from `from`: a
// match is taken as whole characters, and the search goes on right after it.
size_t FirstMatch(const std::string& text, const std::string& searched, size_t from)
{
    for (size_t i = from; i < text.size(); i += KvText::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
        if (text.compare(i, searched.size(), searched) == 0) return i;
    return std::string::npos;
}

// ReplaceAll as its contract reads: restart from the start after every
// replacement, at most 1024 + 4 x the original length replacements; a
// replacement that contains the searched text goes once, left to right.
int ReferenceReplaceAll(std::string& text, const std::string& searched, const std::string& replacement)
{
    if (searched.empty() || FirstMatch(text, searched, 0) == std::string::npos) return -1;
    if (replacement.find(searched) == std::string::npos) {
        size_t passes = 1024 + 4 * text.size();
        for (size_t at; passes > 0 && (at = FirstMatch(text, searched, 0)) != std::string::npos; --passes)
            text.replace(at, searched.size(), replacement);
    } else {
        std::string result;
        size_t from = 0;
        for (size_t at; (at = FirstMatch(text, searched, from)) != std::string::npos; from = at + searched.size())
            result += text.substr(from, at - from) + replacement;
        text = result + text.substr(from);
    }
    return CharCountOf(text);
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
    std::unique_ptr<int32_t[]> args(new int32_t[argCount]);
    int32_t padded[32] = {};
    for (size_t i = 0; i < argCount; ++i, at += 4) {
        args[i] = static_cast<int32_t>(uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 |
                                       uint32_t{data[at + 2]} << 16 | uint32_t{data[at + 3]} << 24);
        padded[i] = args[i];
    }
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

    // The formatter: a full line, a short buffer, no buffer at all.
    const std::unique_ptr<char[]> formatCopy = ExactText(format);
    {
        const std::unique_ptr<char[]> line(new char[LineFormatter::kLineCapacity]);
        const size_t n = LineFormatter::Format(line.get(), LineFormatter::kLineCapacity, formatCopy.get(), args.get(),
                                               argCount);
        std::string r = CheckLine("line", line.get(), n, LineFormatter::kLineCapacity);
        if (!r.empty()) return r;
        // An argument that was not given reads as 0.
        char withZeros[LineFormatter::kLineCapacity];
        const size_t z = LineFormatter::Format(withZeros, sizeof withZeros, formatCopy.get(), padded, 32);
        if (z != n || std::memcmp(withZeros, line.get(), n) != 0)
            return "missing arguments do not read as 0";

        // The parsed form the encoder uses gives the very same bytes.
        const std::unique_ptr<char[]> compiledLine(new char[LineFormatter::kLineCapacity]);
        const size_t c = CompiledFormat(format).format(compiledLine.get(), args.get(), argCount);
        if (c != n || std::memcmp(compiledLine.get(), line.get(), n + 1) != 0)
            return Printf("CompiledFormat gives \"%.*s\", the formatter \"%s\"", static_cast<int>(c < 256 ? c : 255),
                          compiledLine.get(), line.get());

        const std::unique_ptr<char[]> small(new char[capacity]);
        const size_t m = LineFormatter::Format(small.get(), capacity, formatCopy.get(), args.get(), argCount);
        r = CheckLine("short buffer", small.get(), m, capacity);
        if (!r.empty()) return r;
        const std::unique_ptr<char[]> none(new char[0]);
        if (LineFormatter::Format(none.get(), 0, formatCopy.get(), args.get(), argCount) != 0)
            return "capacity 0 wrote bytes";
    }

    // The note encoder on a record made of the arguments, both forms.
    {
        const NoteEncoder encoder(texts[0], texts[1]);
        const std::string format1 = ReferenceFormat(texts[0]), format2 = ReferenceFormat(texts[1]);
        const uint32_t a0 = static_cast<uint32_t>(padded[0]), a1 = static_cast<uint32_t>(padded[1]);
        const uint32_t lengths[] = {a1, 480, a1 % 2000};
        for (uint32_t length : lengths) {
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
    }

    // ReplaceAll against its plain form.
    {
        KvText text(texts[4]);
        std::string expected = texts[4];
        const int want = ReferenceReplaceAll(expected, texts[2], texts[3]);
        const int got = text.ReplaceAll(texts[2], texts[3]);
        if (got != want) return Printf("ReplaceAll returns %d, the plain form %d", got, want);
        if (text.str() != expected) return "ReplaceAll's text differs from the plain form";
    }
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
