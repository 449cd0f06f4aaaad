// make-fuzz-seeds DIR: writes small valid inputs for the fuzz targets into
// DIR/smf, DIR/encoder and DIR/paths (the folders must exist). The MIDI files
// hold every kind of event the reader knows; the encoder inputs use the
// stored default formats and the conversions users write; the paths mix
// drives, both separators and double-byte names.
#include "FuzzChecks.h"

#include "core/encode/NoteEncoder.h"
#include "tools/SmfTrackWriter.h"
#include "tools/WriteBytes.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Header(uint16_t format, uint16_t tracks, uint32_t length = 6)
{
    Bytes h = HeaderChunk(format, tracks);
    h[7] = static_cast<uint8_t>(length);
    h.resize(h.size() + length - 6);
    return h;
}

uint8_t U8(int value)
{
    return static_cast<uint8_t>(value);
}

const Bytes kEnd = Event(0, {0xFF, 0x2F, 0x00});

std::vector<std::pair<std::string, Bytes>> SmfSeeds()
{
    const Bytes everyKind = Cat({Meta(0, 0x00, {0, 7}), Meta(0, 0x01, "text"), Meta(0, 0x02, "(c) velmora"),
                                 Meta(0, 0x03, "seeds"), Meta(0, 0x05, "la"), Meta(0, 0x51, {0x07, 0x27, 0x0E}),
                                 Meta(0, 0x58, {4, 2, 24, 8}), Event(0, {0xF0, 0x03, 0x43, 0x10, 0xF7}),
                                 Event(0, {0xF7, 0x02, 0x01, 0x02}), Event(0, {0xC0, 5}), Event(0, {0xB0, 7, 100}),
                                 Event(0, {0x90, 60, 100}), Event(480, {0x90, 60, 0}), Event(0, {0x91, 64, 90}),
                                 Event(240, {0x81, 64, 0}), Event(0, {0xD1, 40}), Event(0, {0xE1, 0, 64}),
                                 Event(0, {0xA1, 64, 10}), Event(120, {0x9F, 127, 1}), Event(0x4000, {0x9F, 127, 0}),
                                 Event(0, {0x92, 50, 70}), Event(10, {51, 80}), kEnd});
    Bytes song;
    for (int i = 0; i < 24; ++i) {
        const int channel = i % 3, key = 48 + (i * 5) % 24;
        song = Cat({song, Event(i % 4 == 0 ? 0 : 60, {U8(0x90 | channel), U8(key), U8(64 + i)}),
                    Event(static_cast<uint32_t>(60 + 60 * (i % 5)), {U8(0x90 | channel), U8(key), 0})});
    }
    const Bytes longSysex = Cat({Event(0, {0xF0}), VarLen(1100), Bytes(1099, 0x11), {0xF7}});
    return {
        {"every-kind.mid", Cat({Header(0, 1), TrackChunk(everyKind)})},
        {"song.mid", Cat({Header(0, 1), TrackChunk(Cat({Meta(0, 0x03, "song"), song, kEnd}))})},
        {"format1.mid",
         Cat({Header(1, 2), TrackChunk(Cat({Meta(0, 0x03, "conductor"), kEnd})), TrackChunk(Cat({song, kEnd}))})},
        {"long-header.mid",
         Cat({Header(0, 1, 10), TrackChunk(Cat({Event(0, {0x90, 60, 1}), Event(96, {0x90, 60, 0}), kEnd}))})},
        {"long-sysex.mid", Cat({Header(0, 1), TrackChunk(Cat({longSysex, Event(0, {0x90, 1, 1}),
                                                               Meta(0, 0x7F, "padding"), kEnd}))})},
        {"wrapping.mid", Cat({Header(0, 1), TrackChunk(Cat({Event(0, {0x90, 60, 100}), Event(0xF0000000u, {0x90, 61, 1}),
                                                             Event(0x20000000u, {0x90, 60, 0}), kEnd}))})},
        {"empty-track.mid", Cat({Header(0, 1), TrackChunk({})})},
    };
}

std::vector<std::pair<std::string, std::string>> EncoderSeeds()
{
    const int32_t typical[] = {60, 0xAC, 0, 60, 480, 100};
    const int32_t longForm[] = {64, 0x08, 0xA6, 0x0E, 2, 64, 500, 64};
    const int32_t extremes[] = {-2147483647 - 1, -1, 0x7FFFFFFF, 0, 0x5C, 0x81};
    const std::string f1 = NoteEncoder::kDefaultFormat1, f2 = NoteEncoder::kDefaultFormat2;
    return {
        {"defaults", EncoderInput(typical, 6, 255, f1, f2, "\\t", "\t", f1)},
        {"long-form", EncoderInput(longForm, 8, 40, f1, f2, "\\t", "\t", f2)},
        {"flags", EncoderInput(extremes, 6, 20, "%-#08x|%#X|%05.3d|%+d|% d|%10.4u|%I64d|%hd|%ld", "%c%lc%C%hc",
                               "ab", "ba", "aaabbb")},
        {"strings", EncoderInput(extremes, 6, 9, "%s%-5s%10S%ws|%%|%5%|%z", "%p|%I32x|%I", "\\", "\\\\", "a\\b")},
        {"double-byte", EncoderInput(typical, 6, 255, "\x95\x5Ct%d\\t\x95\x5C\\t", "%02d\\\\t", "\\t", "\t",
                                     "\x95\x5Ct\\t\x81")},
        {"few-args", EncoderInput(typical, 1, 255, "%d%d%d%x%X%c%u%i", "%99999999999d", "x", "xx", "xyx")},
        {"wide", EncoderInput(typical, 0, 255, std::string(300, 'w') + "%d", "%255d%255d", "w", "", "www")},
    };
}

std::vector<std::pair<std::string, std::string>> PathSeeds()
{
    return {
        {"windows", "C:\\MIDI\\song.mid"},
        {"posix", "/usr/share/velmora/samples/scale.mid"},
        {"trail-5c", "C:\\\x95\x5C\\\x95\x5C.\x95\x5C"},
        {"kana", "D:\\\xC3\xDE\xB0\xC0\\\x8B\xC8.mid"},
        {"dots", "a.b.c\\.d/e.tar.mid"},
        {"drive-only", "C:song"},
        {"lead-at-end", "dir\\name.\x81"},
        {"unc", "\\\\server\\share\\x.MID"},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fuzz-seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<std::pair<std::string, Bytes>> sets[] = {SmfSeeds(), {}, {}};
    for (const auto& seed : EncoderSeeds()) sets[1].push_back({seed.first, Text(seed.second)});
    for (const auto& seed : PathSeeds()) sets[2].push_back({seed.first, Text(seed.second)});
    const char* const folders[] = {"smf", "encoder", "paths"};
    for (int i = 0; i < 3; ++i)
        for (const auto& seed : sets[i]) {
            const std::string path = dir + "/" + folders[i] + "/" + seed.first;
            if (!WriteBytes(path.c_str(), seed.second.data(), seed.second.size())) {
                std::fprintf(stderr, "make-fuzz-seeds: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    return 0;
}
