#pragma once
// The note lists as the straightforward algorithm builds them: every
// delta-time is added to every sounding note and to every channel's idle
// time. A note-on ends the key's sounding note; a velocity above 0 first
// records the channel's idle time as a rest, then the note. Key bytes of
// 0x80 and above are no keys. Sounding notes keep the length they reached
// when a walk ends, and grow on in the next walk.
// The tests, the fuzz targets and the benchmark hold SmfNoteFile to it.
#include "midi/NoteRecord.h"
#include "midi/SmfFile.h"

#include <cstddef>
#include <string>
#include <vector>

class ReferenceNotes : public SmfFile {
public:
    using SmfFile::openMemory;

    int onDeltaTime(uint32_t delta) override;
    int onShortEvent(const MidiEventRecord* record) override;

    std::vector<NoteRecord> lists[16];

private:
    struct Sounding {
        uint8_t channel, key;
        size_t index;
    };
    std::vector<Sounding> sounding_;
    uint32_t idle_[16] = {};
};

// "K60/100:480" for a note, "R:240" for a rest, one channel's records
// separated by spaces: readable failure messages.
template <typename List>
std::string DescribeNotes(const List& notes)
{
    std::string out;
    for (const NoteRecord& r : notes) {
        if (!out.empty()) out += ' ';
        if (r.key == 0 && r.velocity == 0)
            out += "R:" + std::to_string(r.length);
        else
            out += 'K' + std::to_string(r.key) + '/' + std::to_string(r.velocity) + ':' + std::to_string(r.length);
    }
    return out;
}
