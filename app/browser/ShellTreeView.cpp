#include "app/browser/ShellTreeView.h"

#include "app/browser/IdListPool.h"
#include "app/browser/SystemImageList.h"

#include <shellapi.h>

#include <cstring>

namespace {

// What a node asks of its folder: enough to know its button and its overlay.
constexpr ULONG kNodeAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_SHARE |
                                  SFGAO_DROPTARGET | SFGAO_HASPROPSHEET | SFGAO_CANDELETE | SFGAO_CANRENAME |
                                  SFGAO_CANLINK | SFGAO_CANMOVE | SFGAO_CANCOPY;
static_assert(kNodeAttributes == 0xE0020177, "the attributes a node asks for");

constexpr UINT kIconFlags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
constexpr UINT kOpenIconAndLabelFlags = kIconFlags | SHGFI_OPENICON | SHGFI_DISPLAYNAME;
static_assert(kIconFlags == 0x4009 && kOpenIconAndLabelFlags == 0x420B, "the icon queries of a node");

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

IShellFolder* BindFolder(IShellFolder* parent, LPCITEMIDLIST child)
{
    IShellFolder* folder = nullptr;
    if (FAILED(parent->BindToObject(child, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)))) {
        return nullptr;
    }
    return folder;
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
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return 0;
    LPITEMIDLIST desktopId = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetHandle(), CSIDL_DESKTOP, &desktopId)) || !desktopId) {
        desktop->Release();
        return 0;
    }
    const HTREEITEM root = AddNode(desktop, desktopId, nullptr, TVI_ROOT);
    pool->Free(desktopId);
    desktop->Release();  // the root node holds a reference of its own
    if (!root) return 0;
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
    node->absoluteId = parentId ? pool->ConcatIdLists(parentId, childId) : pool->CloneIdList(childId);
    node->relativeId = pool->CloneIdList(childId);
    node->folder = nullptr;
    if (!node->absoluteId || !node->relativeId) {
        pool->Free(node->absoluteId);
        pool->Free(node->relativeId);
        pool->Free(node);
        return nullptr;
    }

    SHFILEINFOA icon{};
    SHFILEINFOA open{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(node->absoluteId), 0, &icon, sizeof icon, kIconFlags);
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(node->absoluteId), 0, &open, sizeof open, kOpenIconAndLabelFlags);
    open.szDisplayName[sizeof open.szDisplayName - 1] = '\0';

    TVINSERTSTRUCTA insert{};
    insert.hParent = parentItem;
    insert.hInsertAfter = TVI_LAST;
    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.pszText = open.szDisplayName;
    item.iImage = icon.iIcon;
    item.iSelectedImage = open.iIcon;
    item.lParam = reinterpret_cast<LPARAM>(node);

    const ULONG attributes = AttributesOf(parentFolder, childId);
    node->folder = BindFolder(parentFolder, childId);
    if (!node->folder && parentItem == TVI_ROOT) {
        // The desktop cannot be bound from itself: the root keeps the
        // desktop object it was given.
        parentFolder->AddRef();
        node->folder = parentFolder;
    }
    // A folder that cannot be bound has nothing to list, so it gets no button;
    // the root is expanded at once and always has one.
    const bool root = parentItem == TVI_ROOT;
    if (node->folder && ((attributes & SFGAO_HASSUBFOLDER) || root)) {
        item.mask |= TVIF_CHILDREN;
        item.cChildren = 1;
    }
    if (attributes & SFGAO_SHARE) {
        item.mask |= TVIF_STATE;
        item.state = INDEXTOOVERLAYMASK(kShareOverlay);
        item.stateMask = TVIS_OVERLAYMASK;
    }

    const HTREEITEM inserted = InsertItem(&insert);
    if (!inserted) {
        if (node->folder) node->folder->Release();
        pool->Free(node->relativeId);
        pool->Free(node->absoluteId);
        pool->Free(node);
    }
    return inserted;
}

LRESULT ShellTreeView::FillChildren(IShellFolder* folder, LPCITEMIDLIST absoluteId, HTREEITEM item)
{
    bool added = false;
    IEnumIDList* children = nullptr;
    if (folder && folder->EnumObjects(GetHandle(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &children) == S_OK &&
        children) {
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (children->Next(1, &child, &fetched) == S_OK) {
            if (child && AddNode(folder, child, absoluteId, item)) added = true;
            pool->Free(child);  // the enumerator's block goes back to the shell allocator
            child = nullptr;
        }
        children->Release();
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
    if (node) FillChildren(node->folder, node->absoluteId, change->itemNew.hItem);
    return 1;
}

LRESULT ShellTreeView::OnDeleteItem(NMTREEVIEWA* item)
{
    if (!item) return 0;
    FolderNode* node = reinterpret_cast<FolderNode*>(item->itemOld.lParam);
    if (!node) return 1;
    pool->Free(node->relativeId);
    pool->Free(node->absoluteId);
    if (node->folder) node->folder->Release();
    pool->Free(node);
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
    const HTREEITEM item = FindItem(GetRootItem(), absoluteId);
    if (!item) return 1;
    SelectItem(TVGN_CARET, item);
    EnsureVisible(item);
    return 1;
}

HTREEITEM ShellTreeView::FindItem(HTREEITEM item, LPCITEMIDLIST rest)
{
    if (!item || !rest || rest->mkid.cb == 0) return item;
    IdListPool temporary;
    const LPITEMIDLIST first = temporary.CloneFirstId(rest);
    Expand(item, TVE_EXPAND);
    FolderNode* node = NodeOf(item);
    if (!first || !node || !node->folder) return item;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        FolderNode* childNode = NodeOf(child);
        if (!childNode) continue;
        const LPITEMIDLIST childFirst = temporary.CloneFirstId(childNode->relativeId);
        const HRESULT order = node->folder->CompareIDs(0, childFirst, first);
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
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return 1;
    WCHAR wide[MAX_PATH];
    // A text longer than a path can be is no folder: nothing changes.
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide, MAX_PATH) > 0) {
        LPITEMIDLIST list = nullptr;
        if (desktop->ParseDisplayName(GetHandle(), nullptr, wide, nullptr, &list, nullptr) == S_OK && list) {
            SelectIdList(list);
        }
        pool->Free(list);
    }
    desktop->Release();
    return 1;
}

std::string ShellTreeView::SelectedPath()
{
    const HTREEITEM selected = GetSelection();
    if (!selected) return std::string();
    char text[MAX_PATH] = {};
    FolderNode* node = NodeOf(selected);
    if (node && SHGetPathFromIDListA(node->absoluteId, text)) return std::string(text, strnlen(text, sizeof text));
    text[0] = '\0';
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = selected;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(&item);
    return std::string(text, strnlen(text, sizeof text));
}
