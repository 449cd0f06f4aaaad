#pragma once
// ResolutionScale: the times of a file written at another resolution, taken
// to 480 ticks per quarter note, where the encoder's length codes lie.
//
// It applies to a header division that is a number of ticks per quarter
// note other than 480; a division of 480, of 0 or in SMPTE form (bit 15 set)
// leaves every time as it is. A time t becomes S(t) = (t x 480 + division / 2)
// / division, rounded half up. A record's length is taken between its scaled
// ends, S(end) - S(start), not by scaling the length itself: the lengths of
// a channel then add up to exactly the scaled time they cover.
#include <cstdint>

class ResolutionScale {
public:
    static constexpr uint32_t kTicksPerQuarter = 480;

    // True when the division is a number of ticks per quarter note other than 480.
    static bool Applies(uint16_t division);

    // With a division to which the scale does not apply, times stay as they are.
    explicit ResolutionScale(uint16_t division = kTicksPerQuarter);

    bool active() const { return division_ != 0; }
    // S(t), exact modulo 2^64 however large t is; a length modulo 2^32 is
    // the difference of its two ends' values.
    uint64_t at(uint64_t tick) const { return division_ ? Scaled(tick) : tick; }

private:
    uint64_t Scaled(uint64_t tick) const;

    uint64_t division_;  // 0: not scaled
};
