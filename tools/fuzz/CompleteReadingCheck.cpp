// The fuzz property of complete reading: the note lists and the counts of
// SmfNoteFile::readNotes(true) against a plain model of its rules, written
// here without the reader's code: a byte-index walk of the chunks and tracks,
// a sort of all events by (time, track, order), and the reference note lists
// fed the sorted events, a note-off (0x8n) as a velocity-0 note-on; then the
// same reading normalised against the reference's records and their times.
#include "FuzzChecks.h"

#include "core/midi/SmfNoteFile.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

struct ModelEvent {
    uint64_t time;
    size_t track, order;
    uint8_t status, key, velocity;
};

struct Model {
    std::vector<ModelEvent> events;
    uint64_t end = 0;
    ReadingHints hints;
};

void WalkTrack(const uint8_t* data, uint64_t p, uint64_t end, size_t track, Model& m)
{
    uint64_t time = 0;
    uint8_t running = 0;
    for (size_t order = 0;; ++order) {
        uint32_t delta, length;
        if (!ReadVarLen(data, end, p, delta)) break;
        time += delta;
        if (p >= end) break;
        uint8_t s = data[p];
        const bool underRunning = s < 0x80;
        if (underRunning && !running) break;
        if (underRunning) s = running;
        else ++p;
        if (s < 0xF0) {
            const uint64_t n = (s >> 4) == 0xC || (s >> 4) == 0xD ? 1 : 2;
            if (p + n > end) break;
            const ModelEvent e{time, track, order, s, data[p], n == 2 ? data[p + 1] : uint8_t{0}};
            p += n;
            running = s;
            m.events.push_back(e);
            m.hints.runningStatusEvents += underRunning;
            m.hints.noteOffs += (s & 0xF0) == 0x80;
            m.hints.laterTrackNotes += (s & 0xF0) == 0x90 && e.velocity != 0 && track > 0;
            continue;
        }
        if (s == 0xFF && (p >= end || data[p++] == 0x2F)) break;
        if ((s != 0xFF && s != 0xF0 && s != 0xF7) || !ReadVarLen(data, end, p, length) || p + length > end) break;
        p += length;
    }
    m.end = std::max(m.end, time);
}

Model ModelOf(const uint8_t* data, uint64_t size, uint16_t format, uint16_t trackCount)
{
    Model m;
    const size_t wanted = format == 2 ? 1 : std::max<size_t>(1, trackCount);
    size_t tracks = 0;
    for (uint64_t at = 8 + uint64_t{BigEndian(data, size, 4, 4)}; tracks < wanted && at + 8 <= size;) {
        const uint64_t end = at + 8 + BigEndian(data, size, at + 4, 4);
        if (std::memcmp(data + at, "MTrk", 4) == 0) WalkTrack(data, at + 8, std::min(size, end), tracks++, m);
        at = end;
    }
    std::sort(m.events.begin(), m.events.end(), [](const ModelEvent& a, const ModelEvent& b) {
        return std::tie(a.time, a.track, a.order) < std::tie(b.time, b.track, b.order);
    });
    return m;
}

// Feeds the reference the time from `from` to `to`, in steps that fit 32 bits.
void Advance(ReferenceNotes& reference, uint64_t from, uint64_t to)
{
    for (; to - from > 0xFFFFFFFFu; from += 0xFFFFFFFFu) reference.onDeltaTime(0xFFFFFFFFu);
    reference.onDeltaTime(static_cast<uint32_t>(to - from));
}

struct Notes : SmfNoteFile {
    using SmfFile::openMemory;
};

}  // namespace

std::string CheckCompleteReading(const uint8_t* input, size_t size)
{
    if (size >= 0xFFFFFFFFu) return {};
    const std::unique_ptr<uint8_t[]> data = ExactCopy(input, size);
    Notes notes;
    if (notes.openMemory("fuzz.mid", data.get(), static_cast<uint32_t>(size)) != 0) return {};
    const Model m = ModelOf(data.get(), size, notes.header().format, notes.header().trackCount);
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
    return CheckNormalized(data.get(), static_cast<uint32_t>(size), true, reference.lists, reference.spans);
}
