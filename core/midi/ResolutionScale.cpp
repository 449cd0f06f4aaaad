#include "core/midi/ResolutionScale.h"

bool ResolutionScale::Applies(uint16_t division)
{
    return division != 0 && division != kTicksPerQuarter && !(division & 0x8000);
}

ResolutionScale::ResolutionScale(uint16_t division) : division_(Applies(division) ? division : 0)
{
}

uint64_t ResolutionScale::Scaled(uint64_t tick) const
{
    // t x 480 would overflow 64 bits for times past 2^55: whole quarters and
    // the remainder are scaled apart, which gives the same value wherever
    // the product fits and the right one modulo 2^64 beyond.
    const uint64_t quarters = tick / division_;
    const uint64_t rest = tick % division_;
    return quarters * kTicksPerQuarter + (rest * kTicksPerQuarter + division_ / 2) / division_;
}
