#pragma once
// ChannelMask: the rule between a 16-bit channel mask (bit n = MIDI channel n,
// shown as CH n+1) and a row of 16 channel checks: the channel buttons of the
// data view's toolbar, the channel boxes of the options' Encode page, and the
// stored EncodeChannel and ExportChannel values.
#include <array>
#include <cstddef>
#include <cstdint>

class ChannelMask {
public:
    static constexpr int kChannels = 16;
    static constexpr uint32_t kChannelBits = 0xFFFFu;
    using Checks = std::array<bool, kChannels>;

    // Whether the check of each channel shows set for `mask`.
    static Checks ChecksOf(uint32_t mask);
    // `mask` with its 16 channel bits taken from `checks`; bits 16 to 31 as
    // they were.
    static uint32_t WithChecks(uint32_t mask, const Checks& checks);
    // A fresh mask of the checks alone (bits 16 to 31 clear).
    static uint32_t FromChecks(const Checks& checks) { return WithChecks(0, checks); }
};
