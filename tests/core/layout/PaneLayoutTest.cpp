#include "core/layout/PaneLayout.h"
#include "core/layout/ShowWindowFlags.h"

#include <gtest/gtest.h>

// The main window's panes, then the right frame's, where the data view keeps its height.
TEST(PaneLayout, PanesTileTheirFrameWithGapsAndHiddenOnesLeaveNoRoom)
{
    const auto p = PaneLayout::Main({800, 600, true, 26, true, 200, true, 20});
    EXPECT_EQ((PaneRect{0, 26, 200, 554}), p.tree);
    EXPECT_EQ((PaneRect{203, 26, 597, 554}), p.rightFrame);  // after the 3-pixel gap
    EXPECT_EQ((PaneRect{0, 580, 800, 20}), p.status);
    EXPECT_EQ((PaneRect{0, 0, 800, 600}), PaneLayout::Main({800, 600, false, 26, false, 200, false, 20}).rightFrame);
    auto r = PaneLayout::Right(600, 500, true, 200);
    EXPECT_EQ((PaneRect{0, 0, 600, 297}), r.list);
    EXPECT_EQ((PaneRect{0, 300, 600, 200}), r.dataFrame);
    EXPECT_EQ((PaneRect{0, 0, 600, 500}), PaneLayout::Right(600, 500, false, 200).list);
    // A data view taller than the frame reaches above its top.
    r = PaneLayout::Right(600, 100, true, 150);
    EXPECT_EQ(-50, r.dataFrame.y);
    EXPECT_EQ(-53, r.list.height);
}

TEST(PaneLayout, SplittersGiveSizesFromSigned16BitPositions)
{
    EXPECT_EQ(-20, PaneLayout::Signed16(0x1234FFEC));  // the other half of the parameter
    EXPECT_EQ(197, PaneLayout::DataHeightAt(500, 300));
    EXPECT_EQ(503, PaneLayout::DataHeightAt(500, -6));  // above the frame: taller than it
    EXPECT_EQ(1500, PaneLayout::TreeWidthAt(1500));       // past the window: no maximum
    EXPECT_EQ(0, PaneLayout::TreeWidthAt(PaneLayout::Signed16(0xFFEC)));
}

TEST(ShowWindowFlags, LiveWindowsSetTheLowFiveBitsAndTheRestIsKept)
{
    using F = ShowWindowFlags;
    EXPECT_EQ(0u, F::Compose(15, {false, false, false, false, false}));
    EXPECT_EQ(F::kStatusBar | F::kMidiOnly, F::Compose(0, {false, true, false, false, true}));
    EXPECT_EQ(F::kToolbar | F::kTree, F::Compose(0, {true, false, true, false, false}));
    EXPECT_EQ(F::kDataView, F::Compose(0, {false, false, false, true, false}));
    EXPECT_EQ(0xFFFFFFE1u, F::Compose(0xFFFFFFFF, {true, false, false, false, false}));
}
