#pragma once
// The one set of Standard MIDI File byte builders: the tests, the fuzz seeds
// and the sample and benchmark generators all write their files with them.
//
// SmfTrackWriter builds a format 0 file from events given in any order: each
// event has a tick and an order among events of the same tick (say 0 meta and
// controllers, 1 note ends, 2 note starts); the file's one track takes them
// sorted, with delta-times, and ends with end-of-track.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The variable-length encoding of a number: seven bits a byte, high first.
Bytes VarLen(uint32_t value);
Bytes Cat(std::initializer_list<Bytes> parts);
// A header chunk of the standard length 6.
Bytes HeaderChunk(uint16_t format = 0, uint16_t tracks = 1, uint16_t division = 480);
// "MTrk", the data's length and the data.
Bytes TrackChunk(const Bytes& data);
// A format 0 file with one track holding `events` as they are.
Bytes SmfWithTrack(const Bytes& events);
// A delta-time and the event's bytes; a meta event with its length.
Bytes Event(uint32_t delta, std::initializer_list<uint8_t> bytes);
Bytes Meta(uint32_t delta, uint8_t type, const std::string& data);

class SmfTrackWriter {
public:
    void add(uint32_t tick, uint32_t order, std::initializer_list<uint8_t> data);
    void meta(uint32_t tick, uint8_t type, const std::string& data);
    void sysex(uint32_t tick, const Bytes& data);  // the bytes after F0, F7 included

    // The whole file: header chunk (format 0, one track) and the track.
    Bytes file(uint16_t division = 480);

private:
    void push(uint32_t tick, uint32_t order, const Bytes& data);
    struct Placed {
        uint32_t tick;
        uint32_t order;
        uint32_t at;  // first byte in bytes_
        uint32_t size;
    };
    std::vector<Placed> events_;
    Bytes bytes_;
};
