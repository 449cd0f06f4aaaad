// Dialogs and property sheets through DialogProc: binding at WM_INITDIALOG
// (pages through the pending slot), the close box, notifications reaching the
// page operations, and parameters or pages whose object is no longer there.
#include "TestResources.h"
#include "TestWindows.h"

#include "framework/KvDialog.h"
#include "framework/KvPropertyPage.h"
#include "framework/KvPropertySheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Posts `post` once initialised; OK ends it with 1234.
struct TestDialog : KvDialog {
    std::vector<std::string> log;
    UINT post = WM_CLOSE;
    WPARAM postWParam = 0;
    LRESULT OnPreInitDialog() override { return log.push_back(GetHandle() ? "PreInit" : "unbound"), 0; }
    LRESULT OnInitDialog() override
    {
        log.push_back("Init");
        return PostMessage(post, postWParam, 0), 1;
    }
    LRESULT OnCommand(UINT, UINT id, KvWindow*) override
    {
        if (id != IDOK) return 0;
        return EndDialog(1234), 1;
    }
    LRESULT OnOtherMessage(HWND, UINT, WPARAM, LPARAM) override { return log.empty() ? log.push_back("early"), 0 : 0; }
};

std::vector<std::string> journal;
LRESULT Log(const std::string& line) { return journal.push_back(line), 0; }
size_t At(const std::string& line) { return std::find(journal.begin(), journal.end(), line) - journal.begin(); }
bool Has(const std::string& line) { return At(line) < journal.size(); }

struct Page : KvPropertyPage {
    explicit Page(std::string n) : name(std::move(n)) {}
    std::string name;
    KvWindow* sheetAtInit = nullptr;
    UINT OnPageCreate(PROPSHEETPAGEA*) override { return Log(name + " Create"), 1; }
    UINT OnPageRelease(PROPSHEETPAGEA*) override { return Log(name + " Release"), 1; }
    LRESULT OnPreInitDialog() override
    {
        KvPropertyPage::OnPreInitDialog();
        sheetAtInit = GetSheet();
        return Log(name + (GetHandle() ? " PreInit" : " PreInit unbound"));
    }
    LRESULT OnInitDialog() override { return Log(name + " Init"), 1; }
    LRESULT OnSetActive(PSHNOTIFY*) override { return Log(name + " SetActive"); }
    LRESULT OnKillActive(PSHNOTIFY*) override { return Log(name + " KillActive"); }
    LRESULT OnApply(PSHNOTIFY*) override { return Log(name + " Apply"); }
    LRESULT OnReset(PSHNOTIFY*) override { return Log(name + " Reset"); }
};

// Posts its steps once initialised: the sheet's own modal loop takes them in
// turn after the first page is shown.
struct Sheet : KvPropertySheet {
    std::vector<std::pair<UINT, WPARAM>> steps;
    int OnInitialized() override
    {
        for (const auto& [message, wParam] : steps) PostMessage(message, wParam, 0);
        return Log("sheet Initialized");
    }
    LRESULT OnInitDialog() override { return Log("sheet Init"); }
    LRESULT OnDestroy() override { return 0; }  // no quit message for the next sheet's loop
    LRESULT OnQueryCancel(PSHNOTIFY*) override { return Log("sheet QueryCancel"); }
    INT_PTR RunWith(Page& first, Page& second)
    {
        PROPSHEETPAGEA d[2] = {};
        HPROPSHEETPAGE pages[2];
        for (int i = 0; i < 2; ++i) {
            d[i].dwSize = sizeof d[i];
            d[i].hInstance = GetModuleHandleA(nullptr);
            d[i].pszTemplate = MAKEINTRESOURCEA(i ? IDD_TEST_PAGE2 : IDD_TEST_PAGE1);
            pages[i] = (i ? second : first).CreatePage(&d[i]);
        }
        PROPSHEETHEADERA header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_NOAPPLYNOW;
        header.hInstance = GetModuleHandleA(nullptr);
        header.nPages = 2;
        header.phpage = pages;
        journal.clear();
        return Run(&header);
    }
};

}  // namespace

TEST(Dialog, BindsAtInitDialogAndEndsWithTheHandlersResult)
{
    const struct {
        UINT post;
        WPARAM wParam;
        INT_PTR result;
    } cases[] = {{WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 1234}, {WM_CLOSE, 0, 0}};
    for (const auto& c : cases) {
        TestDialog dialog;
        dialog.post = c.post, dialog.postWParam = c.wParam;
        EXPECT_EQ(c.result, dialog.RunModal(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr));
        // Nothing reached the object before WM_INITDIALOG, and it was bound by then.
        ASSERT_LE(2u, dialog.log.size());
        EXPECT_EQ("PreInit", dialog.log[0]);
        EXPECT_EQ("Init", dialog.log[1]);
    }
}

TEST(Sheet, BindsSheetAndPagesBeforeTheirInitOkAppliesCancelResets)
{
    const struct {
        std::vector<std::pair<UINT, WPARAM>> steps;
        INT_PTR result;
        std::vector<std::string> present, absent;
    } cases[] = {
        {{{PSM_SETCURSEL, 1}, {WM_COMMAND, IDOK}}, 1, {"p1 Apply", "p2 Apply", "p1 KillActive", "p2 Release"},
         {"sheet QueryCancel"}},
        // Page 2 is never shown: never created nor bound, yet released.
        {{{PSM_PRESSBUTTON, PSBTN_CANCEL}}, 0, {"sheet QueryCancel", "p1 Reset", "p2 Release"},
         {"p1 Apply", "p2 Create"}},
    };
    for (const auto& c : cases) {
        Sheet sheet;
        Page first("p1"), second("p2");
        sheet.steps = c.steps;
        EXPECT_EQ(c.result, sheet.RunWith(first, second));
        EXPECT_LT(At("sheet Initialized"), At("sheet Init"));
        EXPECT_TRUE(Has("sheet Init")) << "the sheet bound to its object";
        EXPECT_EQ(nullptr, KvWindow::PendingWindow());
        for (const auto& line : c.present) EXPECT_TRUE(Has(line)) << line;
        for (const auto& line : c.absent) EXPECT_FALSE(Has(line)) << line;
        for (Page* page : {&first, &second}) {
            const std::string& n = page->name;
            if (!Has(n + " Create")) continue;
            EXPECT_EQ(&sheet, page->sheetAtInit) << n;
            EXPECT_LT(At(n + " Create"), At(n + " PreInit")) << n;
            EXPECT_LT(At(n + " PreInit"), At(n + " Init")) << n;
        }
    }
}

// A foreign dialog's data, or a page object deleted before its release, is
// never called: the storage is scribbled over, so a call would fail loudly.
TEST(DialogProc, ParametersWhoseObjectIsGoneAreNeverCalled)
{
    alignas(Page) unsigned char storage[std::max(sizeof(Page), sizeof(TestDialog))];
    std::memset(storage, 0xCD, sizeof storage);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr,
                                     DialogProc, reinterpret_cast<LPARAM>(storage));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(dialog));
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(DestroyWindow(dialog));

    Page* page = new (storage) Page("gone");
    PROPSHEETPAGEA description{};
    description.dwSize = sizeof description;
    description.hInstance = GetModuleHandleA(nullptr);
    description.pszTemplate = MAKEINTRESOURCEA(IDD_TEST_PAGE1);
    HPROPSHEETPAGE handle = page->CreatePage(&description);
    ASSERT_NE(nullptr, handle);
    page->~Page();
    std::memset(storage, 0xCD, sizeof storage);
    EXPECT_TRUE(DestroyPropertySheetPage(handle));
}
