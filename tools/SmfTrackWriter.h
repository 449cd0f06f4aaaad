#pragma once
// SmfTrackWriter: builds a format 0 Standard MIDI File from events given in
// any order: each event has a tick and an order among events of the same
// tick (say 0 meta and controllers, 1 note ends, 2 note starts); the file's
// one track takes them sorted, with delta-times, and ends with end-of-track.
// The sample and benchmark generators write their files with it.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class SmfTrackWriter {
public:
    void add(uint32_t tick, uint32_t order, std::initializer_list<uint8_t> data);
    void meta(uint32_t tick, uint8_t type, const std::string& data);
    void sysex(uint32_t tick, const std::vector<uint8_t>& data);  // the bytes after F0, F7 included

    // The whole file: header chunk (format 0, one track) and the track.
    std::vector<uint8_t> file(uint16_t division = 480);

    static void AppendVarLen(std::vector<uint8_t>& out, uint32_t value);

private:
    struct Event {
        uint32_t tick;
        uint32_t order;
        uint32_t at;  // first byte in bytes_
        uint32_t size;
    };
    std::vector<Event> events_;
    std::vector<uint8_t> bytes_;
};
