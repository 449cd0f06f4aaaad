#pragma once
// KvTreeView: a tree view under the superclass "KVsdkTreeView32". The tree's
// own notifications, reflected to this object, become virtual operations.
#include "framework/KvControl.h"

class KvTreeView : public KvControl {
public:
    KvTreeView();
    ~KvTreeView() override;

    virtual LRESULT OnSetDispInfo(NMTVDISPINFOA* info);
    virtual LRESULT OnSelChanging(NMTREEVIEWA* change);
    virtual LRESULT OnSelChanged(NMTREEVIEWA* change);
    virtual LRESULT OnTreeKeyDown(NMTVKEYDOWN* key);
    virtual LRESULT OnItemExpanding(NMTREEVIEWA* change);
    virtual LRESULT OnItemExpanded(NMTREEVIEWA* change);
    virtual LRESULT OnGetDispInfo(NMTVDISPINFOA* info);
    virtual LRESULT OnEndLabelEdit(NMTVDISPINFOA* info);
    virtual LRESULT OnDeleteItem(NMTREEVIEWA* item);
    virtual LRESULT OnBeginRDrag(NMTREEVIEWA* drag);
    virtual LRESULT OnBeginLabelEdit(NMTVDISPINFOA* info);
    virtual LRESULT OnBeginDrag(NMTREEVIEWA* drag);

    // The tree's codes to their operations; any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    LRESULT EnsureVisible(HTREEITEM item);
    LRESULT Expand(HTREEITEM item, UINT code);
    LRESULT GetItem(TVITEMA* item);
    UINT GetItemState(HTREEITEM item, UINT mask);
    HTREEITEM GetNextItem(HTREEITEM item, UINT code);
    HTREEITEM GetRootItem();
    HTREEITEM GetChildItem(HTREEITEM item);
    HTREEITEM GetNextSiblingItem(HTREEITEM item);
    HTREEITEM GetSelection();
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* insert);
    LRESULT SelectItem(UINT code, HTREEITEM item);
    LRESULT SetItem(const TVITEMA* item);
    HIMAGELIST SetImageList(HIMAGELIST list, int which);
    LRESULT SortChildrenCB(const TVSORTCB* sort, BOOL recurse);
};
