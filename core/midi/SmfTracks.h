#pragma once
// SmfTracks: complete reading of a Standard MIDI File. It walks every track
// chunk to be read, each bounded by its declared length and by the end of the
// file, understands running status, and keeps the channel events of all
// tracks with their times, to be taken merged in order of time, then track,
// then order in the track. On the way it counts what only this way of reading
// sees (ReadingHints).
//
// Which chunks: from the first track chunk that `open` found, the chunks in
// file order, skipping those whose tag is not "MTrk" by their declared length;
// max(1, the header's track count) track chunks, or the first only for format
// 2. Inside a track: a data byte where a status is expected repeats the
// track's last channel status (with none yet, the track ends); 0xF0 and 0xF7
// are skipped by their length, meta events too, and neither changes the
// running status; end-of-track, any other system status, and an event whose
// bytes do not all lie inside the track end the track. Times are sums of the
// delta-times in 64 bits; a track's end time includes the last delta-time
// read whole.
#include <cstddef>
#include <cstdint>
#include <vector>

// What complete reading sees that the first-track reading does not.
struct ReadingHints {
    uint64_t laterTrackNotes = 0;      // note-ons with a velocity in the second and later tracks
    uint64_t runningStatusEvents = 0;  // channel events written under running status
    uint64_t noteOffs = 0;             // note-off events (0x8n)
    bool any() const { return laterTrackNotes || runningStatusEvents || noteOffs; }
};

class SmfTracks {
public:
    // Receives the channel events in merged order.
    class Sink {
    public:
        virtual ~Sink() = default;
        // `event` is status | first data byte << 8 | second data byte << 16.
        virtual void onEvent(uint64_t time, uint32_t event) = 0;
    };

    // `firstTrack` is the offset of the first track chunk's "MTrk".
    SmfTracks(const uint8_t* data, uint64_t size, uint64_t firstTrack, uint16_t format, uint16_t trackCount);

    // Walks the tracks and hands their channel events to `sink` in order of
    // time, then track, then order in the track: with one track straight
    // from the walk, with more once all are read. With no sink it only counts.
    void read(Sink* sink);

    const ReadingHints& hints() const { return hints_; }
    // The latest end time of a track read (0 with none).
    uint64_t endTime() const { return endTime_; }

private:
    struct Event {
        uint64_t time;
        uint32_t event;
    };
    struct TrackState;
    class Merge;

    // The data ranges of the track chunks to be read, in file order.
    std::vector<std::pair<uint64_t, uint64_t>> trackRanges() const;
    void readTrack(uint64_t begin, uint64_t end, TrackState& track);
    bool readEvent(class SmfCursor& in, TrackState& track);

    const uint8_t* data_;
    uint64_t size_;
    uint64_t firstTrack_;
    uint16_t format_;
    uint16_t trackCount_;
    ReadingHints hints_;
    uint64_t endTime_ = 0;
};
