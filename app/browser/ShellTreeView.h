#pragma once
// ShellTreeView: the shell's namespace as a tree of folders rooted at the
// desktop. A node's sub-folders are read at its first expansion and kept as
// read; a node goes in with its id lists, label and attributes, and its
// folder object and icons are asked for when first needed. It owns the pool
// that holds every node's record and id lists.
#include "app/browser/FolderNode.h"
#include "framework/KvTreeView.h"

#include <cstdint>
#include <memory>
#include <string>

class IdListPool;

class ShellTreeView : public KvTreeView {
public:
    ShellTreeView();
    ~ShellTreeView() override;

    LRESULT OnCreate(CREATESTRUCTA* create) override;
    LRESULT OnItemExpanding(NMTREEVIEWA* change) override;
    LRESULT OnDeleteItem(NMTREEVIEWA* item) override;
    // The icons of a node, asked of the shell when first drawn.
    LRESULT OnGetDispInfo(NMTVDISPINFOA* info) override;

    // The desktop as the root node, expanded and selected.
    LRESULT InsertRoot();
    // Inserts `childId` of `parentFolder` as the last child of `parentItem`
    // (TVI_ROOT for the root); `parentId` is the parent's absolute list or null.
    HTREEITEM AddNode(IShellFolder* parentFolder, const ITEMIDLIST* childId, const ITEMIDLIST* parentId,
                      HTREEITEM parentItem);
    // A node for every sub-folder (hidden ones too), in the shell's order.
    LRESULT FillChildren(IShellFolder* folder, const ITEMIDLIST* absoluteId, HTREEITEM item);
    // Selects the deepest node along the absolute list and scrolls it into view.
    LRESULT SelectIdList(const ITEMIDLIST* absoluteId);
    // The deepest node below `item` that matches `rest` id by id.
    HTREEITEM FindItem(HTREEITEM item, const ITEMIDLIST* rest);
    // Selects the folder the shell parses `path` into; nothing changes when
    // it is empty or cannot be parsed.
    LRESULT GoToPath(const char* path);
    // Measures the labels in sight and settles the scroll bars, before the
    // tree is first shown. Wine's tree view measures a label when it first
    // draws it; when that adds or drops a scroll bar in the middle of a
    // paint, the paint is wiped and the tree shows blank.
    void MeasureLabelsInSight();
    // The selected folder's file-system path, else its label; empty when
    // nothing is selected.
    std::string SelectedPath();

    // The record of a node, or null.
    FolderNode* NodeOf(HTREEITEM item);
    // The folder object of a node, bound when first needed; null when it
    // cannot be bound.
    IShellFolder* FolderOf(HTREEITEM item);
    // Blocks of the tree's pool not yet given back.
    size_t PoolBlockCount() const;

private:
    // Gives back a node's folder object, id lists and record.
    void FreeNode(FolderNode* node);

    std::unique_ptr<IdListPool> pool;
    struct Icons {
        int32_t icon, openIcon;
    } plainIcons_{-1, -1};  // of a plain file-system folder, once known
};
