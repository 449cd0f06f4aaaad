#include "app/RightFrame.h"

#include "app/FrameClass.h"
#include "app/MainWindow.h"
#include "core/layout/PaneLayout.h"
#include "app/settings/Settings.h"
#include "app/browser/MidiListView.h"
#include "app/dataview/DataFrame.h"
#include "framework/KvApplication.h"
#include "framework/KvMenu.h"
#include "resources/resource.h"

RightFrame::RightFrame() : fileList(new MidiListView), dataFrame(new DataFrame)
{
}

RightFrame::~RightFrame() = default;  // the data frame goes first, then the list

LRESULT RightFrame::OnCreate(CREATESTRUCTA*)
{
    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    RegisterFrameClass("OrvWindow", LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)),
                       LoadIconA(instance, MAKEINTRESOURCEA(IDI_FRAME)), reinterpret_cast<LPCSTR>(IDC_ARROW));

    fileList->Create(WS_EX_CLIENTEDGE, "",
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                         LVS_AUTOARRANGE | LVS_EDITLABELS,
                     0, 0, 0, 0, GetHandle(), reinterpret_cast<HMENU>(INT_PTR{kFileListId}), instance, nullptr);
    fileList->SetExtendedListViewStyle(0, LVS_EX_FULLROWSELECT);

    const Settings& settings = GetSettings();
    const bool shown = settings.ShowWindowFlag & ShowWindowFlags::kDataView;
    dataFrame->Create(0, "OrvWindow", "", WS_CHILD | WS_CLIPCHILDREN | (shown ? WS_VISIBLE : 0), 0, 0, 0,
                      settings.EditFrameHeight, GetHandle(), reinterpret_cast<HMENU>(INT_PTR{kDataFrameId}),
                      instance, nullptr);
    MainWindow* main = GetMainWindow();
    if (shown && main && main->GetMenuWrapper()) main->GetMenuWrapper()->CheckMenuItem(IDM_DATAVIEW, MF_CHECKED);
    return 1;
}

LRESULT RightFrame::OnSize(WPARAM, UINT width, UINT height)
{
    Layout(int(width & 0xFFFF), int(height & 0xFFFF));
    return 1;
}

void RightFrame::Layout(int width, int height)
{
    // Placed before the main window is first shown too.
    const bool dataShown = dataFrame->HasShowStyle();
    const PaneLayout::RightPlacement p =
        PaneLayout::Right(width, height, dataShown, dataShown ? dataFrame->GetWindowHeight() : 0);
    if (dataShown) {
        fileList->SetWindowPos(nullptr, 0, 0, p.list.width, p.list.height, SWP_NOMOVE | SWP_NOZORDER);
        dataFrame->SetWindowPos(nullptr, p.dataFrame.x, p.dataFrame.y, p.dataFrame.width, p.dataFrame.height,
                                SWP_NOZORDER);
    } else {
        fileList->SetWindowPos(nullptr, 0, 0, p.list.width, p.list.height, SWP_NOZORDER);
    }
    UpdateWindow();
}

LRESULT RightFrame::OnLButtonDown(WPARAM, UINT, UINT)
{
    SetCapture();
    return 1;
}

LRESULT RightFrame::OnMouseMove(UINT keys, UINT, UINT y)
{
    if ((keys & MK_LBUTTON) && GetCapture() == GetHandle()) {
        const int h = PaneLayout::DataHeightAt(GetWindowHeight(), PaneLayout::Signed16(y));
        dataFrame->SetWindowPos(nullptr, 0, 0, fileList->GetWindowWidth(), h, SWP_NOMOVE | SWP_NOZORDER);
        Relayout();
    }
    return 1;
}

LRESULT RightFrame::OnLButtonUp(WPARAM, UINT, UINT)
{
    ReleaseCapture();
    return 1;
}

void RightFrame::RefreshFileList()
{
    if (fileList->GetHandle()) fileList->Refresh();
}
