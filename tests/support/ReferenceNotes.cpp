#include "support/ReferenceNotes.h"

#include <algorithm>
#include <cstdio>

int ReferenceNotes::onDeltaTime(uint32_t delta)
{
    now_ += delta;
    for (const Sounding& s : sounding_) {
        lists[s.channel][s.index].length += delta;
        spans[s.channel][s.index].end = now_;
    }
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
        if (idle_[c]) {
            lists[c].push_back(NoteRecord{c, 0, 0, idle_[c]});
            spans[c].push_back({idleSince_[c], now_});
        }
        lists[c].push_back(NoteRecord{c, key, static_cast<uint8_t>(velocity), 0});
        spans[c].push_back({now_, now_});
        sounding_.push_back({c, key, lists[c].size() - 1});
    }
    idle_[c] = 0;
    idleSince_[c] = now_;
    return 1;
}

int WatchedNotes::onDeltaTime(uint32_t delta)
{
    note('d', delta_ = delta, nullptr, 0);
    ++deltas;
    return ReferenceNotes::onDeltaTime(delta);
}

int WatchedNotes::onShortEvent(const MidiEventRecord* record)
{
    note('s', record->event, record, 0);
    return ReferenceNotes::onShortEvent(record);
}

int WatchedNotes::onLongEvent(const MidiEventRecord* record)
{
    const uint32_t n = record->event & ~MidiEventRecord::kLongEvent;
    if (!(record->event & MidiEventRecord::kLongEvent) || n == 0 || n > MidiEventRecord::kParameterSize)
        fault = "long event word " + std::to_string(record->event);
    else
        longBytes.append(reinterpret_cast<const char*>(record->parameters), n);
    note('l', record->event, record, n);
    return 1;
}

void WatchedNotes::note(char kind, uint32_t value, const MidiEventRecord* r, uint32_t used)
{
    char text[16];
    std::snprintf(text, sizeof text, " %c%X", kind, value);
    trace += text + (trace.empty() ? 1 : 0);  // no space before the first
    if (!r || !fault.empty()) return;
    const uint8_t* end = r->parameters + MidiEventRecord::kParameterSize;
    const uint8_t* unused = r->parameters + std::min<uint32_t>(used, MidiEventRecord::kParameterSize);
    if (r->streamId != 0 || r->deltaTime != delta_ || !std::all_of(unused, end, [](uint8_t b) { return b == 0; }))
        fault = std::string("the record of") + text + " holds more than its event";
}

std::vector<NoteRecord> ReferenceNormalized(const std::vector<NoteRecord>& list, const std::vector<TickSpan>& spans,
                                            uint16_t division)
{
    if (division == 0 || division == 480 || division >= 0x8000) return list;
    const auto scaled = [division](uint64_t t) {
        return (static_cast<unsigned __int128>(t) * 480 + division / 2) / division;
    };
    std::vector<NoteRecord> out;
    for (size_t i = 0; i < list.size(); ++i) {
        NoteRecord r = list[i];
        r.length = static_cast<uint32_t>(scaled(spans[i].end) - scaled(spans[i].start));
        if (r.velocity != 0 || r.length != 0) out.push_back(r);
    }
    return out;
}
