#include "app/layout/ShowWindowFlags.h"

#include <gtest/gtest.h>

TEST(ShowWindowFlags, LiveWindowsSetTheLowFiveBitsAndTheRestIsKept)
{
    using F = ShowWindowFlags;
    const struct {
        uint32_t stored;
        F::Live live;
        uint32_t composed;
    } cases[] = {
        {15, {true, true, true, true, false}, 15},
        {15, {false, false, false, false, false}, 0},
        {0, {false, true, false, false, true}, F::kStatusBar | F::kMidiOnly},
        {0, {true, false, true, false, false}, F::kToolbar | F::kTree},
        {0, {false, false, false, true, false}, F::kDataView},
        {0xFFFFFFE0, {false, false, false, false, false}, 0xFFFFFFE0},
        {0xFFFFFFFF, {true, false, false, false, false}, 0xFFFFFFE1},
    };
    for (const auto& c : cases) EXPECT_EQ(c.composed, F::Compose(c.stored, c.live)) << std::hex << c.stored;
}
