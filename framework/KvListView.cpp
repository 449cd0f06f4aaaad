#include "framework/KvListView.h"

namespace {

// The record the platform sends for a code.
template <class Record>
Record* As(NMHDR* header)
{
    return reinterpret_cast<Record*>(header);
}

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list)
{
    return reinterpret_cast<KvListView*>(list)->CompareItems(first, second);
}

}  // namespace

KvListView::KvListView() : KvControl(ICC_LISTVIEW_CLASSES, "SysListView32", "KVsdkListView32") {}

KvListView::~KvListView() = default;

LRESULT KvListView::SortItems()
{
    return SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this),
                       reinterpret_cast<LPARAM>(&CompareRows));
}

LRESULT KvListView::OnRDblClk(NMITEMACTIVATE*) { return 0; }
LRESULT KvListView::OnRClick(NMITEMACTIVATE*) { return 0; }
LRESULT KvListView::OnDblClk(NMITEMACTIVATE*) { return 0; }
LRESULT KvListView::OnCustomDraw(NMLVCUSTOMDRAW*) { return 0; }
LRESULT KvListView::OnOdStateChanged(NMLVODSTATECHANGE*) { return 0; }
LRESULT KvListView::OnOdFindItem(NMLVFINDITEMA*) { return 0; }
LRESULT KvListView::OnOdCacheHint(NMLVCACHEHINT*) { return 0; }
LRESULT KvListView::OnClick(NMITEMACTIVATE*) { return 0; }
int KvListView::CompareItems(LPARAM, LPARAM) { return 0; }
LRESULT KvListView::OnSetDispInfo(NMLVDISPINFOA*) { return 0; }
LRESULT KvListView::OnMarqueeBegin(NMHDR*) { return 0; }
LRESULT KvListView::OnListKeyDown(NMLVKEYDOWN*) { return 0; }
LRESULT KvListView::OnItemChanging(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnItemChanged(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnItemActivate(NMITEMACTIVATE*) { return 0; }
LRESULT KvListView::OnInsertItem(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnGetDispInfo(NMLVDISPINFOA*) { return 0; }
LRESULT KvListView::OnEndLabelEdit(NMLVDISPINFOA*) { return 0; }
LRESULT KvListView::OnDeleteItem(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnDeleteAllItems(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnColumnClick(NMLISTVIEW*) { return 0; }
LRESULT KvListView::OnBeginLabelEdit(NMLVDISPINFOA*) { return 0; }
LRESULT KvListView::OnBeginDrag(NMLISTVIEW*) { return 0; }

LRESULT KvListView::OnNotify(WPARAM, NMHDR* header)
{
    if (!header) return 0;
    switch (header->code) {
    case NM_RDBLCLK: return OnRDblClk(As<NMITEMACTIVATE>(header));
    case NM_RCLICK: return OnRClick(As<NMITEMACTIVATE>(header));
    case NM_DBLCLK: return OnDblClk(As<NMITEMACTIVATE>(header));
    case NM_CUSTOMDRAW: return OnCustomDraw(As<NMLVCUSTOMDRAW>(header));
    case LVN_ODSTATECHANGED: return OnOdStateChanged(As<NMLVODSTATECHANGE>(header));
    case LVN_ODFINDITEMA: return OnOdFindItem(As<NMLVFINDITEMA>(header));
    case LVN_ODCACHEHINT: return OnOdCacheHint(As<NMLVCACHEHINT>(header));
    case NM_CLICK: return OnClick(As<NMITEMACTIVATE>(header));
    case LVN_SETDISPINFOA: return OnSetDispInfo(As<NMLVDISPINFOA>(header));
    case LVN_MARQUEEBEGIN: return OnMarqueeBegin(header);
    case LVN_KEYDOWN: return OnListKeyDown(As<NMLVKEYDOWN>(header));
    case LVN_ITEMCHANGING: return OnItemChanging(As<NMLISTVIEW>(header));
    case LVN_ITEMCHANGED: return OnItemChanged(As<NMLISTVIEW>(header));
    case LVN_ITEMACTIVATE: return OnItemActivate(As<NMITEMACTIVATE>(header));
    case LVN_INSERTITEM: return OnInsertItem(As<NMLISTVIEW>(header));
    case LVN_GETDISPINFOA: return OnGetDispInfo(As<NMLVDISPINFOA>(header));
    case LVN_ENDLABELEDITA: return OnEndLabelEdit(As<NMLVDISPINFOA>(header));
    case LVN_DELETEITEM: return OnDeleteItem(As<NMLISTVIEW>(header));
    case LVN_DELETEALLITEMS: return OnDeleteAllItems(As<NMLISTVIEW>(header));
    case LVN_COLUMNCLICK: return OnColumnClick(As<NMLISTVIEW>(header));
    case LVN_BEGINLABELEDITA: return OnBeginLabelEdit(As<NMLVDISPINFOA>(header));
    case LVN_BEGINDRAG:
    case LVN_BEGINRDRAG: return OnBeginDrag(As<NMLISTVIEW>(header));
    default: return 0;
    }
}

LRESULT KvListView::SetExtendedListViewStyle(DWORD mask, DWORD style)
{
    return SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

HIMAGELIST KvListView::CreateDragImage(int index, POINT* origin)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_CREATEDRAGIMAGE, index, reinterpret_cast<LPARAM>(origin)));
}

LRESULT KvListView::DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS, 0, 0); }

LRESULT KvListView::GetItem(LVITEMA* item)
{
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item));
}

LRESULT KvListView::GetItemCount() { return SendMessage(LVM_GETITEMCOUNT, 0, 0); }

LRESULT KvListView::GetNextItem(int start, UINT flags)
{
    return SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0));
}

LRESULT KvListView::GetSelectedCount() { return SendMessage(LVM_GETSELECTEDCOUNT, 0, 0); }

LRESULT KvListView::InsertColumn(int index, const LVCOLUMNA* column)
{
    return SendMessage(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(column));
}

HIMAGELIST KvListView::SetImageList(HIMAGELIST list, int which)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
}

LRESULT KvListView::SetItem(const LVITEMA* item)
{
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item));
}

LRESULT KvListView::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

LRESULT KvListView::InsertItem(const LVITEMA* item)
{
    return SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item));
}
