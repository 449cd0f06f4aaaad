#include "tools/SmfTrackWriter.h"

#include <algorithm>

Bytes VarLen(uint32_t value)
{
    Bytes groups;
    do {
        groups.insert(groups.begin(), static_cast<uint8_t>(value & 0x7F));
        value >>= 7;
    } while (value);
    for (size_t i = 0; i + 1 < groups.size(); ++i) groups[i] |= 0x80;
    return groups;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes HeaderChunk(uint16_t format, uint16_t tracks, uint16_t division)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6,
            static_cast<uint8_t>(format >> 8), static_cast<uint8_t>(format),
            static_cast<uint8_t>(tracks >> 8), static_cast<uint8_t>(tracks),
            static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division)};
}

Bytes TrackChunk(const Bytes& data)
{
    const uint32_t n = static_cast<uint32_t>(data.size());
    return Cat({{'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                 static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)},
                data});
}

Bytes SmfWithTrack(const Bytes& events)
{
    return Cat({HeaderChunk(), TrackChunk(events)});
}

Bytes Event(uint32_t delta, std::initializer_list<uint8_t> bytes)
{
    return Cat({VarLen(delta), Bytes(bytes)});
}

Bytes Meta(uint32_t delta, uint8_t type, const std::string& data)
{
    return Cat({VarLen(delta), {0xFF, type}, VarLen(static_cast<uint32_t>(data.size())),
                Bytes(data.begin(), data.end())});
}

void SmfTrackWriter::push(uint32_t tick, uint32_t order, const Bytes& data)
{
    events_.push_back({tick, order, static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(data.size())});
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void SmfTrackWriter::add(uint32_t tick, uint32_t order, std::initializer_list<uint8_t> data)
{
    push(tick, order, Bytes(data));
}

void SmfTrackWriter::meta(uint32_t tick, uint8_t type, const std::string& data)
{
    const Bytes event = Meta(0, type, data);
    push(tick, 0, Bytes(event.begin() + 1, event.end()));  // without the delta-time
}

void SmfTrackWriter::sysex(uint32_t tick, const Bytes& data)
{
    push(tick, 0, Cat({{0xF0}, VarLen(static_cast<uint32_t>(data.size())), data}));
}

Bytes SmfTrackWriter::file(uint16_t division)
{
    std::stable_sort(events_.begin(), events_.end(), [](const Placed& a, const Placed& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes track;
    track.reserve(bytes_.size() + events_.size() * 2 + 4);
    uint32_t now = 0;
    for (const Placed& e : events_) {
        const Bytes delta = VarLen(e.tick - now);
        track.insert(track.end(), delta.begin(), delta.end());
        now = e.tick;
        track.insert(track.end(), bytes_.begin() + e.at, bytes_.begin() + e.at + e.size);
    }
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    return Cat({HeaderChunk(0, 1, division), TrackChunk(track)});
}
