#include "app/browser/ShellTreeView.h"

#include "app/browser/IdListPool.h"
#include "app/browser/ShellItems.h"
#include "app/browser/SystemImageList.h"
#include "framework/KvRedrawOff.h"

#include <shellapi.h>

#include "core/browser/ItemTexts.h"

#include <cstring>

namespace {

// What a node asks of its folder: enough to know its button and its overlay.
constexpr ULONG kNodeAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_SHARE |
                                  SFGAO_DROPTARGET | SFGAO_HASPROPSHEET | SFGAO_CANDELETE | SFGAO_CANRENAME |
                                  SFGAO_CANLINK | SFGAO_CANMOVE | SFGAO_CANCOPY;
static_assert(kNodeAttributes == 0xE0020177, "the attributes a node asks for");

constexpr UINT kIconFlags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
constexpr UINT kOpenIconFlags = kIconFlags | SHGFI_OPENICON;

// The overlay image of a shared folder.
constexpr UINT kShareOverlay = 1;

// The children of one node, in the order the node's folder gives its items.
int CALLBACK CompareChildren(LPARAM first, LPARAM second, LPARAM folder)
{
    const auto* a = reinterpret_cast<const FolderNode*>(first);
    const auto* b = reinterpret_cast<const FolderNode*>(second);
    auto* shell = reinterpret_cast<IShellFolder*>(folder);
    if (!a || !b || !shell) return 0;
    const HRESULT result = shell->CompareIDs(0, a->relativeId, b->relativeId);
    return static_cast<short>(static_cast<unsigned>(result) & 0xFFFF);
}

// The attributes of one child ANDed with the mask asked for (the shell may
// set others too); 0 when it gives none.
ULONG AttributesOf(IShellFolder* parent, LPCITEMIDLIST child)
{
    ULONG attributes = kNodeAttributes;
    if (FAILED(parent->GetAttributesOf(1, &child, &attributes))) return 0;
    return attributes & kNodeAttributes;
}

}  // namespace

ShellTreeView::ShellTreeView() : pool(new IdListPool) {}

ShellTreeView::~ShellTreeView() = default;

LRESULT ShellTreeView::OnCreate(CREATESTRUCTA*)
{
    SetImageList(SystemImageList(true), TVSIL_NORMAL);
    InsertRoot();
    return 1;
}

LRESULT ShellTreeView::InsertRoot()
{
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Out())) || !desktop) return 0;
    LPITEMIDLIST desktopId = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetHandle(), CSIDL_DESKTOP, &desktopId)) || !desktopId) return 0;
    const HTREEITEM root = AddNode(desktop.Get(), desktopId, nullptr, TVI_ROOT);
    pool->Free(desktopId);
    if (!root) return 0;
    // The desktop cannot be bound from itself: the root keeps this object.
    FolderNode* node = NodeOf(root);
    node->folder = desktop.Detach();
    node->filled |= kNodeBound;
    Expand(root, TVE_EXPAND);
    SelectItem(TVGN_CARET, root);
    return 1;
}

HTREEITEM ShellTreeView::AddNode(IShellFolder* parentFolder, LPCITEMIDLIST childId, LPCITEMIDLIST parentId,
                                 HTREEITEM parentItem)
{
    if (!parentFolder || !childId) return nullptr;
    auto* node = static_cast<FolderNode*>(pool->Alloc(sizeof(FolderNode)));
    if (!node) return nullptr;
    std::memset(node, 0, sizeof *node);
    node->absoluteId = parentId ? pool->ConcatIdLists(parentId, childId) : pool->CloneIdList(childId);
    node->relativeId = pool->CloneIdList(childId);
    if (!node->absoluteId || !node->relativeId) {
        FreeNode(node);
        return nullptr;
    }
    // The label goes in at once (the tree measures every label of a node it
    // expands); the icons are asked for when the node is first drawn.
    CopyToField(node->label, sizeof node->label, DisplayNameOf(parentFolder, childId).c_str());
    TVINSERTSTRUCTA insert{};
    insert.hParent = parentItem;
    insert.hInsertAfter = TVI_LAST;
    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.pszText = node->label;
    item.iImage = item.iSelectedImage = I_IMAGECALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(node);
    // The root is expanded at once and always has a button.
    const ULONG attributes = AttributesOf(parentFolder, childId);
    if ((attributes & SFGAO_HASSUBFOLDER) || parentItem == TVI_ROOT) {
        item.mask |= TVIF_CHILDREN;
        item.cChildren = 1;
    }
    WIN32_FIND_DATAA find{};
    const DWORD ownIcon = FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    if ((attributes & SFGAO_FILESYSTEM) &&
        SUCCEEDED(SHGetDataFromIDListA(parentFolder, childId, SHGDFIL_FINDDATA, &find, sizeof find)) &&
        (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(find.dwFileAttributes & ownIcon)) {
        node->filled |= kNodePlain;
    }
    if (attributes & SFGAO_SHARE) {
        item.mask |= TVIF_STATE;
        item.state = INDEXTOOVERLAYMASK(kShareOverlay);
        item.stateMask = TVIS_OVERLAYMASK;
    }
    const HTREEITEM inserted = InsertItem(&insert);
    if (!inserted) FreeNode(node);
    return inserted;
}

void ShellTreeView::FreeNode(FolderNode* node)
{
    if (!node) return;
    const ComPtr<IShellFolder> folder(node->folder);  // the node's reference goes with it
    pool->Free(node->relativeId);
    pool->Free(node->absoluteId);
    pool->Free(node);
}

IShellFolder* ShellTreeView::FolderOf(HTREEITEM item)
{
    FolderNode* node = NodeOf(item);
    if (!node) return nullptr;
    if (!(node->filled & kNodeBound)) {
        node->filled |= kNodeBound;
        ComPtr<IShellFolder> folder;
        if (BindFolder(node->absoluteId, folder)) node->folder = folder.Detach();
    }
    return node->folder;
}

LRESULT ShellTreeView::OnGetDispInfo(NMTVDISPINFOA* info)
{
    FolderNode* node = info ? reinterpret_cast<FolderNode*>(info->item.lParam) : nullptr;
    if (!node) return 0;
    if (!(node->filled & kNodeShown)) {
        node->filled |= kNodeShown;
        // Plain folders share the icons of the first of them shown.
        const bool plain = (node->filled & kNodePlain) != 0;
        if (plain && plainIcons_.icon >= 0) {
            node->icon = plainIcons_.icon;
            node->openIcon = plainIcons_.openIcon;
        } else {
            SHFILEINFOA icon{};
            SHFILEINFOA open{};
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(node->absoluteId), 0, &icon, sizeof icon, kIconFlags);
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(node->absoluteId), 0, &open, sizeof open, kOpenIconFlags);
            node->icon = icon.iIcon;
            node->openIcon = open.iIcon;
            if (plain) plainIcons_ = {node->icon, node->openIcon};
        }
    }
    if (info->item.mask & TVIF_IMAGE) info->item.iImage = node->icon;
    if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = node->openIcon;
    return 0;
}

LRESULT ShellTreeView::FillChildren(IShellFolder* folder, LPCITEMIDLIST absoluteId, HTREEITEM item)
{
    bool added = false;
    ComPtr<IEnumIDList> children;
    if (folder && folder->EnumObjects(GetHandle(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, children.Out()) == S_OK &&
        children) {
        // The node opens after this: its children are neither laid out nor
        // drawn as they go in (drawing off and on would lay out the whole tree).
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (children->Next(1, &child, &fetched) == S_OK) {
            if (child && AddNode(folder, child, absoluteId, item)) added = true;
            pool->Free(child);  // the enumerator's block goes back to the shell allocator
            child = nullptr;
        }
    }
    if (!added) {
        // Some shells report sub-folders for every folder; once read, a
        // folder without any loses its button.
        TVITEMA none{};
        none.mask = TVIF_HANDLE | TVIF_CHILDREN;
        none.hItem = item;
        none.cChildren = 0;
        SetItem(&none);
        return 1;
    }
    TVSORTCB sort{};
    sort.hParent = item;
    sort.lpfnCompare = CompareChildren;
    sort.lParam = reinterpret_cast<LPARAM>(folder);
    SortChildrenCB(&sort, FALSE);
    return 1;
}

LRESULT ShellTreeView::OnItemExpanding(NMTREEVIEWA* change)
{
    if (!change) return 0;
    if (change->itemNew.state & TVIS_EXPANDEDONCE) return 1;
    FolderNode* node = reinterpret_cast<FolderNode*>(change->itemNew.lParam);
    if (node) FillChildren(FolderOf(change->itemNew.hItem), node->absoluteId, change->itemNew.hItem);
    return 1;
}

LRESULT ShellTreeView::OnDeleteItem(NMTREEVIEWA* item)
{
    if (!item) return 0;
    FreeNode(reinterpret_cast<FolderNode*>(item->itemOld.lParam));
    return 1;
}

FolderNode* ShellTreeView::NodeOf(HTREEITEM handle)
{
    if (!handle) return nullptr;
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = handle;
    if (!GetItem(&item)) return nullptr;
    return reinterpret_cast<FolderNode*>(item.lParam);
}

size_t ShellTreeView::PoolBlockCount() const
{
    return pool->BlockCount();
}

LRESULT ShellTreeView::SelectIdList(LPCITEMIDLIST absoluteId)
{
    // Opening nodes and scrolling to the selection would each draw the tree
    // at once; it is drawn once, later.
    const KvRedrawOff redraw(*this);
    const HTREEITEM item = FindItem(GetRootItem(), absoluteId);
    if (item) {
        SelectItem(TVGN_CARET, item);
        EnsureVisible(item);
    }
    return 1;
}

HTREEITEM ShellTreeView::FindItem(HTREEITEM item, LPCITEMIDLIST rest)
{
    if (!item || !rest || rest->mkid.cb == 0) return item;
    IdListPool temporary;
    const LPITEMIDLIST first = temporary.CloneFirstId(rest);
    // Asking an open node to open costs the tree a full layout.
    if (!(GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED)) Expand(item, TVE_EXPAND);
    IShellFolder* folder = FolderOf(item);
    if (!first || !folder) return item;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        FolderNode* childNode = NodeOf(child);
        if (!childNode) continue;
        const LPITEMIDLIST childFirst = temporary.CloneFirstId(childNode->relativeId);
        const HRESULT order = folder->CompareIDs(0, childFirst, first);
        temporary.Free(childFirst);
        if (order == 0) return FindItem(child, NextId(rest));
    }
    return item;
}

LRESULT ShellTreeView::GoToPath(const char* path)
{
    // Some shells parse the empty text as the computer's drives; an empty
    // path names no folder, so the tree stays where it is.
    if (!path || !*path) return 1;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Out())) || !desktop) return 1;
    WCHAR wide[MAX_PATH];
    // A text longer than a path can be is no folder: nothing changes.
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide, MAX_PATH) > 0) {
        LPITEMIDLIST list = nullptr;
        if (desktop->ParseDisplayName(GetHandle(), nullptr, wide, nullptr, &list, nullptr) == S_OK && list) {
            SelectIdList(list);
        }
        pool->Free(list);
    }
    return 1;
}

void ShellTreeView::MeasureLabelsInSight()
{
    const int inSight = static_cast<int>(SendMessage(TVM_GETVISIBLECOUNT, 0, 0)) + 1;  // a part-shown one too
    HTREEITEM item = GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
    for (int i = 0; item && i < inSight; ++i) {
        RECT label{};
        *reinterpret_cast<HTREEITEM*>(&label) = item;
        SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
        item = GetNextItem(item, TVGN_NEXTVISIBLE);
    }
    // Turning drawing on lays the tree out and sets its bars.
    SendMessage(WM_SETREDRAW, TRUE, 0);
}

std::string ShellTreeView::SelectedPath()
{
    const HTREEITEM selected = GetSelection();
    if (!selected) return std::string();
    char text[MAX_PATH] = {};
    FolderNode* node = NodeOf(selected);
    const std::string path = node ? PathOfIdList(node->absoluteId) : std::string();
    if (!path.empty()) return path;
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = selected;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(&item);
    return std::string(text, strnlen(text, sizeof text));
}
