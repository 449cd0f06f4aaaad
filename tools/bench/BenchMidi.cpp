#include "tools/bench/BenchMidi.h"

#include <algorithm>
#include <random>
#include <string>

namespace {

struct Event {
    uint32_t tick;
    uint32_t order;  // at one tick: meta and other events, then note ends, then note starts
    uint32_t at;     // first byte in `bytes`
    uint32_t size;
};

class Track {
public:
    void add(uint32_t tick, uint32_t order, std::initializer_list<uint8_t> data)
    {
        events_.push_back({tick, order, static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(data.size())});
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    void meta(uint32_t tick, uint8_t type, const std::string& text)
    {
        const uint32_t at = static_cast<uint32_t>(bytes_.size());
        bytes_.push_back(0xFF);
        bytes_.push_back(type);
        AppendVarLen(bytes_, static_cast<uint32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        events_.push_back({tick, 0, at, static_cast<uint32_t>(bytes_.size()) - at});
    }
    void sysex(uint32_t tick, const std::vector<uint8_t>& data)  // data after F0, F7 included
    {
        const uint32_t at = static_cast<uint32_t>(bytes_.size());
        bytes_.push_back(0xF0);
        AppendVarLen(bytes_, static_cast<uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        events_.push_back({tick, 0, at, static_cast<uint32_t>(bytes_.size()) - at});
    }

    std::vector<uint8_t> file()
    {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> track;
        track.reserve(bytes_.size() + events_.size() * 2 + 4);
        uint32_t now = 0;
        for (const Event& e : events_) {
            AppendVarLen(track, e.tick - now);
            now = e.tick;
            track.insert(track.end(), bytes_.begin() + e.at, bytes_.begin() + e.at + e.size);
        }
        track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

        std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
        const uint32_t n = static_cast<uint32_t>(track.size());
        out.insert(out.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                               static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
        out.insert(out.end(), track.begin(), track.end());
        return out;
    }

private:
    static void AppendVarLen(std::vector<uint8_t>& out, uint32_t value)
    {
        uint8_t groups[5];
        int n = 0;
        do {
            groups[n++] = value & 0x7F;
            value >>= 7;
        } while (value);
        while (n-- > 0) out.push_back(static_cast<uint8_t>(groups[n] | (n ? 0x80 : 0)));
    }

    std::vector<Event> events_;
    std::vector<uint8_t> bytes_;
};

// Note values of the encoder's table, and lengths that are not in it.
const uint32_t kTableLengths[] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
const uint32_t kOtherLengths[] = {30, 100, 200, 239, 241, 479, 481, 500, 1000, 2400, 3840, 8739};

}  // namespace

std::vector<uint8_t> MakeBenchMidi(size_t notes, uint32_t seed)
{
    // mt19937's sequence is fixed by the standard; the distributions are not,
    // so numbers are drawn with plain modulo.
    std::mt19937 random(seed);
    auto pick = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };

    Track track;
    track.meta(0, 0x03, "velmora benchmark");
    track.meta(0, 0x02, "generated");
    track.meta(0, 0x51, std::string("\x07\xA1\x20", 3));
    track.meta(0, 0x58, std::string("\x04\x02\x18\x08", 4));
    track.sysex(0, {0x7E, 0x7F, 0x09, 0x01, 0xF7});

    uint32_t now[16] = {};  // where each channel's next note may start
    for (size_t i = 0; i < notes; ++i) {
        // Channels take turns, in a shuffled order, so ticks stay close.
        const int c = static_cast<int>((i + pick(3)) % 16);
        const uint8_t on = static_cast<uint8_t>(0x90 | c);

        // Most notes follow a rest, so that the text is about 70 bytes a note.
        uint32_t gap = 0;
        const uint32_t g = pick(20);
        if (g >= 3) gap = g < 16 ? kTableLengths[pick(15)] : 1 + pick(700);
        const uint32_t length = pick(10) < 7 ? kTableLengths[pick(15)] : kOtherLengths[pick(12)];
        const uint32_t start = now[c] + gap;
        const uint8_t key = static_cast<uint8_t>(c == 9 ? 35 + pick(47) : 24 + pick(84));
        const uint8_t velocity = static_cast<uint8_t>(1 + pick(127));
        track.add(start, 2, {on, key, velocity});
        track.add(start + length, 1, {on, key, 0});
        // One note in eight overlaps the next one of its channel.
        now[c] = start + (pick(8) == 0 ? length / 2 : length);

        if (i % 256 == 0) track.add(start, 0, {static_cast<uint8_t>(0xB0 | c), 7, static_cast<uint8_t>(pick(128))});
        if (i % 1024 == 0) track.add(start, 0, {static_cast<uint8_t>(0xC0 | c), static_cast<uint8_t>(pick(128))});
        if (i % 2000 == 0) track.meta(start, 0x06, "bar " + std::to_string(i / 2000));
        if (i % 5000 == 0) track.meta(start, 0x01, "text at note " + std::to_string(i));
        if (i % 4000 == 0) track.sysex(start, {0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
        if (i % 10000 == 0) track.meta(start, 0x51, std::string("\x07\xA1\x20", 3));
    }
    return track.file();
}
