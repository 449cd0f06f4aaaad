// The list view, tree view and tab control classes: their notifications
// (every code through the parent, and real ones from the controls), the sort
// callback and the one-message operations.
#include "TestWindows.h"

#include "framework/KvListView.h"
#include "framework/KvTabControl.h"
#include "framework/KvTreeView.h"

#include <gtest/gtest.h>

#include <algorithm>

using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

struct RecordingList : KvListView {
    std::vector<std::string> log;
    LRESULT N(const char* name) { log.push_back(name); return static_cast<LRESULT>(log.size()); }
    LRESULT OnRDblClk(NMITEMACTIVATE*) override { return N("RDblClk"); }
    LRESULT OnRClick(NMITEMACTIVATE*) override { return N("RClick"); }
    LRESULT OnDblClk(NMITEMACTIVATE*) override { return N("DblClk"); }
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW*) override { return N("CustomDraw"); }
    LRESULT OnOdStateChanged(NMLVODSTATECHANGE*) override { return N("OdStateChanged"); }
    LRESULT OnOdFindItem(NMLVFINDITEMA*) override { return N("OdFindItem"); }
    LRESULT OnOdCacheHint(NMLVCACHEHINT*) override { return N("OdCacheHint"); }
    LRESULT OnClick(NMITEMACTIVATE*) override { return N("Click"); }
    LRESULT OnSetDispInfo(NMLVDISPINFOA*) override { return N("SetDispInfo"); }
    LRESULT OnMarqueeBegin(NMHDR*) override { return N("MarqueeBegin"); }
    LRESULT OnListKeyDown(NMLVKEYDOWN*) override { return N("ListKeyDown"); }
    LRESULT OnItemChanging(NMLISTVIEW*) override { return N("ItemChanging"); }
    LRESULT OnItemChanged(NMLISTVIEW*) override { return N("ItemChanged"); }
    LRESULT OnItemActivate(NMITEMACTIVATE*) override { return N("ItemActivate"); }
    LRESULT OnInsertItem(NMLISTVIEW*) override { return N("InsertItem"); }
    LRESULT OnGetDispInfo(NMLVDISPINFOA*) override { return N("GetDispInfo"); }
    LRESULT OnEndLabelEdit(NMLVDISPINFOA*) override { return N("EndLabelEdit"); }
    LRESULT OnDeleteItem(NMLISTVIEW*) override { return N("DeleteItem"); }
    LRESULT OnDeleteAllItems(NMLISTVIEW*) override { return N("DeleteAllItems"); }
    LRESULT OnColumnClick(NMLISTVIEW*) override { return N("ColumnClick"); }
    LRESULT OnBeginLabelEdit(NMLVDISPINFOA*) override { return N("BeginLabelEdit"); }
    LRESULT OnBeginDrag(NMLISTVIEW*) override { return N("BeginDrag"); }
    int CompareItems(LPARAM a, LPARAM b) override { return static_cast<int>(a - b); }
};

struct RecordingTree : KvTreeView {
    std::vector<std::string> log;
    LRESULT N(const char* name) { log.push_back(name); return static_cast<LRESULT>(log.size()); }
    LRESULT OnSetDispInfo(NMTVDISPINFOA*) override { return N("SetDispInfo"); }
    LRESULT OnSelChanging(NMTREEVIEWA*) override { return N("SelChanging"); }
    LRESULT OnSelChanged(NMTREEVIEWA*) override { return N("SelChanged"); }
    LRESULT OnTreeKeyDown(NMTVKEYDOWN*) override { return N("TreeKeyDown"); }
    LRESULT OnItemExpanding(NMTREEVIEWA*) override { return N("ItemExpanding"); }
    LRESULT OnItemExpanded(NMTREEVIEWA*) override { return N("ItemExpanded"); }
    LRESULT OnGetDispInfo(NMTVDISPINFOA*) override { return N("GetDispInfo"); }
    LRESULT OnEndLabelEdit(NMTVDISPINFOA*) override { return N("EndLabelEdit"); }
    LRESULT OnDeleteItem(NMTREEVIEWA*) override { return N("DeleteItem"); }
    LRESULT OnBeginRDrag(NMTREEVIEWA*) override { return N("BeginRDrag"); }
    LRESULT OnBeginLabelEdit(NMTVDISPINFOA*) override { return N("BeginLabelEdit"); }
    LRESULT OnBeginDrag(NMTREEVIEWA*) override { return N("BeginDrag"); }
};

struct RecordingTab : KvTabControl {
    std::vector<std::string> log;
    LRESULT N(const char* name) { log.push_back(name); return static_cast<LRESULT>(log.size()); }
    LRESULT OnSelChanging(NMHDR*) override { return N("SelChanging"); }
    LRESULT OnSelChange(NMHDR*) override { return N("SelChange"); }
    LRESULT OnTabKeyDown(NMHDR*) override { return N("TabKeyDown"); }
};

}  // namespace

// Every notification code of the list, the tree and the tab control, sent
// as the control's own through its parent: the parent reflects it, and the
// code reaches its one operation, whose answer comes back. Wide forms,
// foreign codes and a missing header reach nothing and give 0.
TEST(ControlNotifications, EveryCodeReachesItsOperationOthersGiveZero)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RecordingList list;
    RecordingTree tree;
    RecordingTab tab;
    ASSERT_NE(nullptr, list.Create(0, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, parent.GetHandle(), (HMENU)30,
                                   instance, nullptr));
    ASSERT_NE(nullptr, tree.Create(0, "", WS_CHILD, 0, 0, 200, 200, parent.GetHandle(), (HMENU)20, instance,
                                   nullptr));
    ASSERT_NE(nullptr, tab.Create(0, "", WS_CHILD, 0, 0, 200, 100, parent.GetHandle(), (HMENU)9, instance, nullptr));

    const struct {
        KvWindow& control;
        std::vector<std::string>& log;
        UINT code;
        const char* operation;  // nullptr: none
    } cases[] = {
        {list, list.log, NM_RDBLCLK, "RDblClk"}, {list, list.log, NM_RCLICK, "RClick"},
        {list, list.log, NM_DBLCLK, "DblClk"}, {list, list.log, NM_CUSTOMDRAW, "CustomDraw"},
        {list, list.log, LVN_ODSTATECHANGED, "OdStateChanged"}, {list, list.log, LVN_ODFINDITEMA, "OdFindItem"},
        {list, list.log, LVN_ODCACHEHINT, "OdCacheHint"}, {list, list.log, NM_CLICK, "Click"},
        {list, list.log, LVN_SETDISPINFOA, "SetDispInfo"}, {list, list.log, LVN_MARQUEEBEGIN, "MarqueeBegin"},
        {list, list.log, LVN_KEYDOWN, "ListKeyDown"}, {list, list.log, LVN_ITEMCHANGING, "ItemChanging"},
        {list, list.log, LVN_ITEMCHANGED, "ItemChanged"}, {list, list.log, LVN_ITEMACTIVATE, "ItemActivate"},
        {list, list.log, LVN_INSERTITEM, "InsertItem"}, {list, list.log, LVN_GETDISPINFOA, "GetDispInfo"},
        {list, list.log, LVN_ENDLABELEDITA, "EndLabelEdit"}, {list, list.log, LVN_DELETEITEM, "DeleteItem"},
        {list, list.log, LVN_DELETEALLITEMS, "DeleteAllItems"}, {list, list.log, LVN_COLUMNCLICK, "ColumnClick"},
        {list, list.log, LVN_BEGINLABELEDITA, "BeginLabelEdit"}, {list, list.log, LVN_BEGINDRAG, "BeginDrag"},
        {list, list.log, LVN_BEGINRDRAG, "BeginDrag"},
        {list, list.log, LVN_GETDISPINFOW, nullptr}, {list, list.log, LVN_ENDLABELEDITW, nullptr},
        {list, list.log, TVN_SELCHANGEDA, nullptr}, {list, list.log, static_cast<UINT>(-1), nullptr},
        {tree, tree.log, TVN_SETDISPINFOA, "SetDispInfo"}, {tree, tree.log, TVN_SELCHANGINGA, "SelChanging"},
        {tree, tree.log, TVN_SELCHANGEDA, "SelChanged"}, {tree, tree.log, TVN_KEYDOWN, "TreeKeyDown"},
        {tree, tree.log, TVN_ITEMEXPANDINGA, "ItemExpanding"}, {tree, tree.log, TVN_ITEMEXPANDEDA, "ItemExpanded"},
        {tree, tree.log, TVN_GETDISPINFOA, "GetDispInfo"}, {tree, tree.log, TVN_ENDLABELEDITA, "EndLabelEdit"},
        {tree, tree.log, TVN_DELETEITEMA, "DeleteItem"}, {tree, tree.log, TVN_BEGINRDRAGA, "BeginRDrag"},
        {tree, tree.log, TVN_BEGINLABELEDITA, "BeginLabelEdit"}, {tree, tree.log, TVN_BEGINDRAGA, "BeginDrag"},
        {tree, tree.log, TVN_SELCHANGEDW, nullptr}, {tree, tree.log, TVN_ITEMEXPANDINGW, nullptr},
        {tree, tree.log, NM_CLICK, nullptr}, {tree, tree.log, LVN_KEYDOWN, nullptr},
        {tab, tab.log, TCN_SELCHANGING, "SelChanging"}, {tab, tab.log, TCN_SELCHANGE, "SelChange"},
        {tab, tab.log, TCN_KEYDOWN, "TabKeyDown"}, {tab, tab.log, TCN_FOCUSCHANGE, nullptr},
        {tab, tab.log, NM_CLICK, nullptr},
    };
    alignas(8) unsigned char record[512] = {};
    NMHDR* header = reinterpret_cast<NMHDR*>(record);
    for (const auto& c : cases) {
        c.log.clear();
        header->hwndFrom = c.control.GetHandle();
        header->idFrom = GetDlgCtrlID(c.control.GetHandle());
        header->code = c.code;
        const LRESULT answer = parent.Dispatch(parent.GetHandle(), WM_NOTIFY, header->idFrom, (LPARAM)header);
        if (c.operation) {
            EXPECT_EQ(1, answer) << c.operation;
            EXPECT_EQ(std::vector<std::string>{c.operation}, c.log) << c.code;
        } else {
            EXPECT_EQ(0, answer) << c.code;
            EXPECT_TRUE(c.log.empty()) << c.code;
        }
    }
    for (KvWindow* control : {static_cast<KvWindow*>(&list), static_cast<KvWindow*>(&tree), static_cast<KvWindow*>(&tab)})
        EXPECT_EQ(0, control->OnNotify(1, nullptr));
}

TEST(ListView, RealNotificationsAreReflectedFromTheParent)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    RecordingList list;
    ASSERT_NE(nullptr, list.Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                   300, 200, parent.GetHandle(), (HMENU)30,
                                   GetModuleHandleA(nullptr), nullptr));
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<char*>("名前");
    EXPECT_EQ(0, list.InsertColumn(0, &column));
    const LPARAM data[] = {30, 10, 20};
    for (int i = 0; i < 3; ++i) {
        std::string text = "行" + std::to_string(i);
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<char*>(text.c_str());
        item.lParam = data[i];
        EXPECT_EQ(i, list.InsertItem(&item));
    }
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(3, std::count(list.log.begin(), list.log.end(), "InsertItem"));

    list.log.clear();
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_NE(list.log.end(), std::find(list.log.begin(), list.log.end(), "ItemChanged"));
    EXPECT_EQ(1, list.GetSelectedCount());
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));

    // The sort callback asks CompareItems of the rows' item data.
    EXPECT_TRUE(list.SortItems());
    char text[32];
    LVITEMA read{};
    read.mask = LVIF_TEXT | LVIF_PARAM;
    read.pszText = text;
    read.cchTextMax = sizeof text;
    for (int i = 0; i < 3; ++i) {
        read.iItem = i;
        ASSERT_TRUE(list.GetItem(&read));
        EXPECT_EQ(10 * (i + 1), read.lParam);
    }
    EXPECT_STREQ("行0", text);  // 30 sorts last

    list.log.clear();
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_NE(list.log.end(), std::find(list.log.begin(), list.log.end(), "DeleteAllItems"));
    EXPECT_EQ(0, list.GetItemCount());
}

TEST(TreeView, RealNotificationsAndOneMessageOperations)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    RecordingTree tree;
    ASSERT_NE(nullptr, tree.Create(0, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 200, 200,
                                   parent.GetHandle(), (HMENU)20, GetModuleHandleA(nullptr), nullptr));
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>("デスクトップ");
    insert.item.lParam = 1;
    HTREEITEM root = tree.InsertItem(&insert);
    ASSERT_NE(nullptr, root);
    insert.hParent = root;
    const char* names[] = {"c", "a", "b"};
    for (int i = 0; i < 3; ++i) {
        insert.item.pszText = const_cast<char*>(names[i]);
        insert.item.lParam = 10 + i;
        ASSERT_NE(nullptr, tree.InsertItem(&insert));
    }
    EXPECT_EQ(root, tree.GetRootItem());
    tree.log.clear();
    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_EQ((std::vector<std::string>{"ItemExpanding", "ItemExpanded"}), tree.log);

    TVSORTCB sort{};
    sort.hParent = root;
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM) -> int {
        return a == b ? 0 : (a == 11 ? -1 : (b == 11 ? 1 : static_cast<int>(a - b)));
    };
    EXPECT_TRUE(tree.SortChildrenCB(&sort, FALSE));
    HTREEITEM first = tree.GetChildItem(root);
    HTREEITEM second = tree.GetNextSiblingItem(first);
    char text[32];
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = first;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(tree.GetItem(&item));
    EXPECT_STREQ("a", text);

    tree.log.clear();
    EXPECT_TRUE(tree.SelectItem(TVGN_CARET, second));
    EXPECT_EQ((std::vector<std::string>{"SelChanging", "SelChanged"}), tree.log);
    EXPECT_EQ(second, tree.GetSelection());
    tree.EnsureVisible(second);
    item.hItem = root;
    ASSERT_TRUE(tree.GetItem(&item));
    EXPECT_STREQ("デスクトップ", text);
}
