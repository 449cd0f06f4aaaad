#include "core/midi/SmfTracks.h"

#include "core/midi/SmfCursor.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t BigEndian32At(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// Data bytes of a channel status (0x80-0xEF).
int ChannelDataBytes(uint8_t status)
{
    const int high = status >> 4;
    return high == 0xC || high == 0xD ? 1 : 2;
}

}  // namespace

struct SmfTracks::TrackState {
    size_t index;
    uint64_t time;
    uint8_t runningStatus;       // the last channel status; 0 = none yet
    Sink* sink;                  // events straight to the sink, or
    std::vector<Event>* events;  // kept for the merge; both null: counting
};

// Heads of the kept tracks in a binary heap, earliest (time, track) on top.
class SmfTracks::Merge {
public:
    explicit Merge(const std::vector<std::vector<Event>>& tracks) : tracks_(tracks)
    {
        for (size_t t = 0; t < tracks.size(); ++t)
            if (!tracks[t].empty()) heap_.push_back({tracks[t][0].time, t, 0});
        std::make_heap(heap_.begin(), heap_.end(), Later);
    }

    // The next event in merged order, or null when all are taken.
    const Event* next()
    {
        if (heap_.empty()) return nullptr;
        std::pop_heap(heap_.begin(), heap_.end(), Later);
        Head& head = heap_.back();
        const std::vector<Event>& track = tracks_[head.track];
        const Event* event = &track[head.index];
        if (++head.index < track.size()) {
            head.time = track[head.index].time;
            std::push_heap(heap_.begin(), heap_.end(), Later);
        } else {
            heap_.pop_back();
        }
        return event;
    }

private:
    struct Head {
        uint64_t time;
        size_t track;
        size_t index;
    };
    static bool Later(const Head& a, const Head& b)
    {
        return a.time != b.time ? a.time > b.time : a.track > b.track;
    }
    const std::vector<std::vector<Event>>& tracks_;
    std::vector<Head> heap_;
};

SmfTracks::SmfTracks(const uint8_t* data, uint64_t size, uint64_t firstTrack, uint16_t format, uint16_t trackCount)
    : data_(data), size_(size), firstTrack_(firstTrack), format_(format), trackCount_(trackCount)
{
}

std::vector<std::pair<uint64_t, uint64_t>> SmfTracks::trackRanges() const
{
    std::vector<std::pair<uint64_t, uint64_t>> ranges;
    const size_t wanted = format_ == 2 ? 1 : std::max<size_t>(1, trackCount_);
    const SmfCursor file(data_, 0, size_);
    for (uint64_t at = firstTrack_; ranges.size() < wanted && file.fits(at, 8);) {
        const uint64_t length = BigEndian32At(data_ + at + 4);
        const uint64_t begin = at + 8;
        if (std::memcmp(data_ + at, "MTrk", 4) == 0) ranges.emplace_back(begin, std::min(begin + length, size_));
        at = begin + length;
    }
    return ranges;
}

void SmfTracks::read(Sink* sink)
{
    hints_ = ReadingHints{};
    endTime_ = 0;
    const std::vector<std::pair<uint64_t, uint64_t>> ranges = trackRanges();
    // One track is in order already; more are kept and merged.
    const bool merge = sink && ranges.size() > 1;
    std::vector<std::vector<Event>> kept(merge ? ranges.size() : 0);
    for (size_t t = 0; t < ranges.size(); ++t) {
        TrackState track{t, 0, 0, merge ? nullptr : sink, merge ? &kept[t] : nullptr};
        readTrack(ranges[t].first, ranges[t].second, track);
    }
    if (!merge) return;
    Merge order(kept);
    while (const Event* e = order.next()) sink->onEvent(e->time, e->event);
}

void SmfTracks::readTrack(uint64_t begin, uint64_t end, TrackState& track)
{
    SmfCursor in(data_, begin, end);
    while (readEvent(in, track)) {
    }
    endTime_ = std::max(endTime_, track.time);
}

bool SmfTracks::readEvent(SmfCursor& in, TrackState& track)
{
    const uint32_t delta = in.varLen();
    if (!in.ok()) return false;
    track.time += delta;
    uint8_t status = in.peek(0);
    if (!in.ok()) return false;
    const bool running = status < 0x80;
    if (running) {
        if (!track.runningStatus) return false;
        status = track.runningStatus;  // the byte is the event's first data byte
    } else {
        in.skip(1);
    }

    if (status < 0xF0) {
        const int n = ChannelDataBytes(status);
        const uint8_t first = in.byte();
        const uint8_t second = n == 2 ? in.byte() : 0;
        if (!in.ok()) return false;
        track.runningStatus = status;
        const uint8_t kind = status & 0xF0;
        hints_.runningStatusEvents += running;
        hints_.noteOffs += kind == 0x80;
        hints_.laterTrackNotes += kind == 0x90 && second != 0 && track.index > 0;
        const uint32_t event = status | static_cast<uint32_t>(first) << 8 | static_cast<uint32_t>(second) << 16;
        if (track.sink) track.sink->onEvent(track.time, event);
        else if (track.events) track.events->push_back({track.time, event});
        return true;
    }
    if (status == 0xFF) {
        const uint8_t type = in.byte();
        in.skip(in.varLen());
        return in.ok() && type != 0x2F;
    }
    if (status == 0xF0 || status == 0xF7) {
        in.skip(in.varLen());
        return in.ok();
    }
    return false;  // 0xF1-0xF6, 0xF8-0xFE end the track
}
