#include "tools/SmfTrackWriter.h"

#include <algorithm>

void SmfTrackWriter::add(uint32_t tick, uint32_t order, std::initializer_list<uint8_t> data)
{
    events_.push_back({tick, order, static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(data.size())});
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void SmfTrackWriter::meta(uint32_t tick, uint8_t type, const std::string& data)
{
    const uint32_t at = static_cast<uint32_t>(bytes_.size());
    bytes_.push_back(0xFF);
    bytes_.push_back(type);
    AppendVarLen(bytes_, static_cast<uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    events_.push_back({tick, 0, at, static_cast<uint32_t>(bytes_.size()) - at});
}

void SmfTrackWriter::sysex(uint32_t tick, const std::vector<uint8_t>& data)
{
    const uint32_t at = static_cast<uint32_t>(bytes_.size());
    bytes_.push_back(0xF0);
    AppendVarLen(bytes_, static_cast<uint32_t>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    events_.push_back({tick, 0, at, static_cast<uint32_t>(bytes_.size()) - at});
}

std::vector<uint8_t> SmfTrackWriter::file(uint16_t division)
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

    std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1,
                             static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division),
                             'M', 'T', 'r', 'k'};
    const uint32_t n = static_cast<uint32_t>(track.size());
    out.insert(out.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                           static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

void SmfTrackWriter::AppendVarLen(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (n-- > 0) out.push_back(static_cast<uint8_t>(groups[n] | (n ? 0x80 : 0)));
}
