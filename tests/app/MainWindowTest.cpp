// The main window's panes: where they sit as panes are hidden, the two
// splitters, the Tab order and the toolbars' tips.
#include "AppTestSupport.h"

#include "app/MainToolbar.h"
#include "app/RightFrame.h"
#include "app/browser/FolderTreeView.h"
#include "app/browser/MidiListView.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataFrame.h"
#include "app/dataview/DataView.h"
#include "framework/KvStatusBar.h"
#include "resources/resource.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A rectangle as left, top, right, bottom (printable when a check fails).
std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A child's rectangle in its parent's client coordinates.
std::array<LONG, 4> Placed(KvWindow* child)
{
    RECT r;
    GetWindowRect(child->GetHandle(), &r);
    MapWindowPoints(nullptr, GetParent(child->GetHandle()), reinterpret_cast<POINT*>(&r), 2);
    return Corners(r);
}

}  // namespace

using MainWindowTest = AppWindowTest;

TEST_F(MainWindowTest, HiddenPanesLeaveTheirPlaceToTheRightFrameAndTheListAndUncheckTheirMenuItems)
{
    main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    const int w = main->GetClientWidth(), h = main->GetClientHeight();
    const int t = main->GetMainToolbar()->GetWindowHeight(), s = main->GetStatusBar()->GetWindowHeight();
    ASSERT_GT(t, 0);
    ASSERT_GT(s, 0);
    RightFrame* rf = main->GetRightFrame();
    const auto checked = [&](UINT id) { return (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    const struct {
        UINT toggle;  // 0: none
        bool tree;
        RECT right;
        bool data;  // the data view shown, 200 pixels high; the list takes the rest
    } steps[] = {
        {0, true, {203, t, w, h - s}, true},
        {IDM_DATAVIEW, true, {203, t, w, h - s}, false},
        {IDM_DATAVIEW, true, {203, t, w, h - s}, true},
        {IDM_TREEVIEW, false, {0, t, w, h - s}, true},
        {IDM_TOOLBAR, false, {0, 0, w, h - s}, true},
        {IDM_STATUSBAR, false, {0, 0, w, h}, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.toggle);
        if (step.toggle) main->SendMessage(WM_COMMAND, step.toggle, 0);
        const int rh = step.right.bottom - step.right.top, rw = step.right.right - step.right.left;
        EXPECT_EQ(step.tree, main->GetFolderTree()->IsWindowVisible() != FALSE);
        EXPECT_EQ(Corners(step.right), Placed(rf));
        EXPECT_EQ(step.data, rf->GetDataFrame()->IsWindowVisible() != FALSE);
        EXPECT_EQ(Corners({0, 0, rw, step.data ? rh - 203 : rh}), Placed(rf->GetFileList()));
        EXPECT_EQ(step.tree, checked(IDM_TREEVIEW));
        EXPECT_EQ(step.data, checked(IDM_DATAVIEW));
        EXPECT_EQ(step.right.top != 0, checked(IDM_TOOLBAR));
        EXPECT_EQ(step.right.bottom != h, checked(IDM_STATUSBAR));
    }
    EXPECT_TRUE(main->GetMainToolbar()->IsChecked(IDM_DATAVIEW));  // the menu leaves the button alone

    // A resize keeps the tree's width and the data view's height.
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SetWindowPos(nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(200, main->GetFolderTree()->GetWindowWidth());
    EXPECT_EQ(200, rf->GetDataFrame()->GetWindowHeight());
    EXPECT_EQ(203, Placed(rf)[0]);
}

TEST_F(MainWindowTest, SplittersFollowTheMouseWithoutLimitsUntilReleased)
{
    main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    RightFrame* rf = main->GetRightFrame();
    const int rh = rf->GetWindowHeight();
    const std::function<int()> treeWidth = [&] { return main->GetFolderTree()->GetWindowWidth(); };
    const std::function<int()> dataHeight = [&] { return rf->GetDataFrame()->GetWindowHeight(); };
    const struct {
        HWND window;  // the splitter's owner
        POINT down;   // on the gap
        std::vector<std::pair<POINT, int>> moves;  // pointer, then the pane's size
        const std::function<int()>& size;
    } drags[] = {
        // Past the left edge, past the right edge.
        {main->GetHandle(), {201, 100}, {{{260, 100}, 260}, {{-40, 100}, 0}, {{2000, 100}, 2000}}, treeWidth},
        // Above the frame (the gap stays under the pointer), below it.
        {rf->GetHandle(), {100, rh - 202}, {{{100, 100}, rh - 103}, {{100, -50}, rh + 47}, {{100, rh + 40}, 0}},
         dataHeight},
    };
    auto at = [](POINT p) { return MAKELPARAM(p.x & 0xFFFF, p.y & 0xFFFF); };
    for (const auto& d : drags) {
        SendMessageA(d.window, WM_LBUTTONDOWN, MK_LBUTTON, at(d.down));
        ASSERT_EQ(d.window, GetCapture());
        for (const auto& move : d.moves) {
            SendMessageA(d.window, WM_MOUSEMOVE, MK_LBUTTON, at(move.first));
            EXPECT_EQ(move.second, d.size()) << move.first.x << "," << move.first.y;
        }
        SendMessageA(d.window, WM_LBUTTONUP, 0, at(d.moves.back().first));
        EXPECT_EQ(nullptr, GetCapture());
        SendMessageA(d.window, WM_MOUSEMOVE, MK_LBUTTON, at(d.down));  // no drag any more
        EXPECT_EQ(d.moves.back().second, d.size());
    }
}

// Tab walks the panes from the tree round to it; Shift+Tab from the tree goes
// back to the main window.
TEST_F(MainWindowTest, TabAndShiftTabCycleThroughThePanesInOrder)
{
    DataFrame* data = main->GetRightFrame()->GetDataFrame();
    const HWND tree = main->GetFolderTree()->GetHandle();
    const std::pair<BYTE, HWND> presses[] = {
        {0, main->GetRightFrame()->GetFileList()->GetHandle()}, {0, data->GetDataView()->GetHandle()},
        {0, data->GetChannelToolBar()->GetHandle()}, {0, main->GetMainToolbar()->GetHandle()},
        {0, main->GetHandle()}, {0, tree}, {0x80, main->GetHandle()}};
    SetFocus(tree);
    ASSERT_EQ(tree, GetFocus());
    BYTE keys[256] = {};
    for (const auto& press : presses) {
        keys[VK_SHIFT] = press.first;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        Pump();
        EXPECT_EQ(press.second, GetFocus());
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Every toolbar button shows a tooltip (asked as the toolbar's own tooltip
// asks), the channel buttons their number.
TEST_F(MainWindowTest, EveryToolbarButtonShowsItsTip)
{
    std::map<int, std::string> tips = {{IDM_BACK, "戻る"}, {IDM_COMPLETE_READING, "完全読み込み"}};
    for (int n = 0; n < 16; ++n) tips[IDM_CHANNEL_FIRST + n] = "チャンネル " + std::to_string(n + 1);
    for (KvWindow* bar : std::initializer_list<KvWindow*>{
             main->GetMainToolbar(), main->GetRightFrame()->GetDataFrame()->GetChannelToolBar()}) {
        const HWND tooltip = HWND(bar->SendMessage(TB_GETTOOLTIPS, 0, 0));
        ASSERT_NE(nullptr, tooltip);
        for (int i = 0; i < int(bar->SendMessage(TB_BUTTONCOUNT, 0, 0)); ++i) {
            TBBUTTON button{};
            bar->SendMessage(TB_GETBUTTON, WPARAM(i), LPARAM(&button));
            if (button.fsStyle & BTNS_SEP) continue;
            NMTTDISPINFOW info{};
            info.hdr = {tooltip, UINT_PTR(button.idCommand), UINT(TTN_GETDISPINFOW)};
            info.lpszText = info.szText;  // as the tooltip asks
            bar->SendMessage(WM_NOTIFY, 0, LPARAM(&info));
            char tip[80] = {};
            if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
                WideCharToMultiByte(CP_ACP, 0, info.lpszText, -1, tip, sizeof tip, nullptr, nullptr);
            EXPECT_STRNE("", tip) << button.idCommand;
            if (tips.count(button.idCommand)) { EXPECT_EQ(tips[button.idCommand], tip) << button.idCommand; }
        }
    }
}
