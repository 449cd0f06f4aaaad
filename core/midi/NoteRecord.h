#pragma once
// NoteRecord: one note or rest of a channel. A rest has key 0 and velocity 0.
#include <cstdint>

struct NoteRecord {
    uint8_t channel;   // 0 to 15
    uint8_t key;       // note number; 0 for a rest
    uint8_t velocity;  // 0 for a rest
    uint32_t length;   // ticks: a note's time from note-on to its end, a rest's gap
};
