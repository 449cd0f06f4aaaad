// make-fuzz-seeds DIR: writes small valid inputs for the fuzz targets into
// DIR/smf, DIR/encoder and DIR/paths (the folders must exist). The MIDI files
// hold what the real files of the corpus seldom do: every kind of event, a
// longer header, a long sysex, wrapping times, an empty track; the encoder
// inputs use the stored default formats and the conversions users write; the
// paths mix drives, both separators and double-byte names.
#include "FuzzChecks.h"

#include "core/encode/NoteEncoder.h"
#include "tools/WriteBytes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Seeds = std::vector<std::pair<std::string, std::string>>;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Seeds SmfSeeds()
{
    Bytes longHeader = HeaderChunk();
    longHeader[7] = 10;
    longHeader.resize(18);
    const Bytes end = Event(0, {0xFF, 0x2F, 0x00});
    const Bytes longSysex = Cat({Event(0, {0xF0}), VarLen(1100), Bytes(1099, 0x11), {0xF7}});
    return {
        {"every-kind.mid", Text(EveryEventKindFile())},
        {"long-header.mid",
         Text(Cat({longHeader, TrackChunk(Cat({Event(0, {0x90, 60, 1}), Event(96, {0x90, 60, 0}), end}))}))},
        {"long-sysex.mid", Text(SmfWithTrack(Cat({longSysex, Event(0, {0x90, 1, 1}), Meta(0, 0x7F, "padding"), end})))},
        {"wrapping.mid", Text(SmfWithTrack(Cat({Event(0, {0x90, 60, 100}), Event(0xF0000000u, {0x90, 61, 1}),
                                                Event(0x20000000u, {0x90, 60, 0}), end})))},
        {"empty-track.mid", Text(SmfWithTrack({}))},
    };
}

Seeds EncoderSeeds()
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

Seeds PathSeeds()
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
    const char* const folders[] = {"smf", "encoder", "paths"};
    const Seeds sets[] = {SmfSeeds(), EncoderSeeds(), PathSeeds()};
    for (int i = 0; i < 3; ++i)
        for (const auto& [name, content] : sets[i]) {
            const std::string path = std::string(argv[1]) + "/" + folders[i] + "/" + name;
            if (!WriteBytes(path.c_str(), content.data(), content.size())) {
                std::fprintf(stderr, "make-fuzz-seeds: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    return 0;
}
