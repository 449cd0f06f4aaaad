#pragma once
// FolderNode: the item data of one folder-tree node, a block of the tree's
// pool made when the node is inserted and given back when it is deleted.
#include <windows.h>
#include <shlobj.h>

struct FolderNode {
    IShellFolder* folder;     // one reference held; null when the folder could not be bound
    ITEMIDLIST* absoluteId;   // from the desktop, in the tree's pool
    ITEMIDLIST* relativeId;   // from the parent folder, in the tree's pool
};
