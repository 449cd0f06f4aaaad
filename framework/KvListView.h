#pragma once
// KvListView: a list view under the superclass "KVsdkListView32". The list's
// own notifications, reflected to this object, become virtual operations.
#include "framework/KvControl.h"

class KvListView : public KvControl {
public:
    KvListView();
    ~KvListView() override;

    // Sorts the rows by CompareItems of their item data (LVM_SORTITEMS).
    virtual LRESULT SortItems();
    virtual LRESULT OnRDblClk(NMITEMACTIVATE* item);
    virtual LRESULT OnRClick(NMITEMACTIVATE* item);
    virtual LRESULT OnDblClk(NMITEMACTIVATE* item);
    virtual LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    virtual LRESULT OnOdStateChanged(NMLVODSTATECHANGE* change);
    virtual LRESULT OnOdFindItem(NMLVFINDITEMA* find);
    virtual LRESULT OnOdCacheHint(NMLVCACHEHINT* hint);
    virtual LRESULT OnClick(NMITEMACTIVATE* item);
    virtual int CompareItems(LPARAM first, LPARAM second);
    virtual LRESULT OnSetDispInfo(NMLVDISPINFOA* info);
    virtual LRESULT OnMarqueeBegin(NMHDR* header);
    virtual LRESULT OnListKeyDown(NMLVKEYDOWN* key);
    virtual LRESULT OnItemChanging(NMLISTVIEW* change);
    virtual LRESULT OnItemChanged(NMLISTVIEW* change);
    virtual LRESULT OnItemActivate(NMITEMACTIVATE* item);
    virtual LRESULT OnInsertItem(NMLISTVIEW* item);
    virtual LRESULT OnGetDispInfo(NMLVDISPINFOA* info);
    virtual LRESULT OnEndLabelEdit(NMLVDISPINFOA* info);
    virtual LRESULT OnDeleteItem(NMLISTVIEW* item);
    virtual LRESULT OnDeleteAllItems(NMLISTVIEW* item);
    virtual LRESULT OnColumnClick(NMLISTVIEW* column);
    virtual LRESULT OnBeginLabelEdit(NMLVDISPINFOA* info);
    // LVN_BEGINDRAG and LVN_BEGINRDRAG alike.
    virtual LRESULT OnBeginDrag(NMLISTVIEW* drag);

    // The list's codes to their operations; any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    LRESULT SetExtendedListViewStyle(DWORD mask, DWORD style);
    HIMAGELIST CreateDragImage(int index, POINT* origin);
    LRESULT DeleteAllItems();
    LRESULT GetItem(LVITEMA* item);
    LRESULT GetItemCount();
    LRESULT GetNextItem(int start, UINT flags);
    LRESULT GetSelectedCount();
    LRESULT InsertColumn(int index, const LVCOLUMNA* column);
    HIMAGELIST SetImageList(HIMAGELIST list, int which);
    LRESULT SetItem(const LVITEMA* item);
    LRESULT SetItemState(int index, UINT state, UINT mask);
    LRESULT InsertItem(const LVITEMA* item);
};
