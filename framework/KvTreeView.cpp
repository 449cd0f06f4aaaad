#include "framework/KvTreeView.h"

namespace {

template <class Record>
Record* As(NMHDR* header)
{
    return reinterpret_cast<Record*>(header);
}

}  // namespace

KvTreeView::KvTreeView() : KvControl(ICC_TREEVIEW_CLASSES, "SysTreeView32", "KVsdkTreeView32") {}

KvTreeView::~KvTreeView() = default;

LRESULT KvTreeView::OnSetDispInfo(NMTVDISPINFOA*) { return 0; }
LRESULT KvTreeView::OnSelChanging(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnSelChanged(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnTreeKeyDown(NMTVKEYDOWN*) { return 0; }
LRESULT KvTreeView::OnItemExpanding(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnItemExpanded(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnGetDispInfo(NMTVDISPINFOA*) { return 0; }
LRESULT KvTreeView::OnEndLabelEdit(NMTVDISPINFOA*) { return 0; }
LRESULT KvTreeView::OnDeleteItem(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnBeginRDrag(NMTREEVIEWA*) { return 0; }
LRESULT KvTreeView::OnBeginLabelEdit(NMTVDISPINFOA*) { return 0; }
LRESULT KvTreeView::OnBeginDrag(NMTREEVIEWA*) { return 0; }

LRESULT KvTreeView::OnNotify(WPARAM, NMHDR* header)
{
    if (!header) return 0;
    switch (header->code) {
    case TVN_SETDISPINFOA: return OnSetDispInfo(As<NMTVDISPINFOA>(header));
    case TVN_SELCHANGINGA: return OnSelChanging(As<NMTREEVIEWA>(header));
    case TVN_SELCHANGEDA: return OnSelChanged(As<NMTREEVIEWA>(header));
    case TVN_KEYDOWN: return OnTreeKeyDown(As<NMTVKEYDOWN>(header));
    case TVN_ITEMEXPANDINGA: return OnItemExpanding(As<NMTREEVIEWA>(header));
    case TVN_ITEMEXPANDEDA: return OnItemExpanded(As<NMTREEVIEWA>(header));
    case TVN_GETDISPINFOA: return OnGetDispInfo(As<NMTVDISPINFOA>(header));
    case TVN_ENDLABELEDITA: return OnEndLabelEdit(As<NMTVDISPINFOA>(header));
    case TVN_DELETEITEMA: return OnDeleteItem(As<NMTREEVIEWA>(header));
    case TVN_BEGINRDRAGA: return OnBeginRDrag(As<NMTREEVIEWA>(header));
    case TVN_BEGINLABELEDITA: return OnBeginLabelEdit(As<NMTVDISPINFOA>(header));
    case TVN_BEGINDRAGA: return OnBeginDrag(As<NMTREEVIEWA>(header));
    default: return 0;
    }
}

LRESULT KvTreeView::EnsureVisible(HTREEITEM item)
{
    return SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

LRESULT KvTreeView::Expand(HTREEITEM item, UINT code)
{
    return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item));
}

LRESULT KvTreeView::GetItem(TVITEMA* item)
{
    return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item));
}

UINT KvTreeView::GetItemState(HTREEITEM item, UINT mask)
{
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

HTREEITEM KvTreeView::GetNextItem(HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM KvTreeView::GetRootItem() { return GetNextItem(nullptr, TVGN_ROOT); }
HTREEITEM KvTreeView::GetChildItem(HTREEITEM item) { return GetNextItem(item, TVGN_CHILD); }
HTREEITEM KvTreeView::GetNextSiblingItem(HTREEITEM item) { return GetNextItem(item, TVGN_NEXT); }
HTREEITEM KvTreeView::GetSelection() { return GetNextItem(nullptr, TVGN_CARET); }

HTREEITEM KvTreeView::InsertItem(const TVINSERTSTRUCTA* insert)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(insert)));
}

LRESULT KvTreeView::SelectItem(UINT code, HTREEITEM item)
{
    return SendMessage(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item));
}

LRESULT KvTreeView::SetItem(const TVITEMA* item)
{
    return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item));
}

HIMAGELIST KvTreeView::SetImageList(HIMAGELIST list, int which)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
}

LRESULT KvTreeView::SortChildrenCB(const TVSORTCB* sort, BOOL recurse)
{
    return SendMessage(TVM_SORTCHILDRENCB, recurse, reinterpret_cast<LPARAM>(sort));
}
