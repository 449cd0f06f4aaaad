#include "support/ReferenceNotes.h"

#include <algorithm>

int ReferenceNotes::onDeltaTime(uint32_t delta)
{
    for (const Sounding& s : sounding_) lists[s.channel][s.index].length += delta;
    for (uint32_t& idle : idle_) idle += delta;
    return 1;
}

int ReferenceNotes::onShortEvent(const MidiEventRecord* record)
{
    const uint32_t status = record->event & 0xFF, velocity = (record->event >> 16) & 0xFF;
    const uint8_t key = (record->event >> 8) & 0xFF, c = status & 0x0F;
    if (status < 0x90 || status > 0x9F || key >= 128) return 1;
    sounding_.erase(std::remove_if(sounding_.begin(), sounding_.end(),
                                   [&](const Sounding& s) { return s.channel == c && s.key == key; }),
                    sounding_.end());
    if (velocity != 0) {
        if (idle_[c]) lists[c].push_back(NoteRecord{c, 0, 0, idle_[c]});
        lists[c].push_back(NoteRecord{c, key, static_cast<uint8_t>(velocity), 0});
        sounding_.push_back({c, key, lists[c].size() - 1});
    }
    idle_[c] = 0;
    return 1;
}
