#include "encode/ChannelMask.h"

#include <gtest/gtest.h>

namespace {

ChannelMask::Checks Checked(std::initializer_list<int> channels)
{
    ChannelMask::Checks checks{};
    for (int n : channels) checks[size_t(n)] = true;
    return checks;
}

}  // namespace

TEST(ChannelMask, ChecksFollowTheSixteenChannelBits)
{
    const struct {
        uint32_t mask;
        ChannelMask::Checks checks;
    } cases[] = {
        {0x0000, Checked({})},
        {0xFDFF, Checked({0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15})},
        {0x8001, Checked({0, 15})},
        {0xFFFF0004, Checked({2})},  // bits above the channels show nothing
    };
    for (const auto& c : cases) EXPECT_EQ(c.checks, ChannelMask::ChecksOf(c.mask)) << std::hex << c.mask;
}

TEST(ChannelMask, ChecksReplaceOnlyTheChannelBits)
{
    const struct {
        uint32_t before;
        ChannelMask::Checks checks;
        uint32_t after;
    } cases[] = {
        {0x0000FDFF, Checked({}), 0x00000000},
        {0xABCD0000, Checked({0, 9, 15}), 0xABCD8201},
        {0xFFFFFFFF, Checked({1}), 0xFFFF0002},
    };
    for (const auto& c : cases) EXPECT_EQ(c.after, ChannelMask::WithChecks(c.before, c.checks)) << std::hex << c.before;
    EXPECT_EQ(0x8001u, ChannelMask::FromChecks(ChannelMask::ChecksOf(0xFFFF8001)));
}
