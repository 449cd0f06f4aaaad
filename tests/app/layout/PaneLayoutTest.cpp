#include "app/layout/PaneLayout.h"

#include <gtest/gtest.h>

namespace {

PaneLayout::MainInput AllShown(int w, int h)
{
    return {w, h, true, 26, true, 200, true, 20};
}

}  // namespace

TEST(PaneLayout, MainPanesTileTheWindowWithGaps)
{
    const auto p = PaneLayout::Main(AllShown(800, 600));
    EXPECT_EQ((PaneRect{0, 0, 800, 26}), p.toolbar);
    EXPECT_EQ((PaneRect{0, 26, 200, 554}), p.tree);
    EXPECT_EQ((PaneRect{203, 26, 597, 554}), p.rightFrame);  // after the 3-pixel gap
    EXPECT_EQ((PaneRect{0, 580, 800, 20}), p.status);
}

TEST(PaneLayout, HiddenPanesLeaveNoRoomAndNoGap)
{
    PaneLayout::MainInput in = AllShown(800, 600);
    in.treeShown = false;
    in.toolbarShown = false;
    in.statusShown = false;
    const auto p = PaneLayout::Main(in);
    EXPECT_EQ((PaneRect{0, 0, 800, 600}), p.rightFrame);
    EXPECT_EQ(PaneRect{}, p.tree);
}

TEST(PaneLayout, TreeWiderThanTheWindowPushesTheFrameOut)
{
    PaneLayout::MainInput in = AllShown(300, 200);
    in.treeWidth = 400;
    const auto p = PaneLayout::Main(in);
    EXPECT_EQ(403, p.rightFrame.x);
    EXPECT_EQ(-103, p.rightFrame.width);
}

TEST(PaneLayout, RightFrameKeepsTheDataViewHeight)
{
    auto p = PaneLayout::Right(600, 500, true, 200);
    EXPECT_EQ((PaneRect{0, 0, 600, 297}), p.list);
    EXPECT_EQ((PaneRect{0, 300, 600, 200}), p.dataFrame);
    p = PaneLayout::Right(900, 700, true, 200);
    EXPECT_EQ((PaneRect{0, 500, 900, 200}), p.dataFrame);
    p = PaneLayout::Right(600, 500, false, 200);
    EXPECT_EQ((PaneRect{0, 0, 600, 500}), p.list);
    // A data view taller than the frame reaches above its top; the list has
    // a negative height, which the window system shows as nothing.
    p = PaneLayout::Right(600, 100, true, 150);
    EXPECT_EQ(-50, p.dataFrame.y);
    EXPECT_EQ(-53, p.list.height);
}

TEST(PaneLayout, SplittersGiveWidthsAndHeightsFromSigned16BitPositions)
{
    EXPECT_EQ(150, PaneLayout::TreeWidthAt(150));
    EXPECT_EQ(0, PaneLayout::TreeWidthAt(-20));
    EXPECT_EQ(5000, PaneLayout::TreeWidthAt(5000));
    EXPECT_EQ(-20, PaneLayout::Signed16(0xFFEC));
    EXPECT_EQ(-20, PaneLayout::Signed16(0x1234FFEC));  // the other half of the parameter
    EXPECT_EQ(32767, PaneLayout::Signed16(0x7FFF));
    EXPECT_EQ(197, PaneLayout::DataHeightAt(500, 300));
    EXPECT_EQ(503, PaneLayout::DataHeightAt(500, -6));  // above the frame: taller than it
    EXPECT_EQ(0, PaneLayout::DataHeightAt(500, 498));
    EXPECT_EQ(0, PaneLayout::DataHeightAt(500, 900));
}
