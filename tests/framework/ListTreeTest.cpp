// The list view and tree view control classes: their notifications (real
// ones from the controls, and every code through OnNotify), the sort
// callback and the one-message operations.
#include "TestWindows.h"

#include "framework/KvListView.h"
#include "framework/KvTreeView.h"

#include <gtest/gtest.h>

#include <algorithm>

using fwtest::FrameClass;
using fwtest::WindowGuard;

namespace {

HWND Parent(KvWindow& object)
{
    return object.Create(0, FrameClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

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

}  // namespace

TEST(ListView, EveryListCodeReachesItsOperation)
{
    RecordingList list;
    const std::pair<int, const char*> cases[] = {
        {NM_RDBLCLK, "RDblClk"}, {NM_RCLICK, "RClick"}, {NM_DBLCLK, "DblClk"},
        {NM_CUSTOMDRAW, "CustomDraw"}, {LVN_ODSTATECHANGED, "OdStateChanged"},
        {LVN_ODFINDITEMA, "OdFindItem"}, {LVN_ODCACHEHINT, "OdCacheHint"}, {NM_CLICK, "Click"},
        {LVN_SETDISPINFOA, "SetDispInfo"}, {LVN_MARQUEEBEGIN, "MarqueeBegin"},
        {LVN_KEYDOWN, "ListKeyDown"}, {LVN_ITEMCHANGING, "ItemChanging"},
        {LVN_ITEMCHANGED, "ItemChanged"}, {LVN_ITEMACTIVATE, "ItemActivate"},
        {LVN_INSERTITEM, "InsertItem"}, {LVN_GETDISPINFOA, "GetDispInfo"},
        {LVN_ENDLABELEDITA, "EndLabelEdit"}, {LVN_DELETEITEM, "DeleteItem"},
        {LVN_DELETEALLITEMS, "DeleteAllItems"}, {LVN_COLUMNCLICK, "ColumnClick"},
        {LVN_BEGINLABELEDITA, "BeginLabelEdit"}, {LVN_BEGINDRAG, "BeginDrag"},
        {LVN_BEGINRDRAG, "BeginDrag"}};
    NMLISTVIEW record{};
    for (auto [code, name] : cases) {
        list.log.clear();
        record.hdr.code = static_cast<UINT>(code);
        EXPECT_EQ(1, list.OnNotify(30, &record.hdr)) << name;
        ASSERT_EQ(1u, list.log.size());
        EXPECT_STREQ(name, list.log[0].c_str());
    }
    // The wide forms and foreign codes reach nothing.
    list.log.clear();
    for (int code : {(int)LVN_GETDISPINFOW, (int)LVN_ENDLABELEDITW, (int)TVN_SELCHANGEDA, -1}) {
        record.hdr.code = static_cast<UINT>(code);
        EXPECT_EQ(0, list.OnNotify(30, &record.hdr));
    }
    EXPECT_TRUE(list.log.empty());
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

TEST(TreeView, EveryTreeCodeReachesItsOperation)
{
    RecordingTree tree;
    const std::pair<int, const char*> cases[] = {
        {TVN_SETDISPINFOA, "SetDispInfo"}, {TVN_SELCHANGINGA, "SelChanging"},
        {TVN_SELCHANGEDA, "SelChanged"}, {TVN_KEYDOWN, "TreeKeyDown"},
        {TVN_ITEMEXPANDINGA, "ItemExpanding"}, {TVN_ITEMEXPANDEDA, "ItemExpanded"},
        {TVN_GETDISPINFOA, "GetDispInfo"}, {TVN_ENDLABELEDITA, "EndLabelEdit"},
        {TVN_DELETEITEMA, "DeleteItem"}, {TVN_BEGINRDRAGA, "BeginRDrag"},
        {TVN_BEGINLABELEDITA, "BeginLabelEdit"}, {TVN_BEGINDRAGA, "BeginDrag"}};
    NMTREEVIEWA record{};
    for (auto [code, name] : cases) {
        tree.log.clear();
        record.hdr.code = static_cast<UINT>(code);
        EXPECT_EQ(1, tree.OnNotify(20, &record.hdr)) << name;
        ASSERT_EQ(1u, tree.log.size());
        EXPECT_STREQ(name, tree.log[0].c_str());
    }
    tree.log.clear();
    for (int code : {(int)TVN_SELCHANGEDW, (int)TVN_ITEMEXPANDINGW, (int)NM_CLICK, (int)LVN_KEYDOWN}) {
        record.hdr.code = static_cast<UINT>(code);
        EXPECT_EQ(0, tree.OnNotify(20, &record.hdr));
    }
    EXPECT_TRUE(tree.log.empty());
    EXPECT_EQ(0, tree.OnNotify(20, nullptr));
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
