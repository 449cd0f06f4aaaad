#include "tools/bench/BenchMidi.h"

#include "tools/SmfTrackWriter.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <string>

namespace {

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

    SmfTrackWriter track;
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

bool WriteBenchMidi(const std::string& path, size_t notes, uint32_t seed)
{
    const std::vector<uint8_t> bytes = MakeBenchMidi(notes, seed);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}
