#include "AppTestSupport.h"

#include "app/MainToolbar.h"
#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "browser/shell/FolderTreeView.h"
#include "browser/shell/MidiListView.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "framework/KvStatusBar.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

std::string ClassOf(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ChildRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Checked(MainWindow* main, UINT id)
{
    return (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

LPARAM At(int x, int y)
{
    return MAKELPARAM(x & 0xFFFF, y & 0xFFFF);
}

}  // namespace

class MainWindowTest : public AppWindowTest {
};

TEST_F(MainWindowTest, ChildWindowsHaveTheirClassesIdsAndStyles)
{
    struct Child {
        KvWindow* object;
        const char* cls;
        int id;
        DWORD exStyle;
        DWORD style;
    };
    RightFrame* right = main->GetRightFrame();
    DataFrame* data = right->GetDataFrame();
    const Child children[] = {
        {right, "OrvRightFrame", 10, 0, 0x52000000},
        {main->GetFolderTree(), "KVsdkTreeView32", 20, WS_EX_CLIENTEDGE, 0x50010023},
        {main->GetStatusBar(), "KVSDK_msctls_statusbar32", 60, 0, 0x50000103},
        {main->GetMainToolbar(), "KVSDK_ToolbarWindow32", 70, WS_EX_TOOLWINDOW, 0x50010900},
        {right->GetFileList(), "KVsdkListView32", 30, WS_EX_CLIENTEDGE, 0x50010349},
        {data, "OrvWindow", 40, 0, 0x52000000},
        {data->GetChannelToolBar(), "KVSDK_ToolbarWindow32", 80, 0, 0x50010900},
        {data->GetDataView(), "KVSDK_Edit", 40, WS_EX_CLIENTEDGE, 0x52310804},
    };
    EXPECT_EQ("OrvApplication", ClassOf(main->GetHandle()));
    EXPECT_EQ(0u, main->GetText().find("velmora - ["));  // the tree's selection names the folder
    for (const Child& c : children) {
        SCOPED_TRACE(c.cls);
        const HWND w = c.object->GetHandle();
        ASSERT_TRUE(IsWindow(w));
        EXPECT_EQ(c.cls, ClassOf(w));
        EXPECT_EQ(c.id, GetDlgCtrlID(w));
        // The controls add style bits of their own: look at ours.
        EXPECT_EQ(c.style, DWORD(GetWindowLongA(w, GWL_STYLE)) & c.style);
        EXPECT_EQ(c.exStyle, DWORD(GetWindowLongA(w, GWL_EXSTYLE)) & c.exStyle);
    }
    EXPECT_EQ(DWORD(LVS_EX_FULLROWSELECT),
              DWORD(right->GetFileList()->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)));
    for (UINT id : {IDM_TOOLBAR, IDM_STATUSBAR, IDM_TREEVIEW, IDM_DATAVIEW}) EXPECT_TRUE(Checked(main, id)) << id;
}

TEST_F(MainWindowTest, LayoutOfVisibleAndHiddenPanes)
{
    main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    const int w = main->GetClientWidth(), h = main->GetClientHeight();
    const int t = main->GetMainToolbar()->GetWindowHeight(), s = main->GetStatusBar()->GetWindowHeight();
    ASSERT_GT(t, 0);
    ASSERT_GT(s, 0);
    RECT tree = ChildRect(main->GetFolderTree()->GetHandle());
    RECT right = ChildRect(main->GetRightFrame()->GetHandle());
    RECT status = ChildRect(main->GetStatusBar()->GetHandle());
    EXPECT_EQ(0, tree.left);
    EXPECT_EQ(t, tree.top);
    EXPECT_EQ(200, tree.right);
    EXPECT_EQ(h - s, tree.bottom);
    EXPECT_EQ(203, right.left);
    EXPECT_EQ(w, right.right);
    EXPECT_EQ(h - s, status.top);

    // The data view keeps its 200 pixels, the list takes the rest.
    RightFrame* rf = main->GetRightFrame();
    const int rh = rf->GetClientHeight();
    RECT list = ChildRect(rf->GetFileList()->GetHandle());
    RECT data = ChildRect(rf->GetDataFrame()->GetHandle());
    EXPECT_EQ(rh - 200, data.top);
    EXPECT_EQ(200, data.bottom - data.top);
    EXPECT_EQ(rh - 203, list.bottom);

    // The data view hidden: the list takes the whole frame; the menu does
    // not touch the toolbar's button.
    main->SendMessage(WM_COMMAND, IDM_DATAVIEW, 0);
    EXPECT_FALSE(rf->GetDataFrame()->IsWindowVisible());
    EXPECT_EQ(rf->GetClientHeight(), rf->GetFileList()->GetWindowHeight());
    EXPECT_TRUE(main->GetMainToolbar()->IsChecked(IDM_DATAVIEW));
    main->SendMessage(WM_COMMAND, IDM_DATAVIEW, 0);
    EXPECT_TRUE(rf->GetDataFrame()->IsWindowVisible());

    // Tree, toolbar and status bar hidden: the right frame covers everything.
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SendMessage(WM_COMMAND, IDM_TOOLBAR, 0);
    main->SendMessage(WM_COMMAND, IDM_STATUSBAR, 0);
    right = ChildRect(main->GetRightFrame()->GetHandle());
    EXPECT_EQ(0, right.left);
    EXPECT_EQ(0, right.top);
    EXPECT_EQ(w, right.right);
    EXPECT_EQ(h, right.bottom);
    for (UINT id : {IDM_TOOLBAR, IDM_STATUSBAR, IDM_TREEVIEW}) EXPECT_FALSE(Checked(main, id)) << id;
    EXPECT_TRUE(Checked(main, IDM_DATAVIEW));

    // A resize keeps the tree's width and the data view's height.
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SetWindowPos(nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(200, main->GetFolderTree()->GetWindowWidth());
    EXPECT_EQ(200, rf->GetDataFrame()->GetWindowHeight());
    EXPECT_EQ(203, ChildRect(rf->GetHandle()).left);
}

TEST_F(MainWindowTest, VerticalSplitterFollowsTheMouseWithoutLimits)
{
    main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    const HWND w = main->GetHandle();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(201, 100));
    EXPECT_EQ(w, GetCapture());
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(260, 100));
    EXPECT_EQ(260, main->GetFolderTree()->GetWindowWidth());
    EXPECT_EQ(263, ChildRect(main->GetRightFrame()->GetHandle()).left);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(-40, 100));  // past the left edge
    EXPECT_EQ(0, main->GetFolderTree()->GetWindowWidth());
    EXPECT_EQ(3, ChildRect(main->GetRightFrame()->GetHandle()).left);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(2000, 100));  // past the right edge
    EXPECT_EQ(2000, main->GetFolderTree()->GetWindowWidth());
    SendMessageA(w, WM_LBUTTONUP, 0, At(2000, 100));
    EXPECT_EQ(nullptr, GetCapture());
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(100, 100));  // no drag any more
    EXPECT_EQ(2000, main->GetFolderTree()->GetWindowWidth());
}

TEST_F(MainWindowTest, HorizontalSplitterFollowsTheMouseWithoutLimits)
{
    main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    RightFrame* rf = main->GetRightFrame();
    const HWND w = rf->GetHandle();
    const int rh = rf->GetWindowHeight();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(100, rh - 202));
    ASSERT_EQ(w, GetCapture());
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(100, 100));
    EXPECT_EQ(rh - 103, rf->GetDataFrame()->GetWindowHeight());
    EXPECT_EQ(100, rf->GetFileList()->GetWindowHeight());
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(100, -50));  // above the frame
    EXPECT_EQ(rh + 47, rf->GetDataFrame()->GetWindowHeight());
    EXPECT_EQ(-47, ChildRect(rf->GetDataFrame()->GetHandle()).top);  // the gap stays under the pointer
    EXPECT_EQ(0, rf->GetFileList()->GetWindowHeight());
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(100, rh + 40));  // below it
    EXPECT_EQ(0, rf->GetDataFrame()->GetWindowHeight());
    EXPECT_EQ(rh, ChildRect(rf->GetDataFrame()->GetHandle()).top);
    SendMessageA(w, WM_LBUTTONUP, 0, At(100, rh + 40));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(MainWindowTest, ExitQuestionNoKeepsRunningUnsavedAndYesSavesOnceAndCloses)
{
    {
        Watcher watcher("#32770", "velmora", PressButton(IDNO));
        main->SendMessage(WM_COMMAND, IDM_EXIT, 0);
        watcher.join();
        EXPECT_EQ("アプリケーションを終了します。\nよろしいですか？", watcher.text());
        EXPECT_TRUE(IsWindow(main->GetHandle()));
        DWORD flags;
        EXPECT_FALSE(ReadNumber("ShowWindowFlag", flags));
    }
    Watcher watcher("#32770", "velmora", PressButton(IDYES));
    main->SendMessage(WM_COMMAND, IDM_EXIT, 0);
    watcher.join();
    EXPECT_TRUE(watcher.seen());
    EXPECT_FALSE(IsWindow(main->GetHandle()));
    DWORD flags = 0;
    EXPECT_TRUE(ReadNumber("ShowWindowFlag", flags));
    EXPECT_EQ(15u, flags);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
}

TEST_F(MainWindowTest, CloseBoxSavesWithoutAQuestion)
{
    main->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "velmora"));
    EXPECT_FALSE(IsWindow(main->GetHandle()));
    DWORD width = 0;
    EXPECT_TRUE(ReadNumber("TreeViewWidth", width));
    EXPECT_EQ(200u, width);
}

TEST_F(MainWindowTest, TabAndShiftTabCycleThroughThePanesInOrder)
{
    DataFrame* data = main->GetRightFrame()->GetDataFrame();
    const HWND order[] = {main->GetRightFrame()->GetFileList()->GetHandle(), data->GetDataView()->GetHandle(),
                          data->GetChannelToolBar()->GetHandle(), main->GetMainToolbar()->GetHandle(),
                          main->GetHandle(), main->GetFolderTree()->GetHandle()};
    SetFocus(main->GetFolderTree()->GetHandle());
    ASSERT_EQ(main->GetFolderTree()->GetHandle(), GetFocus());
    for (HWND expected : order) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        Pump();
        EXPECT_EQ(expected, GetFocus());
    }
    // Shift+Tab from the tree goes back to the main window.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    Pump();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(main->GetHandle(), GetFocus());

    // A hidden tree drops out of the cycle: main window, then the file list.
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    SetFocus(main->GetHandle());
    PostMessageA(main->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(main->GetRightFrame()->GetFileList()->GetHandle(), GetFocus());
}
