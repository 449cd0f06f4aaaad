#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/FrameClass.h"
#include "app/MainToolbar.h"
#include "app/OptionsSheet.h"
#include "core/layout/PaneLayout.h"
#include "app/RightFrame.h"
#include "app/WriteWholeFile.h"
#include "core/errors/ErrorRecord.h"
#include "app/dataview/DataFrame.h"
#include "app/settings/Settings.h"
#include "core/browser/IdListBytes.h"
#include "core/browser/PathUtilities.h"
#include "app/browser/FolderTreeView.h"
#include "app/browser/IdListPool.h"
#include "app/browser/MidiListView.h"
#include "app/browser/ShellRename.h"
#include "app/browser/SystemImageList.h"
#include "app/dataview/ButtonTips.h"
#include "app/dataview/DataView.h"
#include "framework/KvApplication.h"
#include "framework/KvDropFiles.h"
#include "framework/KvMenu.h"
#include "framework/KvStatusBar.h"
#include "resources/resource.h"

#include <commdlg.h>

const char MainWindow::kTitle[] = "velmora";
const char MainWindow::kExitQuestion[] = "アプリケーションを終了します。\nよろしいですか？";

namespace {

MainWindow* g_mainWindow = nullptr;

// The file list's views, by command. A list that refuses a view (Wine's
// refuses tiles) keeps the one it has.
struct ViewMode {
    UINT command;
    DWORD view;
};
constexpr ViewMode kViewModes[] = {
    {IDM_VIEW_THUMBNAILS, LV_VIEW_ICON}, {IDM_VIEW_TILES, LV_VIEW_TILE},       {IDM_VIEW_ICONS, LV_VIEW_SMALLICON},
    {IDM_VIEW_LIST, LV_VIEW_LIST},       {IDM_VIEW_DETAILS, LV_VIEW_DETAILS},
};

// An id list as bytes (terminator included), and back.
std::string Bytes(LPCITEMIDLIST list)
{
    return list ? std::string(reinterpret_cast<const char*>(list), IdListSize(list)) : std::string();
}

LPCITEMIDLIST IdList(const std::string& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

HMENU ChildId(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// The absolute form of a path (a relative one starts at the current
// directory); empty when there is none that fits a path.
std::string FullPathOf(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD size = path.empty() ? 0 : GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return size > 0 && size < sizeof full ? std::string(full, size) : std::string();
}

// The absolute id list the shell parses a path into, as bytes; empty when
// it parses none.
std::string IdListOfPath(const std::string& path)
{
    WCHAR wide[MAX_PATH];
    LPITEMIDLIST list = nullptr;
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) <= 0 ||
        FAILED(SHParseDisplayName(wide, nullptr, &list, 0, nullptr)) || !list)
        return std::string();
    const std::string bytes = Bytes(list);
    CoTaskMemFree(list);
    return bytes;
}

}  // namespace

MainWindow* GetMainWindow()
{
    return g_mainWindow;
}

void SetMainWindow(MainWindow* window)
{
    g_mainWindow = window;
    SetBrowserHost(window);
    SetCurrentSettings(window ? window->GetSettingsRecord() : nullptr);
}

MainWindow::MainWindow()
    : folderTree(new FolderTreeView),
      rightFrame(new RightFrame),
      settings(new Settings),
      mainToolbar(nullptr),
      statusBar(new KvStatusBar)
{
    // The toolbar object is made here, after the status bar's, and not in
    // the list above: the order in which window objects are made is their
    // order in the window registry, which is the Tab order.
    mainToolbar = new MainToolbar;
    settings->SetSource(&capture_);
}

MainWindow::~MainWindow()
{
    delete mainToolbar;
    delete statusBar;
    delete settings;
    delete rightFrame;
    delete folderTree;
    delete menu;
}

LRESULT MainWindow::OnCreate(CREATESTRUCTA*)
{
    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    menu = new KvMenu(GetMenu());

    RegisterFrameClass("OrvRightFrame", LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)),
                       LoadIconA(instance, MAKEINTRESOURCEA(IDI_FRAME)), reinterpret_cast<LPCSTR>(IDC_SIZENS));
    rightFrame->Create(0, "OrvRightFrame", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, GetHandle(),
                       ChildId(kRightFrameId), instance, nullptr);

    const uint32_t flags = settings->ShowWindowFlag;
    const DWORD treeStyle = WS_CHILD | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS;
    folderTree->Create(WS_EX_CLIENTEDGE, "", treeStyle | ((flags & ShowWindowFlags::kTree) ? WS_VISIBLE : 0), 0, 0,
                       settings->TreeViewWidth, 0, GetHandle(), ChildId(kTreeId), instance, nullptr);
    if (flags & ShowWindowFlags::kTree) menu->CheckMenuItem(IDM_TREEVIEW, MF_CHECKED);

    const DWORD statusStyle = WS_CHILD | CCS_BOTTOM | SBARS_SIZEGRIP;
    statusBar->Create(0, "", statusStyle | ((flags & ShowWindowFlags::kStatusBar) ? WS_VISIBLE : 0), 0, 0, 0, 0,
                      GetHandle(), ChildId(kStatusBarId), instance, nullptr);
    if (flags & ShowWindowFlags::kStatusBar) menu->CheckMenuItem(IDM_STATUSBAR, MF_CHECKED);
    // The data view's line about the file it shows is the status bar's text.
    rightFrame->GetDataFrame()->GetDataView()->setStatusSink(
        [this](const std::string& line) { statusBar->SetWindowText(line.c_str()); });

    const DWORD toolbarStyle = WS_CHILD | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
    mainToolbar->Create(WS_EX_TOOLWINDOW, "", toolbarStyle | ((flags & ShowWindowFlags::kToolbar) ? WS_VISIBLE : 0),
                        0, 0, 0, 0, GetHandle(), ChildId(kToolbarId), instance, nullptr);
    if (flags & ShowWindowFlags::kToolbar) menu->CheckMenuItem(IDM_TOOLBAR, MF_CHECKED);

    // The tree made its root (the desktop) the selection; now the folder of
    // the last run, when it still parses. The history starts there.
    folderTree->GoToPath(settings->LastPath.c_str());
    DragAcceptFiles(GetHandle(), TRUE);
    CheckMenuRadioItem(GetMenu(), IDM_VIEW_THUMBNAILS, IDM_VIEW_DETAILS, IDM_VIEW_DETAILS, MF_BYCOMMAND);
    StartHistory();
    return 1;
}

void MainWindow::SetListView(UINT command)
{
    MidiListView* list = rightFrame->GetFileList();
    for (const ViewMode& mode : kViewModes) {
        if (mode.command != command) continue;
        // The icon and tile views draw from the large icons.
        if (mode.view == LV_VIEW_ICON || mode.view == LV_VIEW_TILE) {
            list->SetImageList(SystemImageList(false), LVSIL_NORMAL);
        }
        list->SendMessage(LVM_SETVIEW, mode.view, 0);
    }
    const DWORD shown = DWORD(list->SendMessage(LVM_GETVIEW, 0, 0));
    for (const ViewMode& mode : kViewModes) {
        if (mode.view == shown) {
            CheckMenuRadioItem(GetMenu(), IDM_VIEW_THUMBNAILS, IDM_VIEW_DETAILS, mode.command, MF_BYCOMMAND);
            break;
        }
    }
}

void MainWindow::OpenPath(const std::string& given)
{
    const std::string path = FullPathOf(given);
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    const bool isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    const std::string folder = IdListOfPath(isFolder ? path : DirectoryOf(path));
    if (folder.empty()) return;
    ListFolder(IdList(folder), true);
    if (isFolder) return;
    MidiListView* list = rightFrame->GetFileList();
    if (!list->SelectPath(path) && IsMidiOnly()) {
        mainToolbar->SetState(IDM_MIDIONLY, TBSTATE_ENABLED);
        rightFrame->RefreshFileList();
        list->SelectPath(path);
    }
    list->SetFocus();
}

void MainWindow::StartHistory()
{
    history_ = NavigationHistory();
    const LPCITEMIDLIST shown = rightFrame->GetFileList()->GetCurrentFolder();
    if (shown) history_.Visit(Bytes(shown));
    UpdateNavigationButtons();
}

void MainWindow::OptionsApplied()
{
    if (optionsPending_) return;
    optionsPending_ = true;
    PostMessage(kOptionsApplied, 0, 0);
}

LRESULT MainWindow::OnOtherMessage(HWND, UINT message, WPARAM, LPARAM)
{
    if (message != kOptionsApplied) return 0;
    optionsPending_ = false;
    DataView* view = rightFrame->GetDataFrame()->GetDataView();
    if (settings->RealTimeEncode && view->GetHandle()) view->showEncoding();
    return 1;
}

LRESULT MainWindow::OnNotify(WPARAM, NMHDR* header)
{
    AnswerButtonTip(header);
    return 0;
}

LRESULT MainWindow::OnDropFiles(KvDropFiles* drop)
{
    char path[MAX_PATH] = {};
    // Only the first item counts; a name longer than a path is none.
    if (drop && DragQueryFileA(drop->GetHandle(), 0, nullptr, 0) < sizeof path &&
        DragQueryFileA(drop->GetHandle(), 0, path, sizeof path) > 0) {
        OpenPath(path);
    }
    return 1;
}

const std::string& MainWindow::DataViewText() const
{
    return rightFrame->GetDataFrame()->GetDataView()->GetTextBuffer();
}

bool MainWindow::SaveTo(const std::string& path)
{
    const DWORD error = WriteWholeFile(path, DataViewText());
    if (error == ERROR_SUCCESS) return true;
    // The file's template ("ファイル %s に書き込めませんでした。"), then the
    // system's reason, both built by the error record's own texts.
    ErrorRecord record;
    SetError(record, kErrorCannotWrite, path.c_str());
    const std::string message = record.text;
    MessageBox((message + "\n" + SystemReason(error)).c_str(), kTitle, MB_OK | MB_ICONERROR);
    return false;
}

void MainWindow::SaveAs()
{
    if (DataViewText().empty()) return;
    const std::string midi = rightFrame->GetDataFrame()->GetDataView()->GetLoadedPath();
    const std::string folder = DirectoryOf(midi);
    char file[MAX_PATH] = {};
    lstrcpynA(file, (PathParts(midi, kPathFileName) + ".inc").c_str(), sizeof file);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetHandle();
    dialog.lpstrFilter = "インクルードファイル (*.inc)\0*.inc\0すべてのファイル (*.*)\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = "inc";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (GetSaveFileNameA(&dialog)) SaveTo(file);
}

LRESULT MainWindow::OnInitMenuPopup(KvMenu*, UINT, UINT)
{
    EnableMenuItem(GetMenu(), IDM_SAVE_AS, MF_BYCOMMAND | (DataViewText().empty() ? MF_GRAYED : MF_ENABLED));
    return 0;
}

void MainWindow::Reveal(int showCommand)
{
    Layout(GetClientWidth(), GetClientHeight());
    if (folderTree->HasShowStyle()) folderTree->MeasureLabelsInSight();
    ShowWindow(showCommand);
    UpdateWindow();
}

bool MainWindow::IsMidiOnly()
{
    return mainToolbar->IsChecked(IDM_MIDIONLY);
}

void MainWindow::SelectFolderInTree(LPCITEMIDLIST folder)
{
    if (folderTree->GetHandle()) folderTree->SelectIdList(folder);
}

void MainWindow::OpenItem(const ItemRecord& record)
{
    DataView* view = rightFrame->GetDataFrame()->GetDataView();
    if (view && view->GetHandle()) view->loadFile(&record);
}

void MainWindow::ShowFolderInList(LPCITEMIDLIST folder)
{
    MidiListView* list = rightFrame->GetFileList();
    if (following_ || !list || !list->GetHandle()) return;
    list->ShowFolder(folder);
    history_.Visit(Bytes(folder));
    UpdateNavigationButtons();
}

void MainWindow::FollowInTree(LPCITEMIDLIST folder)
{
    following_ = true;
    SelectFolderInTree(folder);
    following_ = false;
}

void MainWindow::ListFolder(LPCITEMIDLIST folder, bool visit)
{
    MidiListView* list = rightFrame->GetFileList();
    if (!list || !list->GetHandle() || !folder) return;
    const std::string place = Bytes(folder);  // `folder` may be the history's or the list's
    list->ShowFolder(IdList(place));
    if (visit) history_.Visit(place);
    FollowInTree(IdList(place));
    UpdateNavigationButtons();
}

void MainWindow::FolderOpenedInList(LPCITEMIDLIST folder)
{
    const std::string place = Bytes(folder);
    history_.Visit(place);
    FollowInTree(IdList(place));
    UpdateNavigationButtons();
}

void MainWindow::ItemRenamed(const std::string& oldPath, const ItemRecord& record)
{
    DataView* view = rightFrame->GetDataFrame()->GetDataView();
    if (view->GetHandle() && !oldPath.empty() && lstrcmpiA(view->GetLoadedPath().c_str(), oldPath.c_str()) == 0)
        view->loadFile(&record);
}

void MainWindow::GoBack()
{
    const std::string* place = history_.Back();
    if (place) ListFolder(IdList(*place), false);
    UpdateNavigationButtons();
}

void MainWindow::GoForward()
{
    const std::string* place = history_.Forward();
    if (place) ListFolder(IdList(*place), false);
    UpdateNavigationButtons();
}

void MainWindow::GoUp()
{
    const LPCITEMIDLIST shown = rightFrame->GetFileList()->GetCurrentFolder();
    const std::string parent = shown ? ParentIdList(Bytes(shown)) : std::string();
    if (!parent.empty()) ListFolder(IdList(parent), true);
}

void MainWindow::SortChanged()
{
    const int column = rightFrame->GetFileList()->GetRowOrder().SortedColumn();
    if (column >= 0 && column <= IDM_ARRANGE_DATE - IDM_ARRANGE_NAME) {
        CheckMenuRadioItem(GetMenu(), IDM_ARRANGE_NAME, IDM_ARRANGE_DATE, IDM_ARRANGE_NAME + column, MF_BYCOMMAND);
        return;
    }
    for (UINT id = IDM_ARRANGE_NAME; id <= IDM_ARRANGE_DATE; ++id) {
        CheckMenuItem(GetMenu(), id, MF_BYCOMMAND | MF_UNCHECKED);
    }
}

void MainWindow::UpdateNavigationButtons()
{
    if (!mainToolbar->GetHandle()) return;
    const LPCITEMIDLIST shown = rightFrame->GetFileList()->GetCurrentFolder();
    mainToolbar->SendMessage(TB_ENABLEBUTTON, IDM_BACK, history_.CanGoBack());
    mainToolbar->SendMessage(TB_ENABLEBUTTON, IDM_FORWARD, history_.CanGoForward());
    mainToolbar->SendMessage(TB_ENABLEBUTTON, IDM_UP, shown && !ParentIdList(Bytes(shown)).empty());
}

void MainWindow::SetTitleFolder(const std::string& path)
{
    const std::string title = std::string(kTitle) + " - [" + path + "]";
    SetWindowText(title.c_str());
}

LRESULT MainWindow::OnSize(WPARAM type, UINT width, UINT height)
{
    Layout(int(width & 0xFFFF), int(height & 0xFFFF));
    if (type != SIZE_MINIMIZED && type != SIZE_MAXIMIZED) settings->CaptureWindowRect();
    return 1;
}

void MainWindow::Layout(int width, int height)
{
    // The panes are placed before the window is first shown too: resizing a
    // list or a tree that is on screen costs a redraw each.
    PaneLayout::MainInput in{width,
                             height,
                             mainToolbar->HasShowStyle(),
                             mainToolbar->GetWindowHeight(),
                             folderTree->HasShowStyle(),
                             folderTree->GetWindowWidth(),
                             statusBar->HasShowStyle(),
                             statusBar->GetWindowHeight()};
    const PaneLayout::MainPlacement p = PaneLayout::Main(in);
    auto place = [](KvWindow* w, const PaneRect& r) {
        w->SetWindowPos(nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER);
    };
    if (in.toolbarShown) place(mainToolbar, p.toolbar);
    if (in.treeShown) place(folderTree, p.tree);
    place(rightFrame, p.rightFrame);
    if (in.statusShown) place(statusBar, p.status);
    UpdateWindow();
}

LRESULT MainWindow::OnLButtonDown(WPARAM, UINT, UINT)
{
    SetCapture();
    dragging = TRUE;
    return 1;
}

LRESULT MainWindow::OnMouseMove(UINT keys, UINT x, UINT)
{
    if ((keys & MK_LBUTTON) && dragging) {
        const int width = PaneLayout::TreeWidthAt(PaneLayout::Signed16(x));
        folderTree->SetWindowPos(nullptr, 0, 0, width, folderTree->GetWindowHeight(), SWP_NOMOVE | SWP_NOZORDER);
        Layout(GetClientWidth(), GetClientHeight());
    }
    return 1;
}

LRESULT MainWindow::OnLButtonUp(WPARAM, UINT, UINT)
{
    ReleaseCapture();
    dragging = FALSE;
    return 1;
}

void MainWindow::Toggle(KvWindow* pane, UINT menuId)
{
    const bool show = !pane->IsWindowVisible();
    menu->CheckMenuItem(menuId, show ? MF_CHECKED : MF_UNCHECKED);
    pane->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void MainWindow::TogglePane(UINT id)
{
    if (id == IDM_DATAVIEW) {
        Toggle(rightFrame->GetDataFrame(), id);
        rightFrame->Relayout();
        return;
    }
    Toggle(id == IDM_TOOLBAR ? static_cast<KvWindow*>(mainToolbar)
                             : id == IDM_STATUSBAR ? static_cast<KvWindow*>(statusBar) : folderTree,
           id);
    Relayout();
}

void MainWindow::AskExit()
{
    if (MessageBox(kExitQuestion, kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        SendMessage(WM_CLOSE, 0, 0);
}

void MainWindow::ShowAbout()
{
    AboutDialog about;
    about.RunModal(KvApplication::GetInstanceHandle(), MAKEINTRESOURCEA(IDD_ABOUT), GetHandle());
}

void MainWindow::ShowOptions()
{
    OptionsSheet sheet;
    sheet.Show(GetHandle());
}

void MainWindow::Arrange(UINT id)
{
    rightFrame->GetFileList()->Arrange(int(id - IDM_ARRANGE_NAME));
    SortChanged();
}

LRESULT MainWindow::OnCommand(UINT, UINT id, KvWindow*)
{
    switch (id) {
    case IDM_EXIT: AskExit(); break;
    case IDM_SAVE_AS: SaveAs(); break;
    case IDM_ABOUT: ShowAbout(); break;
    case IDM_OPTIONS: ShowOptions(); break;
    case IDM_TOOLBAR: case IDM_STATUSBAR: case IDM_DATAVIEW: case IDM_TREEVIEW: TogglePane(id); break;
    case IDM_BACK: GoBack(); break;
    case IDM_FORWARD: GoForward(); break;
    case IDM_UP: GoUp(); break;
    case IDM_VIEW_THUMBNAILS: case IDM_VIEW_TILES: case IDM_VIEW_ICONS: case IDM_VIEW_LIST: case IDM_VIEW_DETAILS:
        SetListView(id);
        break;
    case IDM_ARRANGE_NAME: case IDM_ARRANGE_SIZE: case IDM_ARRANGE_TYPE: case IDM_ARRANGE_DATE: Arrange(id); break;
    case IDM_MIDIONLY: case IDM_REFRESH: rightFrame->RefreshFileList(); break;
    default: break;
    }
    return 1;
}

LRESULT MainWindow::OnClose()
{
    settings->Save();
    return 0;  // the default processing destroys the window
}
