#include "app/browser/ShellListView.h"

#include "core/browser/ItemTexts.h"
#include "core/browser/PathUtilities.h"
#include "app/browser/BrowserHost.h"
#include "app/browser/SystemImageList.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Releases a COM interface at the end of a scope.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset()
    {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

// The folder object of `folderId`: the desktop itself for the desktop's
// empty list. A folder that cannot be bound gives none, so that a vanished
// folder shows as empty instead of as the desktop.
bool BindFolder(LPCITEMIDLIST folderId, ComPtr<IShellFolder>& folder)
{
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Out())) || !desktop) return false;
    if (IdListSize(folderId) <= 2) {
        *folder.Out() = desktop.Get();
        desktop->AddRef();
        return true;
    }
    return SUCCEEDED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder,
                                           reinterpret_cast<void**>(folder.Out()))) &&
           folder;
}

// The busy state of a listing: both scroll bars disabled, the mouse
// captured and the wait cursor up; everything restored at the end.
class BusyState {
public:
    explicit BusyState(ShellListView& list) : list_(list)
    {
        list_.EnableScrollBar(SB_BOTH, ESB_DISABLE_BOTH);
        list_.SetCapture();
        saved_ = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    }
    ~BusyState()
    {
        SetCursor(saved_);
        ReleaseCapture();
        list_.EnableScrollBar(SB_BOTH, ESB_ENABLE_BOTH);
    }
    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

private:
    ShellListView& list_;
    HCURSOR saved_ = nullptr;
};

// The child's parsing name inside its folder (its file name for a
// file-system item), or empty when the shell gives none.
std::string InFolderName(IShellFolder* folder, LPCITEMIDLIST childId)
{
    STRRET name{};
    name.uType = STRRET_WSTR;
    if (FAILED(folder->GetDisplayNameOf(childId, SHGDN_INFOLDER | SHGDN_FORPARSING, &name))) return std::string();
    std::string text;
    if (name.uType == STRRET_WSTR && name.pOleStr) {
        const int size = WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            text.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, &text[0], size, nullptr, nullptr);
            text.resize(static_cast<size_t>(size) - 1);
        }
        CoTaskMemFree(name.pOleStr);
    } else if (name.uType == STRRET_CSTR) {
        text.assign(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    }
    return text;
}

// The item's file-system path, whole, or empty when it has none. The shell
// cuts longer paths to MAX_PATH - 1 characters and reports success; a path
// cut short names another file, so such a path counts as none.
std::string PathOf(IShellFolder* folder, LPCITEMIDLIST childId, LPCITEMIDLIST absoluteId)
{
    char path[4 * MAX_PATH] = {};
    if (!absoluteId || !SHGetPathFromIDListA(absoluteId, path)) return std::string();
    path[sizeof path - 1] = '\0';
    const std::string whole(path, strnlen(path, sizeof path));
    if (whole.size() < MAX_PATH - 1) return whole;
    const std::string name = InFolderName(folder, childId);
    const bool endsWithName = !name.empty() && whole.size() > name.size() &&
                              whole.compare(whole.size() - name.size(), name.size(), name) == 0;
    return endsWithName ? whole : std::string();
}

// The whole 64-bit size of a file: from the file system when it answers
// (the shell's find data may hold only the low part), else from the find data.
uint64_t FileSizeOf(const std::string& path, const WIN32_FIND_DATAA& find)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path.empty() && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return (static_cast<uint64_t>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
}

std::string TimeTextOf(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) {
        return std::string();
    }
    return TimeText(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute);
}

RowKeys KeysOf(const ItemRecord& record)
{
    return RowKeys{record.kind,     record.fileSize,     record.writeTime, record.typeName,
                   record.smfFormat, record.sequenceName, record.copyright};
}

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

bool IconStateOf(ULONG shellAttributes, UINT* state, UINT* stateMask)
{
    *state = 0;
    *stateMask = 0;
    bool any = false;
    if (shellAttributes & SFGAO_LINK) {
        *state = INDEXTOOVERLAYMASK(2);
        *stateMask = LVIS_OVERLAYMASK;
        any = true;
    }
    if (shellAttributes & SFGAO_SHARE) {
        *state = INDEXTOOVERLAYMASK(1);
        *stateMask = LVIS_OVERLAYMASK;
        any = true;
    }
    if (shellAttributes & SFGAO_HIDDEN) {
        *state |= LVIS_CUT;
        *stateMask |= LVIS_CUT;
        any = true;
    }
    return any;
}

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
    {
        BusyState busy(*this);
        DeleteAllItems();
        // Kept also when it cannot be opened, so that a refresh tries again.
        ReleaseCurrentFolder();
        currentFolder = pool->CloneIdList(folderId);
        ComPtr<IShellFolder> folder;
        ComPtr<IEnumIDList> children;
        // An empty folder may answer S_FALSE and no enumerator.
        if (BindFolder(folderId, folder) &&
            SUCCEEDED(folder->EnumObjects(GetHandle(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                          children.Out()))) {
            LPITEMIDLIST child = nullptr;
            while (children && children->Next(1, &child, nullptr) == S_OK) {
                AddItem(folder.Get(), folderId, child);
                pool->Free(child);  // the shell's block: straight back to the allocator
                child = nullptr;
            }
            children.Reset();
            folder.Reset();
            SortItems();
        }
    }
    SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    return 1;
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
                                  LPCITEMIDLIST childId, DWORD mask)
{
    if (!record || !folder || !childId) return 0;
    if (mask & kFieldShellAttributes) {
        ULONG attributes = kItemAttributeMask;
        LPCITEMIDLIST children[] = {childId};
        // The shell may set bits it was not asked for.
        record->shellAttributes =
            SUCCEEDED(folder->GetAttributesOf(1, children, &attributes)) ? attributes & kItemAttributeMask : 0;
    }
    std::string path;
    const DWORD namedFields = kFieldIcon | kFieldDisplayName | kFieldPath | kFieldTypeName | kFieldIdLists;
    if (mask & (namedFields | kFieldSize)) {
        IdListPool temporary;
        LPITEMIDLIST absoluteId = temporary.ConcatIdLists(folderId, childId);
        if (absoluteId) {
            path = PathOf(folder, childId, absoluteId);
            if (mask & namedFields) {
                SHFILEINFOA info{};
                SHGetFileInfoA(reinterpret_cast<LPCSTR>(absoluteId), 0, &info, sizeof info,
                               SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME |
                                   SHGFI_TYPENAME);
                if (mask & kFieldIcon) record->iconIndex = info.iIcon;
                if (mask & kFieldDisplayName) CopyToField(record->displayName, sizeof record->displayName, info.szDisplayName);
                // A path that does not fit stays empty, as for an item without one.
                if ((mask & kFieldPath) && path.size() < sizeof record->path) {
                    CopyToField(record->path, sizeof record->path, path.c_str());
                }
                if (mask & kFieldTypeName) CopyToField(record->typeName, sizeof record->typeName, info.szTypeName);
                if (mask & kFieldIdLists) {
                    record->absoluteId = pool->CloneIdList(absoluteId);
                    record->childId = pool->CloneIdList(childId);
                }
            }
            temporary.Free(absoluteId);
        }
    }
    if (mask & (kFieldSize | kFieldDate | kFieldFileAttributes | kFieldKind)) {
        WIN32_FIND_DATAA find{};
        if (FAILED(SHGetDataFromIDListA(folder, childId, SHGDFIL_FINDDATA, &find, sizeof find))) return 0;
        if ((mask & kFieldSize) && !(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            record->fileSize = FileSizeOf(path, find);
            CopyToField(record->sizeText, sizeof record->sizeText, SizeText(record->fileSize).c_str());
        }
        if (mask & kFieldDate) {
            CopyToField(record->dateText, sizeof record->dateText, TimeTextOf(find.ftLastWriteTime).c_str());
            record->writeTime =
                (uint64_t{find.ftLastWriteTime.dwHighDateTime} << 32) | find.ftLastWriteTime.dwLowDateTime;
        }
        if (mask & kFieldFileAttributes) record->fileAttributes = find.dwFileAttributes;
        if (mask & kFieldKind) record->kind = KindOfAttributes(find.dwFileAttributes);
    }
    return 1;
}

ItemRecord* ShellListView::MakeRecord(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId)
{
    ItemRecord* record = static_cast<ItemRecord*>(pool->Alloc(sizeof(ItemRecord)));
    if (!record) return nullptr;
    std::memset(record, 0, sizeof *record);
    record->smfFormat = -1;
    FillRecord(record, folder, folderId, childId, kFieldAll);
    return record;
}

void ShellListView::FreeRecord(ItemRecord* record)
{
    if (!record) return;
    pool->Free(record->childId);
    pool->Free(record->absoluteId);
    pool->Free(record);
}

void ShellListView::SetSubItemText(int index, int subItem, const char* text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    SetItem(&item);
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
    SetSubItemText(index, 1, record->sizeText);
    SetSubItemText(index, 2, record->typeName);
    SetSubItemText(index, 3, record->dateText);
    return index;
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
        sortFolder_ && a->childId && b->childId ? sortFolder_->CompareIDs(0, a->childId, b->childId) : E_FAIL;
    if (SUCCEEDED(shell)) {
        names = static_cast<short>(HRESULT_CODE(shell));
    } else {
        names = lstrcmpiA(a->displayName, b->displayName);
    }
    return rowOrder_.Compare(KeysOf(*a), KeysOf(*b), names);
}

LRESULT ShellListView::SortItems()
{
    ComPtr<IShellFolder> folder;
    if (currentFolder && BindFolder(currentFolder, folder)) sortFolder_ = folder.Get();
    const LRESULT sorted = KvListView::SortItems();
    sortFolder_ = nullptr;
    return sorted;
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
    if (!info || !(info->item.mask & LVIF_IMAGE)) return 1;
    const ItemRecord* record = reinterpret_cast<const ItemRecord*>(info->item.lParam);
    if (!record) record = RecordAt(info->item.iItem);
    if (!record) return 1;
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
    if (FAILED(menu->QueryInterface(IID_IContextMenu2, reinterpret_cast<void**>(&contextMenu)))) {
        contextMenu = nullptr;
    }
    if (!contextMenu) return 1;
    const HMENU popup = CreatePopupMenu();
    if (popup) {
        menu->QueryContextMenu(popup, 0, 1, 0xFFFF, CMF_NORMAL);
        POINT at{};
        GetCursorPos(&at);
        const UINT chosen = TrackContextMenu(popup, at);
        if (chosen != 0) {
            CMINVOKECOMMANDINFO invoke{};
            invoke.cbSize = sizeof invoke;
            invoke.hwnd = GetHandle();
            invoke.lpVerb = MAKEINTRESOURCEA(chosen - 1);
            invoke.nShow = SW_SHOWNORMAL;
            menu->InvokeCommand(&invoke);
        }
        DestroyMenu(popup);
        contextMenu->Release();
        contextMenu = nullptr;
        if (chosen != 0) Refresh();
        return 1;
    }
    contextMenu->Release();
    contextMenu = nullptr;
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
