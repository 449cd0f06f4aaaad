#pragma once
// FolderNode: the item data of one folder-tree node, a block of the tree's
// pool made when the node is inserted and given back when it is deleted. Its
// folder object is bound and its icons asked for when first needed.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>

struct FolderNode {
    IShellFolder* folder;     // one reference held; null until bound or when it cannot be
    ITEMIDLIST* absoluteId;   // from the desktop, in the tree's pool
    ITEMIDLIST* relativeId;   // from the parent folder, in the tree's pool
    uint32_t filled;          // kNode* bits: what has been asked for and found
    int32_t icon;             // closed and open icons in the system's small-icon list
    int32_t openIcon;
    char label[MAX_PATH];     // the display name in the parent folder
};

constexpr uint32_t kNodeBound = 1;  // `folder` was bound (or could not be)
constexpr uint32_t kNodeShown = 2;  // `icon` and `openIcon` are filled
constexpr uint32_t kNodePlain = 4;  // a file-system folder that cannot carry an icon of its own
