#pragma once
// The records the SMF reader fills: the header chunk, the header of the chunk
// after it, the texts of the first track's meta events, and the event record
// handed to the event hooks.
#include <cstdint>

struct SmfHeader {
    char tag[4];          // "MThd"
    uint32_t length;      // length of the header chunk's data
    uint16_t format;      // 0, 1 or 2
    uint16_t trackCount;
    uint16_t division;    // ticks per quarter note, or SMPTE (bit 15); only normalised reading uses it
    uint8_t unused[2];    // the 16-byte read takes two bytes of the next chunk
};
static_assert(sizeof(SmfHeader) == 16, "the header is read in one 16-byte read");

struct SmfChunkHeader {
    char tag[4];          // "MTrk"
    uint32_t length;      // kept; reading is bounded by the file's end instead
};
static_assert(sizeof(SmfChunkHeader) == 8, "the chunk header is read in one 8-byte read");

struct SmfInfo {
    static constexpr int kTextSize = 256;  // 255 bytes and the terminator
    uint32_t sequenceNumber;
    char text[kTextSize];          // meta 0x01
    char copyright[kTextSize];     // meta 0x02
    char sequenceName[kTextSize];  // meta 0x03
    char lyric[kTextSize];         // meta 0x05
};

// One timed event, laid out like the platform's MIDI stream event.
struct MidiEventRecord {
    static constexpr int kParameterSize = 1012;
    static constexpr uint32_t kLongEvent = 0x80000000;
    uint32_t deltaTime;
    uint32_t streamId;
    // Short event: status | data1 << 8 | data2 << 16. Long event: kLongEvent |
    // the number of parameter bytes.
    uint32_t event;
    uint8_t parameters[kParameterSize];  // long event: F0 and its data bytes
};
