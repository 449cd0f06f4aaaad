#pragma once
// PaneLayout: the arithmetic of the main window's panes and of its two
// splitters, apart from any window, so that it can be checked directly.
//
// The main window stacks the toolbar, the tree | right frame row and the
// status bar; a 3-pixel gap separates tree and right frame. The right frame
// stacks the file list and the data view frame with a 3-pixel gap; the data
// view keeps its height, the list takes the rest.
struct PaneRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PaneRect& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

class PaneLayout {
public:
    static constexpr int kGap = 3;

    struct MainInput {
        int width, height;            // the main window's client area
        bool toolbarShown;
        int toolbarHeight;
        bool treeShown;
        int treeWidth;
        bool statusShown;
        int statusHeight;
    };
    struct MainPlacement {
        PaneRect toolbar, tree, rightFrame, status;  // toolbar, tree, status: only when shown
    };
    static MainPlacement Main(const MainInput& in);

    struct RightPlacement {
        bool dataShown;
        PaneRect list, dataFrame;  // dataFrame: only when shown
    };
    static RightPlacement Right(int width, int height, bool dataShown, int dataHeight);

    // The tree's width for a pointer at x (client coordinates of the main
    // window, a signed 16-bit value): no maximum, nothing below 0.
    static int TreeWidthAt(int x);
    // The data view's height for a pointer at y in a right frame of the given
    // height: the gap stays under the pointer; nothing below 0.
    static int DataHeightAt(int frameHeight, int y);
    // A signed 16-bit coordinate out of a packed mouse message parameter.
    static int Signed16(unsigned value);
};
