// make-samples: writes the sample MIDI files of the project (samples/*.mid).
// Each is a format 0 file with several channels, notes ended by velocity-0
// note-ons, a sequence name and a copyright notice.
//   make-samples DIRECTORY
// Built with the project's flags, so the Japanese texts come out as
// Shift-JIS bytes, as a Japanese sequencer would write them.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/SmfTrackWriter.h"
#include "tools/WriteBytes.h"

namespace {

class Song {
public:
    void meta(uint32_t tick, uint8_t type, const std::string& data) { track_.meta(tick, type, data); }
    void program(uint32_t tick, int channel, int number)
    {
        track_.add(tick, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(number)});
    }
    // A note of `length` ticks, ended by a note-on with velocity 0 (after
    // `sounding` ticks when given); returns the tick after it.
    uint32_t note(uint32_t tick, int channel, int key, int velocity, uint32_t length, uint32_t sounding = 0)
    {
        const uint8_t on = static_cast<uint8_t>(0x90 | channel);
        track_.add(tick, 2, {on, static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)});
        track_.add(tick + (sounding ? sounding : length), 1, {on, static_cast<uint8_t>(key), 0});
        return tick + length;
    }
    std::vector<uint8_t> file() { return track_.file(480); }

private:
    SmfTrackWriter track_;
};

void Header(Song& song, const std::string& name, const std::string& copyright)
{
    song.meta(0, 0x03, name);
    song.meta(0, 0x02, copyright);
    song.meta(0, 0x51, std::string("\x07\xA1\x20", 3));  // 120 beats a minute
    song.meta(0, 0x58, std::string("\x04\x02\x18\x08", 4));
}

// A scale up and down over a bass line: quarters, eighths and one long note.
Song Scale()
{
    Song s;
    Header(s, "Velmora scale", "(C) 2026 the velmora developers, CC0");
    s.program(0, 0, 0);
    s.program(0, 1, 32);
    const int up[] = {60, 62, 64, 65, 67, 69, 71, 72};
    uint32_t t = 0;
    for (int key : up) t = s.note(t, 0, key, 100, 480);
    for (int i = 7; i >= 0; --i) t = s.note(t, 0, up[i], 80, 240);
    s.note(t, 0, 60, 120, 1000);  // not a note value: the long form
    for (uint32_t b = 0; b < 4; ++b) s.note(b * 1920, 1, b % 2 ? 43 : 36, 90, 1920, 1800);
    return s;
}

// "Kaeru no uta", a round in three voices on channels 1 to 3, and a drum
// part on channel 10 (left out by the default channel set).
Song Kaeru()
{
    Song s;
    Header(s, "かえるの歌（輪唱）", "パブリックドメイン／velmora サンプル");
    const int melody[][2] = {
        {60, 480}, {62, 480}, {64, 480}, {65, 480}, {64, 480}, {62, 480}, {60, 960},
        {64, 480}, {65, 480}, {67, 480}, {69, 480}, {67, 480}, {65, 480}, {64, 960},
        {60, 960}, {60, 960}, {60, 960}, {60, 960},
        {60, 240}, {60, 240}, {62, 240}, {62, 240}, {64, 240}, {64, 240}, {65, 240}, {65, 240},
        {64, 480}, {62, 480}, {60, 960}};
    for (int voice = 0; voice < 3; ++voice) {
        s.program(0, voice, voice == 2 ? 73 : 0);
        uint32_t t = static_cast<uint32_t>(voice) * 3840;  // each voice two bars later
        for (const auto& n : melody) t = s.note(t, voice, n[0] + (voice == 1 ? 12 : 0), 96 - voice * 16, n[1]);
    }
    for (uint32_t beat = 0; beat < 32; ++beat)
        s.note(beat * 480, 9, beat % 2 ? 38 : 36, 100, 120);
    return s;
}

// Triplets, dotted values and lengths that are no note value.
Song Rhythm()
{
    Song s;
    Header(s, "Rhythm study", "(C) 2026 the velmora developers, CC0");
    s.program(0, 3, 11);
    uint32_t t = 0;
    for (int i = 0; i < 3; ++i) t = s.note(t, 3, 67 + i, 110, 160);  // eighth triplets
    t = s.note(t, 3, 72, 100, 720);                                    // dotted quarter
    t = s.note(t, 3, 71, 90, 360);                                     // dotted eighth
    t = s.note(t, 3, 69, 70, 120);
    t += 240;                                                          // an eighth's rest
    t = s.note(t, 3, 67, 64, 500);                                     // the long form
    t = s.note(t, 3, 65, 127, 1440);                                   // dotted half
    s.note(t, 3, 64, 40, 1920);
    for (uint32_t i = 0; i < 12; ++i) s.note(i * 320, 4, 48 + static_cast<int>(i % 3) * 4, 60, 320);
    return s;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return WriteBytes(path.c_str(), bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-samples DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = Write(dir + "/scale.mid", Scale().file()) && Write(dir + "/kaeru.mid", Kaeru().file()) &&
                    Write(dir + "/rhythm.mid", Rhythm().file());
    if (!ok) std::fprintf(stderr, "make-samples: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
