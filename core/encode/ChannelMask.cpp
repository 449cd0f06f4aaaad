#include "core/encode/ChannelMask.h"

ChannelMask::Checks ChannelMask::ChecksOf(uint32_t mask)
{
    Checks checks{};
    for (int n = 0; n < kChannels; ++n) checks[size_t(n)] = ((mask >> n) & 1u) != 0;
    return checks;
}

uint32_t ChannelMask::WithChecks(uint32_t mask, const Checks& checks)
{
    uint32_t result = mask & ~kChannelBits;
    for (int n = 0; n < kChannels; ++n)
        if (checks[size_t(n)]) result |= 1u << n;
    return result;
}
