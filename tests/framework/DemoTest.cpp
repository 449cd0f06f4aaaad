// A small program on the framework, driven to its end without a person: a
// main window made with KvWindow::Create holding one of each superclassed
// control, a modal dialog from a template, a two-page property sheet pressed
// from a second thread, and the message loop ended by the main window's
// destruction.
#include "TestResources.h"
#include "TestWindows.h"

#include "framework/KvButton.h"
#include "framework/KvDialog.h"
#include "framework/KvEdit.h"
#include "framework/KvListView.h"
#include "framework/KvMessage.h"
#include "framework/KvPropertyPage.h"
#include "framework/KvPropertySheet.h"
#include "framework/KvStatusBar.h"
#include "framework/KvTabControl.h"
#include "framework/KvToolbar.h"
#include "framework/KvTreeView.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

struct DemoList : KvListView {
    int inserted = 0;
    LRESULT OnInsertItem(NMLISTVIEW*) override { return ++inserted; }
};

struct DemoTree : KvTreeView {
    int selections = 0;
    LRESULT OnSelChanged(NMTREEVIEWA*) override { return ++selections; }
};

struct AboutDialog : KvDialog {
    std::string text;
    LRESULT OnInitDialog() override
    {
        KvEdit(GetDlgItem(IDC_TEST_EDIT)).SetText("バージョン 1.0");
        PostMessage(WM_COMMAND, IDOK, 0);
        return 1;
    }
    LRESULT OnCommand(UINT, UINT id, KvWindow*) override
    {
        if (id != IDOK) return 0;
        text = KvWindow(GetDlgItem(IDC_TEST_EDIT)).GetText();
        EndDialog(IDOK);
        return 1;
    }
};

struct OptionsPage : KvPropertyPage {
    int applies = 0;
    bool checked = false;
    LRESULT OnApply(PSHNOTIFY*) override
    {
        ++applies;
        HWND box = GetDlgItem(IDC_TEST_CHECK);
        if (box) checked = KvButton(box).GetCheck() == BST_CHECKED;
        return 1;
    }
    LRESULT OnInitDialog() override
    {
        if (HWND box = GetDlgItem(IDC_TEST_CHECK)) KvButton(box).SetCheck(BST_CHECKED);
        return 1;
    }
};

struct OptionsSheet : KvPropertySheet {
    std::atomic<HWND> window{nullptr};
    int OnInitialized() override
    {
        window = GetHandle();
        return 0;
    }
};

struct MainWindow : KvWindow {
    KvEdit edit;
    KvToolbar toolbar;
    KvButton button;
    KvStatusBar status;
    KvTabControl tab;
    DemoList list;
    DemoTree tree;
    std::vector<UINT> commands;
    bool created = false;

    LRESULT OnCreate(CREATESTRUCTA*) override
    {
        const HWND self = GetHandle();
        const DWORD child = WS_CHILD | WS_VISIBLE;
        created = edit.Create(WS_EX_CLIENTEDGE, "", child | WS_TABSTOP | ES_MULTILINE, 0, 40, 200,
                              80, self, (HMENU)40, Instance(), nullptr) &&
                  toolbar.Create(0, "", child | TBSTYLE_FLAT, 0, 0, 0, 0, self, (HMENU)70,
                                 Instance(), nullptr) &&
                  button.Create(0, "実行", child | WS_TABSTOP | BS_PUSHBUTTON, 210, 40, 80, 24, self,
                                (HMENU)1, Instance(), nullptr) &&
                  status.Create(0, "", child, 0, 0, 0, 0, self, (HMENU)60, Instance(), nullptr) &&
                  tab.Create(0, "", child, 300, 40, 150, 80, self, (HMENU)9, Instance(), nullptr) &&
                  list.Create(0, "", child | WS_TABSTOP | LVS_REPORT, 0, 130, 250, 120, self,
                              (HMENU)30, Instance(), nullptr) &&
                  tree.Create(0, "", child | WS_TABSTOP, 260, 130, 150, 120, self, (HMENU)20,
                              Instance(), nullptr);
        return 0;
    }
    LRESULT OnCommand(UINT, UINT id, KvWindow*) override
    {
        commands.push_back(id);
        return 1;
    }
};

}  // namespace

TEST(Demonstration, MainWindowControlsDialogSheetAndLoopRunToTheEnd)
{
    MainWindow main;  // the registry head
    ASSERT_EQ(&main, KvWindow::FirstWindowObject());
    HWND window = main.Create(0, fwtest::FrameClass(), "velmora", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, 500, 320, nullptr, nullptr, Instance(), nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(main.created);

    // Each control is its superclass and answers through its object.
    const std::pair<KvControl*, const char*> controls[] = {
        {&main.edit, "KVSDK_Edit"}, {&main.toolbar, "KVSDK_ToolbarWindow32"},
        {&main.button, "KVSDK_Button"}, {&main.status, "KVSDK_msctls_statusbar32"},
        {&main.tab, "KVsdkTabControl32"}, {&main.list, "KVsdkListView32"},
        {&main.tree, "KVsdkTreeView32"}};
    for (auto [control, name] : controls) {
        char className[64] = "";
        GetClassNameA(control->GetHandle(), className, sizeof className);
        EXPECT_STREQ(name, className);
        EXPECT_EQ(window, control->GetParent());
        EXPECT_EQ(control, KvWindow::FindWindowObject(control->GetHandle()));
    }
    main.edit.SetText("db 3Ch");
    EXPECT_EQ("db 3Ch", main.edit.GetText());
    TBBUTTON tb{};
    tb.idCommand = 40024;
    tb.fsState = TBSTATE_ENABLED;
    EXPECT_EQ(1, main.toolbar.AddButtons(1, &tb));
    EXPECT_EQ(TBSTATE_ENABLED, main.toolbar.GetState(40024));
    SendMessageA(main.button.GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<UINT>{1}, main.commands);
    TCITEMA page{};
    page.mask = TCIF_TEXT;
    page.pszText = const_cast<char*>("全般");
    main.tab.SendMessage(TCM_INSERTITEMA, 0, (LPARAM)&page);
    EXPECT_EQ(0, main.tab.GetCurSel());
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    main.list.InsertColumn(0, &column);
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.pszText = const_cast<char*>("a.mid");
    main.list.InsertItem(&row);
    EXPECT_EQ(1, main.list.inserted);
    TVINSERTSTRUCTA node{};
    node.hParent = TVI_ROOT;
    node.item.mask = TVIF_TEXT;
    node.item.pszText = const_cast<char*>("デスクトップ");
    main.tree.SelectItem(TVGN_CARET, main.tree.InsertItem(&node));
    EXPECT_EQ(1, main.tree.selections);
    main.status.SendMessage(SB_SETTEXTA, 0, (LPARAM)"完了");
    char statusText[32] = "";
    main.status.SendMessage(SB_GETTEXTA, 0, (LPARAM)statusText);
    EXPECT_STREQ("完了", statusText);
    main.ShowWindow(SW_SHOW);
    main.UpdateWindow();

    // The modal dialog from its template.
    AboutDialog about;
    EXPECT_EQ(IDOK, about.RunModal(Instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), window));
    EXPECT_EQ("バージョン 1.0", about.text);

    // The two-page sheet, pressed from a second thread.
    OptionsSheet sheet;
    OptionsPage first, second;
    PROPSHEETPAGEA descriptions[2] = {};
    const int templates[] = {IDD_TEST_PAGE1, IDD_TEST_PAGE2};
    HPROPSHEETPAGE pages[2];
    OptionsPage* objects[] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        descriptions[i].dwSize = sizeof descriptions[i];
        descriptions[i].hInstance = Instance();
        descriptions[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
        pages[i] = objects[i]->CreatePage(&descriptions[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = window;
    header.hInstance = Instance();
    header.pszCaption = "オプション";
    header.nPages = 2;
    header.phpage = pages;
    std::thread driver([&sheet] {
        for (int i = 0; i < 500 && !sheet.window; ++i) Sleep(10);
        HWND target = sheet.window;
        if (!target) return;
        PostMessageA(target, PSM_SETCURSEL, 1, 0);
        Sleep(200);
        PostMessageA(target, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    const INT_PTR result = sheet.Run(&header);
    driver.join();
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, first.applies);
    EXPECT_EQ(1, second.applies);
    EXPECT_TRUE(second.checked);

    // Closing the main window destroys it; as the registry head it posts
    // the quit message that ends the loop with exit code 0.
    main.PostMessage(WM_CLOSE, 0, 0);
    KvMessage message;
    int taken = 0;
    while (message.GetMessage(nullptr, 0, 0) > 0 && taken < 100000) {
        ++taken;
        message.TranslateMessage();
        message.DispatchMessage();
    }
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.msg.message);
    EXPECT_EQ(0u, message.msg.wParam);
    EXPECT_FALSE(IsWindow(window));
}
