#include "core/layout/PaneLayout.h"

PaneLayout::MainPlacement PaneLayout::Main(const MainInput& in)
{
    MainPlacement out;
    const int t = in.toolbarShown ? in.toolbarHeight : 0;
    int l = in.treeShown ? in.treeWidth : 0;
    const int s = in.statusShown ? in.statusHeight : 0;
    if (in.toolbarShown) out.toolbar = {0, 0, in.width, t};
    int r = in.width - l;
    const int b = in.height - s;
    if (in.treeShown) {
        out.tree = {0, t, l, b - t};
        l += kGap;
        r -= kGap;
    }
    out.rightFrame = {l, t, r, b - t};
    if (in.statusShown) out.status = {0, b, in.width, s};
    return out;
}

PaneLayout::RightPlacement PaneLayout::Right(int width, int height, bool dataShown, int dataHeight)
{
    RightPlacement out;
    out.dataShown = dataShown;
    if (dataShown) {
        out.list = {0, 0, width, height - dataHeight - kGap};
        out.dataFrame = {0, height - dataHeight, width, dataHeight};
    } else {
        out.list = {0, 0, width, height};
    }
    return out;
}

int PaneLayout::TreeWidthAt(int x)
{
    return x < 0 ? 0 : x;
}

int PaneLayout::DataHeightAt(int frameHeight, int y)
{
    const int h = frameHeight - (y + kGap);
    return h < 0 ? 0 : h;
}

int PaneLayout::Signed16(unsigned value)
{
    return static_cast<short>(static_cast<unsigned short>(value & 0xFFFF));
}
