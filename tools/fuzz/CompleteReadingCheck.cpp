// The fuzz property of complete reading: the note lists and the counts of
// SmfNoteFile::readNotes(true) against a plain model of its rules, written
// here without the reader's code: a byte-index walk of the chunks and tracks,
// a sort of all events by (time, track, order), and the note-list rules with
// 64-bit times, a note-off (0x8n) taken as a velocity-0 note-on; then the
// same reading normalised against the model's records and their times.
#include "FuzzChecks.h"

#include "core/midi/SmfNoteFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

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
    std::vector<NoteRecord> lists[16];
    std::vector<TickSpan> spans[16];  // each record's start and end
};

uint32_t Be(const uint8_t* data, uint64_t at, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v << 8 | data[at + i];
    return v;
}

// Seven bits a byte, 32-bit arithmetic that wraps; false past `end`.
bool VarLen(const uint8_t* data, uint64_t end, uint64_t& p, uint32_t& value)
{
    value = 0;
    for (;;) {
        if (p >= end) return false;
        const uint8_t b = data[p++];
        value += b & 0x7Fu;
        if (!(b & 0x80)) return true;
        value <<= 7;
    }
}

void WalkTrack(const uint8_t* data, uint64_t p, uint64_t end, size_t track, Model& m)
{
    uint64_t time = 0;
    uint8_t running = 0;
    for (size_t order = 0;; ++order) {
        uint32_t delta, length;
        if (!VarLen(data, end, p, delta)) break;
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
        } else if (s == 0xFF) {
            if (p >= end) break;
            const uint8_t type = data[p++];
            if (!VarLen(data, end, p, length) || p + length > end || type == 0x2F) break;
            p += length;
        } else if (s == 0xF0 || s == 0xF7) {
            if (!VarLen(data, end, p, length) || p + length > end) break;
            p += length;
        } else {
            break;
        }
    }
    m.end = std::max(m.end, time);
}

void BuildLists(Model& m)
{
    std::sort(m.events.begin(), m.events.end(), [](const ModelEvent& a, const ModelEvent& b) {
        return std::tie(a.time, a.track, a.order) < std::tie(b.time, b.track, b.order);
    });
    int64_t sounding[16][128];
    uint64_t started[16][128] = {}, idleSince[16] = {};
    for (auto& channel : sounding)
        for (int64_t& index : channel) index = -1;
    for (const ModelEvent& e : m.events) {
        const bool off = (e.status & 0xF0) == 0x80;
        if (((e.status & 0xF0) != 0x90 && !off) || e.key >= 128) continue;
        const int c = e.status & 0x0F;
        if (sounding[c][e.key] >= 0) {
            m.lists[c][sounding[c][e.key]].length = uint32_t(e.time - started[c][e.key]);
            m.spans[c][sounding[c][e.key]].end = e.time;
        }
        sounding[c][e.key] = -1;
        const uint64_t since = idleSince[c];
        idleSince[c] = e.time;
        if (off || e.velocity == 0) continue;
        if (uint32_t(e.time - since) != 0) {
            m.lists[c].push_back(NoteRecord{uint8_t(c), 0, 0, uint32_t(e.time - since)});
            m.spans[c].push_back({since, e.time});
        }
        m.lists[c].push_back(NoteRecord{uint8_t(c), e.key, e.velocity, 0});
        m.spans[c].push_back({e.time, e.time});
        sounding[c][e.key] = int64_t(m.lists[c].size() - 1);
        started[c][e.key] = e.time;
    }
    for (int c = 0; c < 16; ++c)
        for (int key = 0; key < 128; ++key)
            if (sounding[c][key] >= 0) {
                m.lists[c][sounding[c][key]].length = uint32_t(m.end - started[c][key]);
                m.spans[c][sounding[c][key]].end = m.end;
            }
}

Model ModelOf(const uint8_t* data, uint64_t size, uint16_t format, uint16_t trackCount)
{
    Model m;
    const size_t wanted = format == 2 ? 1 : std::max<size_t>(1, trackCount);
    size_t tracks = 0;
    for (uint64_t at = 8 + uint64_t{Be(data, 4, 4)}; tracks < wanted && at + 8 <= size; at += 8 + uint64_t{Be(data, at + 4, 4)}) {
        if (std::memcmp(data + at, "MTrk", 4) != 0) continue;
        WalkTrack(data, at + 8, std::min<uint64_t>(size, at + 8 + Be(data, at + 4, 4)), tracks++, m);
    }
    BuildLists(m);
    return m;
}

class CompleteNotes : public SmfNoteFile {
public:
    using SmfFile::openMemory;
};

std::string Printf(const char* format, unsigned a, unsigned b, unsigned c)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

std::string CheckCompleteReading(const uint8_t* input, size_t size)
{
    if (size >= 0xFFFFFFFFu) return {};
    std::unique_ptr<uint8_t[]> data(new uint8_t[size]);
    if (size) std::memcpy(data.get(), input, size);
    CompleteNotes notes;
    if (notes.openMemory("fuzz.mid", data.get(), static_cast<uint32_t>(size)) != 0) return {};
    const Model m = ModelOf(data.get(), size, notes.header().format, notes.header().trackCount);
    const ReadingHints h = notes.completeReadingHints();
    if (h.laterTrackNotes != m.hints.laterTrackNotes || h.runningStatusEvents != m.hints.runningStatusEvents ||
        h.noteOffs != m.hints.noteOffs)
        return Printf("complete reading counts %u/%u/%u differ from the rules'", unsigned(h.laterTrackNotes),
                      unsigned(h.runningStatusEvents), unsigned(h.noteOffs));
    if (notes.readNotes(true) != 1) return "complete reading did not return 1";
    const std::string lists = CompareNoteLists(notes, m.lists, "complete reading");
    if (!lists.empty()) return lists;
    return CheckNormalized(data.get(), static_cast<uint32_t>(size), true, m.lists, m.spans);
}
