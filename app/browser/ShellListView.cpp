#include "app/browser/ShellListView.h"

#include "core/browser/ItemTexts.h"
#include "core/browser/PathUtilities.h"
#include "app/browser/BrowserHost.h"
#include "app/browser/SystemImageList.h"
#include "framework/KvBusyState.h"
#include "framework/KvRedrawOff.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

RowKeys KeysOf(const ItemRecord& record)
{
    return RowKeys{record.kind,     record.fileSize,     record.writeTime, record.typeName,
                   record.smfFormat, record.sequenceName, record.copyright};
}

// The fields a sort by `column` needs beyond those a row goes in with.
DWORD FieldsOfColumn(int column)
{
    if (column == RowOrder::kType) return kFieldTypeName;
    if (column >= RowOrder::kFormat && column <= RowOrder::kCopyright) return kFieldMidi;
    return 0;
}

// How long the list may go without answering messages sent to it.
constexpr DWORD kAnswerEveryMs = 15;

// A point of the window's client area in window coordinates (from the
// outer corner of its border), which the drag image takes.
POINT WindowPoint(HWND window, POINT client)
{
    RECT outer{};
    GetWindowRect(window, &outer);
    ClientToScreen(window, &client);
    return POINT{client.x - outer.left, client.y - outer.top};
}

const ShellListView::Column kShellColumns[] = {
    {"名前", 200, LVCFMT_LEFT},
    {"サイズ", 100, LVCFMT_RIGHT},
    {"種類", 200, LVCFMT_LEFT},
    {"更新日時", 150, LVCFMT_LEFT},
};

}  // namespace

ShellListView::ShellListView() : pool(new IdListPool) {}

ShellListView::~ShellListView()
{
    EndDrag();
    ReleaseCurrentFolder();
}

void ShellListView::ReleaseCurrentFolder()
{
    if (!currentFolder) return;
    pool->Free(currentFolder);
    currentFolder = nullptr;
}

LRESULT ShellListView::OnCreate(CREATESTRUCTA*)
{
    SetImageList(SystemImageList(true), LVSIL_SMALL);
    InsertColumns();
    return 1;
}

void ShellListView::InsertColumnTable(const Column* columns, int count)
{
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(columns[i].header);
        column.iSubItem = i;
        InsertColumn(i, &column);
    }
}

LRESULT ShellListView::InsertColumns()
{
    InsertColumnTable(kShellColumns, static_cast<int>(sizeof kShellColumns / sizeof kShellColumns[0]));
    return 1;
}

LRESULT ShellListView::ShowFolder(LPCITEMIDLIST folderId)
{
    unsigned listing = 0;
    {
        const KvBusyState busy(GetHandle());
        EnableScrollBar(SB_BOTH, ESB_DISABLE_BOTH);
        const KvRedrawOff redraw(*this);
        DeleteAllItems();
        listing = ++listing_;
        // Kept also when it cannot be opened, so that a refresh tries again.
        ReleaseCurrentFolder();
        currentFolder = pool->CloneIdList(folderId);
        if (ListChildren(folderId, listing)) SortItems();
    }
    // Turning drawing on and the bars take the list a while each: what was
    // sent meanwhile is answered between them.
    const bool current = Answer(listing);
    EnableScrollBar(SB_BOTH, ESB_ENABLE_BOTH);
    if (!current || !Answer(listing)) return 1;
    SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    if (IsShown()) DrawRowsInSight(listing);
    return 1;
}

bool ShellListView::Answer(unsigned listing)
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return listing == listing_;
}

bool ShellListView::ListChildren(LPCITEMIDLIST folderId, unsigned listing)
{
    ComPtr<IShellFolder> folder;
    ComPtr<IEnumIDList> children;
    // An empty folder may answer S_FALSE and no enumerator.
    if (!Answer(listing) || !BindFolder(folderId, folder) ||
        FAILED(folder->EnumObjects(GetHandle(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                   children.Out())) ||
        !Answer(listing)) {
        return false;
    }
    folder_.Share(folder.Get());
    // The desktop gathers items of several folders: no walk for it.
    if (IdListSize(folderId) <= 2 || !sizes_.Read(PathOfIdList(folderId))) sizes_.Clear();
    const bool all = Answer(listing) && AddChildren(folder.Get(), folderId, children.Get());
    sizes_.Clear();
    return all;
}

void ShellListView::DrawRowsInSight(unsigned listing)
{
    const int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX, 0, 0));
    const int last = top + static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE, 0, 0));  // a part-shown row too
    for (int row = top; row <= last; ++row) {
        ItemRecord* record = RecordAt(row);
        if (!record) break;
        FillFields(*record, kFieldsLater);
        if (!Answer(listing)) return;
    }
    UpdateWindow();
}

bool ShellListView::AddChildren(IShellFolder* folder, LPCITEMIDLIST folderId, IEnumIDList* children)
{
    const unsigned listing = listing_;
    DWORD answered = GetTickCount();
    LPITEMIDLIST child = nullptr;
    while (children && children->Next(1, &child, nullptr) == S_OK) {
        AddItem(folder, folderId, child);
        pool->Free(child);  // the shell's block: straight back to the allocator
        child = nullptr;
        // Messages other programs send are answered while the rows go in;
        // one that lists another folder or ends the rows stops this listing.
        if (GetTickCount() - answered >= kAnswerEveryMs) {
            Answer(listing);
            answered = GetTickCount();
        }
        if (listing != listing_) return false;
    }
    return true;
}

LRESULT ShellListView::Refresh()
{
    if (!currentFolder) return 0;
    IdListPool temporary;
    LPITEMIDLIST copy = temporary.CloneIdList(currentFolder);
    if (copy) ShowFolder(copy);
    return 1;
}

ItemRecord* ShellListView::RecordAt(int index)
{
    if (index < 0) return nullptr;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!GetItem(&item)) return nullptr;
    return reinterpret_cast<ItemRecord*>(item.lParam);
}

LRESULT ShellListView::OpenItem(int index)
{
    ItemRecord* record = RecordAt(index);
    if (!record) return 0;
    if (record->shellAttributes & SFGAO_FOLDER) {
        LPITEMIDLIST copy = pool->CloneIdList(record->absoluteId);
        if (!copy) return 0;
        ShowFolder(copy);
        pool->Free(copy);
        return 1;
    }
    const std::string saved = CurrentDirectory();
    const std::string directory = DirectoryOf(record->path);
    if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_INVOKEIDLIST;
    KvWindow* head = KvWindow::FirstWindowObject();
    execute.hwnd = head ? head->GetHandle() : GetAncestor(GetHandle(), GA_ROOT);
    execute.lpIDList = record->absoluteId;
    execute.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&execute);
    if (!saved.empty()) SetCurrentDirectoryA(saved.c_str());
    return 0;
}

LRESULT ShellListView::OpenSelected()
{
    return OpenItem(static_cast<int>(GetNextItem(-1, LVNI_SELECTED)));
}

LRESULT ShellListView::FillRecord(ItemRecord* record, IShellFolder* folder, LPCITEMIDLIST folderId,
                                  LPCITEMIDLIST childId)
{
    if (!record || !folder || !childId) return 0;
    ULONG attributes = kItemAttributeMask;
    // The shell may set bits it was not asked for.
    record->shellAttributes =
        SUCCEEDED(folder->GetAttributesOf(1, &childId, &attributes)) ? attributes & kItemAttributeMask : 0;
    record->absoluteId = pool->ConcatIdLists(folderId, childId);
    record->childId = pool->CloneIdList(childId);
    record->filled = kFieldAll & ~kFieldsLater;
    WIN32_FIND_DATAA find{};
    const bool found = SUCCEEDED(SHGetDataFromIDListA(folder, childId, SHGDFIL_FINDDATA, &find, sizeof find));
    find.cFileName[MAX_PATH - 1] = '\0';
    const bool file = found && !(record->shellAttributes & SFGAO_FOLDER) && find.cFileName[0];
    const std::string name =
        file ? types_.DisplayName(find.cFileName, folder, childId) : DisplayNameOf(folder, childId);
    CopyToField(record->displayName, sizeof record->displayName, name.c_str());
    uint64_t size = 0;
    const bool walked = found && sizes_.Find(find.cFileName, &size);
    const std::string path =
        walked ? sizes_.Path() + "\\" + find.cFileName : PathOf(folder, childId, record->absoluteId);
    // A path that does not fit stays empty, as for an item without one.
    if (path.size() < sizeof record->path) CopyToField(record->path, sizeof record->path, path.c_str());
    if (!found) return 0;
    if (!(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        record->fileSize = walked ? size : FileSizeOf(path, find);
        CopyToField(record->sizeText, sizeof record->sizeText, SizeText(record->fileSize).c_str());
    }
    CopyToField(record->dateText, sizeof record->dateText, TimeTextOf(find.ftLastWriteTime).c_str());
    record->writeTime = (uint64_t{find.ftLastWriteTime.dwHighDateTime} << 32) | find.ftLastWriteTime.dwLowDateTime;
    record->fileAttributes = find.dwFileAttributes;
    record->kind = KindOfAttributes(find.dwFileAttributes);
    return 1;
}

void ShellListView::FillFields(ItemRecord& record, DWORD mask)
{
    if (!(mask & ~record.filled & (kFieldIcon | kFieldTypeName))) return;
    record.filled |= kFieldIcon | kFieldTypeName;
    if (!record.absoluteId) return;
    // Ordinary files share the answer of their extension; anything else is
    // asked itself.
    const char* slash = std::strrchr(record.path, '\\');
    const char* name = slash ? slash + 1 : "";
    const bool folder = (record.shellAttributes & SFGAO_FOLDER) != 0;
    const uint32_t ownIcon = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    if (folder && record.kind == kKindDirectory && (record.shellAttributes & SFGAO_FILESYSTEM) && !(record.fileAttributes & ownIcon)) {
        types_.FolderTypeAndIcon(record.absoluteId, record.typeName, sizeof record.typeName, &record.iconIndex);
    } else if (folder || !*name) {
        AskTypeAndIcon(record.absoluteId, record.typeName, sizeof record.typeName, &record.iconIndex);
    } else {
        types_.TypeAndIcon(name, record.absoluteId, record.typeName, sizeof record.typeName, &record.iconIndex);
    }
}

ItemRecord* ShellListView::MakeRecord(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId)
{
    ItemRecord* record = static_cast<ItemRecord*>(pool->Alloc(sizeof(ItemRecord)));
    if (!record) return nullptr;
    std::memset(record, 0, sizeof *record);
    record->smfFormat = -1;
    FillRecord(record, folder, folderId, childId);
    return record;
}

void ShellListView::FreeRecord(ItemRecord* record)
{
    if (!record) return;
    pool->Free(record->childId);
    pool->Free(record->absoluteId);
    pool->Free(record);
}

int ShellListView::AppendRow(ItemRecord* record)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(GetItemCount());
    item.pszText = record->displayName;
    item.iImage = I_IMAGECALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int index = static_cast<int>(InsertItem(&item));
    if (index < 0) return index;
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    for (item.iSubItem = 1; item.iSubItem < columns; ++item.iSubItem) SetItem(&item);
    return index;
}

void ShellListView::ColumnText(ItemRecord& record, int column, char* text, int capacity)
{
    const char* shown = "";
    switch (column) {
    case RowOrder::kName: shown = record.displayName; break;
    case RowOrder::kSize: shown = record.sizeText; break;
    case RowOrder::kType:
        FillFields(record, kFieldTypeName);
        shown = record.typeName;
        break;
    case RowOrder::kModified: shown = record.dateText; break;
    default: break;
    }
    CopyToField(text, static_cast<size_t>(capacity), shown);
}

LRESULT ShellListView::AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId)
{
    ItemRecord* record = MakeRecord(folder, folderId, childId);
    if (!record) return 1;
    if (AppendRow(record) < 0) FreeRecord(record);
    return 1;
}

int ShellListView::CompareItems(LPARAM first, LPARAM second)
{
    const ItemRecord* a = reinterpret_cast<const ItemRecord*>(first);
    const ItemRecord* b = reinterpret_cast<const ItemRecord*>(second);
    if (!a || !b) return 0;
    if (rowOrder_.SortedColumn() == RowOrder::kByKind) return CompareKinds(a->kind, b->kind);
    int names = 0;
    const HRESULT shell =
        folder_ && a->childId && b->childId ? folder_->CompareIDs(0, a->childId, b->childId) : E_FAIL;
    if (SUCCEEDED(shell)) {
        names = static_cast<short>(HRESULT_CODE(shell));
    } else {
        names = lstrcmpiA(a->displayName, b->displayName);
    }
    return rowOrder_.Compare(KeysOf(*a), KeysOf(*b), names);
}

LRESULT ShellListView::SortItems()
{
    FillColumn(rowOrder_.SortedColumn());
    return KvListView::SortItems();
}

void ShellListView::FillColumn(int column)
{
    const DWORD fields = FieldsOfColumn(column);
    if (!fields) return;
    const KvBusyState busy(GetHandle());
    const int count = static_cast<int>(GetItemCount());
    for (int row = 0; row < count; ++row) {
        ItemRecord* record = RecordAt(row);
        if (record) FillFields(*record, fields);
    }
}

void ShellListView::Resort()
{
    SortItems();
    const HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER, 0, 0));
    const int count = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int index = 0; index < count; ++index) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        const WPARAM at = static_cast<WPARAM>(index);
        if (!::SendMessageA(header, HDM_GETITEMA, at, reinterpret_cast<LPARAM>(&item))) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (index == rowOrder_.SortedColumn()) item.fmt |= rowOrder_.Descending() ? HDF_SORTDOWN : HDF_SORTUP;
        ::SendMessageA(header, HDM_SETITEMA, at, reinterpret_cast<LPARAM>(&item));
    }
    const int focused = static_cast<int>(GetNextItem(-1, LVNI_FOCUSED));
    if (focused >= 0) SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
}

void ShellListView::Arrange(int column)
{
    rowOrder_.Arrange(column);
    Resort();
}

LRESULT ShellListView::OnColumnClick(NMLISTVIEW* column)
{
    if (!column) return 0;
    rowOrder_.Click(column->iSubItem);
    Resort();
    BrowserHost* host = GetBrowserHost();
    if (host) host->SortChanged();
    return 0;
}

LRESULT ShellListView::OnGetDispInfo(NMLVDISPINFOA* info)
{
    if (!info) return 1;
    ItemRecord* record = reinterpret_cast<ItemRecord*>(info->item.lParam);
    if (!record) record = RecordAt(info->item.iItem);
    if (!record) return 1;
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        ColumnText(*record, info->item.iSubItem, info->item.pszText, info->item.cchTextMax);
    }
    if (!(info->item.mask & LVIF_IMAGE)) return 1;
    FillFields(*record, kFieldIcon);
    info->item.iImage = record->iconIndex;
    UINT state = 0, stateMask = 0;
    info->item.state = 0;
    info->item.stateMask = 0;
    if (IconStateOf(record->shellAttributes, &state, &stateMask)) {
        info->item.state = state;
        info->item.stateMask = stateMask;
        info->item.mask |= LVIF_STATE;
    }
    return 1;
}

LRESULT ShellListView::OnDeleteItem(NMLISTVIEW* item)
{
    ReleaseCurrentFolder();
    if (item) FreeRecord(reinterpret_cast<ItemRecord*>(item->lParam));
    return 1;
}

LRESULT ShellListView::OnDeleteAllItems(NMLISTVIEW*)
{
    ++listing_;  // a listing under way stops: its rows are gone
    return 0;    // and a LVN_DELETEITEM comes for each row
}

UINT ShellListView::TrackContextMenu(HMENU menu, POINT at)
{
    return static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, GetHandle(), nullptr));
}

LRESULT ShellListView::OnRClick(NMITEMACTIVATE*)
{
    const int count = static_cast<int>(GetSelectedCount());
    if (count <= 0 || !currentFolder) return 1;
    std::vector<LPCITEMIDLIST> children;
    for (int index = static_cast<int>(GetNextItem(-1, LVNI_SELECTED)); index >= 0;
         index = static_cast<int>(GetNextItem(index, LVNI_SELECTED))) {
        const ItemRecord* record = RecordAt(index);
        if (record && record->childId) children.push_back(record->childId);
        if (static_cast<int>(children.size()) >= count) break;
    }
    if (children.empty()) return 1;
    ComPtr<IShellFolder> folder;
    if (!BindFolder(currentFolder, folder)) return 1;
    ComPtr<IContextMenu> menu;
    if (FAILED(folder->GetUIObjectOf(GetHandle(), static_cast<UINT>(children.size()), children.data(),
                                     IID_IContextMenu, nullptr, reinterpret_cast<void**>(menu.Out()))) ||
        !menu) {
        return 1;
    }
    if (FAILED(menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(contextMenu.Out()))) || !contextMenu) {
        return 1;
    }
    const HMENU popup = CreatePopupMenu();
    UINT chosen = 0;
    if (popup) {
        menu->QueryContextMenu(popup, 0, 1, 0xFFFF, CMF_NORMAL);
        POINT at{};
        GetCursorPos(&at);
        chosen = TrackContextMenu(popup, at);
        if (chosen != 0) {
            CMINVOKECOMMANDINFO invoke{};
            invoke.cbSize = sizeof invoke;
            invoke.hwnd = GetHandle();
            invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
            invoke.nShow = SW_SHOWNORMAL;
            menu->InvokeCommand(&invoke);
        }
        DestroyMenu(popup);
    }
    contextMenu.Reset();
    if (chosen != 0) Refresh();
    return 1;
}

LRESULT ShellListView::OnOtherMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
        if (!contextMenu) return 0;
        contextMenu->HandleMenuMsg(message, wParam, lParam);
        return 1;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag ends here.
        if (!dragImage) return 0;
        EndDrag();
        return 1;
    default:
        return 0;
    }
}

LRESULT ShellListView::OnDblClk(NMITEMACTIVATE*)
{
    OpenSelected();
    return 1;
}

LRESULT ShellListView::OnBeginDrag(NMLISTVIEW* drag)
{
    if (!drag || dragImage) return 1;
    POINT origin{};
    dragImage = CreateDragImage(drag->iItem, &origin);
    if (!dragImage) return 1;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    SetCapture();
    ImageList_BeginDrag(dragImage, 0, cursor.x - origin.x, cursor.y - origin.y);
    // Locked to the list window: the image stays inside it.
    const POINT at = WindowPoint(GetHandle(), cursor);
    ImageList_DragEnter(GetHandle(), at.x, at.y);
    ShowCursor(FALSE);
    ++cursorShown_;
    return 1;
}

LRESULT ShellListView::OnMouseMove(UINT, UINT x, UINT y)
{
    if (!dragImage || GetCapture() != GetHandle()) return 0;
    const POINT at = WindowPoint(GetHandle(), POINT{static_cast<short>(x), static_cast<short>(y)});
    ImageList_DragMove(at.x, at.y);
    return 1;
}

LRESULT ShellListView::OnLButtonUp(WPARAM, UINT, UINT)
{
    if (!dragImage || GetCapture() != GetHandle()) return 0;
    EndDrag();
    return 1;
}

void ShellListView::EndDrag()
{
    if (!dragImage) return;
    const HIMAGELIST image = dragImage;
    dragImage = nullptr;  // before ReleaseCapture, whose WM_CAPTURECHANGED comes back here
    ImageList_DragLeave(GetHandle());
    ImageList_EndDrag();
    ImageList_Destroy(image);
    if (GetCapture() == GetHandle()) ReleaseCapture();
    while (cursorShown_ > 0) {
        ShowCursor(TRUE);
        --cursorShown_;
    }
}
