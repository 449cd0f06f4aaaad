// Property sheets and pages: the sheet callback binds and subclasses the
// sheet, each page is bound through the pending slot, notifications reach
// the page operations, and a refused or orphaned page harms nothing.
#include "TestResources.h"
#include "TestWindows.h"

#include "framework/KvPropertyPage.h"
#include "framework/KvPropertySheet.h"
#include "framework/KvTabControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

std::vector<std::string>* journal = nullptr;
void Log(const std::string& line)
{
    if (journal) journal->push_back(line);
}

struct Page : KvPropertyPage {
    explicit Page(std::string name) : name(std::move(name)) {}
    std::string name;
    UINT createAnswer = 1;
    KvWindow* sheetAtInit = nullptr;
    HWND handleAtPreInit = nullptr;
    PSHNOTIFY* lastNotify = nullptr;

    LRESULT L(const char* what, PSHNOTIFY* notify = nullptr)
    {
        Log(name + " " + what);
        lastNotify = notify;
        return 0;
    }
    UINT OnPageCreate(PROPSHEETPAGEA* page) override
    {
        L("Create");
        return page && page->lParam == reinterpret_cast<LPARAM>(this) ? createAnswer : 0;
    }
    UINT OnPageRelease(PROPSHEETPAGEA*) override { L("Release"); return 1; }
    LRESULT OnPreInitDialog() override
    {
        handleAtPreInit = GetHandle();
        KvPropertyPage::OnPreInitDialog();
        sheetAtInit = GetSheet();
        return L("PreInit");
    }
    LRESULT OnInitDialog() override { L("Init"); return 1; }
    LRESULT OnSetActive(PSHNOTIFY* n) override { return L("SetActive", n); }
    LRESULT OnKillActive(PSHNOTIFY* n) override { return L("KillActive", n); }
    LRESULT OnApply(PSHNOTIFY* n) override { return L("Apply", n); }
    LRESULT OnReset(PSHNOTIFY* n) override { return L("Reset", n); }
    LRESULT OnHelp(PSHNOTIFY* n) override { return L("Help", n); }
    LRESULT OnWizBack(PSHNOTIFY* n) override { return L("WizBack", n); }
    LRESULT OnWizNext(PSHNOTIFY* n) override { return L("WizNext", n); }
    LRESULT OnWizFinish(PSHNOTIFY* n) override { return L("WizFinish", n); }
};

// Posts the next step from a timer of the sheet window: the sheet runs its
// own modal loop, which dispatches the timer.
struct Sheet : KvPropertySheet {
    std::vector<std::pair<UINT, WPARAM>> steps;  // posted one per tick
    size_t next = 0;
    HWND boundAtInitialized = nullptr;
    WNDPROC procedureAtInitialized = nullptr;
    LPARAM templateSeen = 0;
    int commands = 0;
    int destroys = 0;
    int tabSelection = -1;

    int OnPreCreate(LPARAM dialogTemplate) override
    {
        templateSeen = dialogTemplate;
        Log("sheet PreCreate");
        return 0;
    }
    int OnInitialized() override
    {
        boundAtInitialized = GetHandle();
        procedureAtInitialized = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(GetHandle(), GWLP_WNDPROC));
        Log("sheet Initialized");
        SetTimer(GetHandle(), 1, 20, nullptr);
        return 0;
    }
    LRESULT OnPreInitDialog() override { Log("sheet PreInit"); return 0; }
    LRESULT OnInitDialog() override { Log("sheet Init"); return 0; }
    LRESULT OnQueryCancel(PSHNOTIFY*) override { Log("sheet QueryCancel"); return 0; }
    LRESULT OnCommand(UINT, UINT, KvWindow*) override
    {
        ++commands;
        return 1;  // handled, yet the sheet's own processing still runs
    }
    LRESULT OnDestroy() override
    {
        ++destroys;
        tabSelection = static_cast<int>(KvTabControl(GetTabControl()).GetCurSel());
        return 1;
    }
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 1) {
            if (next < steps.size()) {
                PostMessage(steps[next].first, steps[next].second, 0);
                ++next;
            }
            return 0;
        }
        return KvPropertySheet::OnOtherMessage(window, message, wParam, lParam);
    }
};

PROPSHEETPAGEA PageDescription(int templateId)
{
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = Instance();
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    return page;
}

INT_PTR RunSheet(Sheet& sheet, HPROPSHEETPAGE* pages, int count)
{
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hInstance = Instance();
    header.pszCaption = "設定";
    header.nPages = count;
    header.phpage = pages;
    return sheet.Run(&header);
}

struct Journal {
    std::vector<std::string> lines;
    Journal() { journal = &lines; }
    ~Journal() { journal = nullptr; }
    bool Has(const std::string& line) const
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    size_t IndexOf(const std::string& line) const
    {
        return std::find(lines.begin(), lines.end(), line) - lines.begin();
    }
};

}  // namespace

TEST(Sheet, CallbacksBindSheetAndPagesAndOkAppliesBoth)
{
    Journal j;
    Sheet sheet;
    Page first("p1"), second("p2");
    PROPSHEETPAGEA d1 = PageDescription(IDD_TEST_PAGE1), d2 = PageDescription(IDD_TEST_PAGE2);
    HPROPSHEETPAGE pages[] = {first.CreatePage(&d1), second.CreatePage(&d2)};
    ASSERT_NE(nullptr, pages[0]);
    ASSERT_NE(nullptr, pages[1]);
    EXPECT_EQ(pages[0], first.GetPageHandle());
    EXPECT_TRUE(d1.dwFlags & PSP_USECALLBACK);
    // OK as the button's own command, which the sheet object handles.
    sheet.steps = {{PSM_SETCURSEL, 1}, {WM_COMMAND, IDOK}};

    const INT_PTR result = RunSheet(sheet, pages, 2);
    EXPECT_EQ(1, result);
    EXPECT_EQ(reinterpret_cast<HWND>(result), sheet.GetHandle());
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());

    // The sheet: template at PRECREATE; bound and subclassed at INITIALIZED;
    // its own WM_INITDIALOG; its messages seen; its WM_DESTROY.
    EXPECT_NE(0, sheet.templateSeen);
    EXPECT_NE(nullptr, sheet.boundAtInitialized);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DialogProc), sheet.procedureAtInitialized);
    EXPECT_NE(nullptr, sheet.GetSheetProcedure());
    EXPECT_LT(j.IndexOf("sheet PreCreate"), j.IndexOf("sheet Initialized"));
    EXPECT_LT(j.IndexOf("sheet Initialized"), j.IndexOf("sheet PreInit"));
    EXPECT_LT(j.IndexOf("sheet PreInit"), j.IndexOf("sheet Init"));
    EXPECT_GE(sheet.commands, 1);  // the OK button's command, handled and still obeyed
    EXPECT_EQ(1, sheet.destroys);
    EXPECT_EQ(1, sheet.tabSelection);

    // Each page: created, bound before WM_INITDIALOG, sheet recorded.
    for (Page* page : {&first, &second}) {
        SCOPED_TRACE(page->name);
        EXPECT_NE(nullptr, page->handleAtPreInit);
        EXPECT_EQ(&sheet, page->sheetAtInit);
        EXPECT_LT(j.IndexOf(page->name + " Create"), j.IndexOf(page->name + " PreInit"));
        EXPECT_LT(j.IndexOf(page->name + " PreInit"), j.IndexOf(page->name + " Init"));
        EXPECT_LT(j.IndexOf(page->name + " Init"), j.IndexOf(page->name + " SetActive"));
        EXPECT_TRUE(j.Has(page->name + " Apply"));
        EXPECT_TRUE(j.Has(page->name + " Release"));
    }
    EXPECT_LT(j.IndexOf("p1 KillActive"), j.IndexOf("p2 SetActive"));
    EXPECT_FALSE(j.Has("sheet QueryCancel"));
}

TEST(Sheet, CancelReachesTheSheetsQueryCancelAndResetsThePages)
{
    Journal j;
    Sheet sheet;
    Page first("p1"), second("p2");
    PROPSHEETPAGEA d1 = PageDescription(IDD_TEST_PAGE1), d2 = PageDescription(IDD_TEST_PAGE2);
    HPROPSHEETPAGE pages[] = {first.CreatePage(&d1), second.CreatePage(&d2)};
    sheet.steps = {{PSM_PRESSBUTTON, PSBTN_CANCEL}};
    EXPECT_EQ(0, RunSheet(sheet, pages, 2));
    EXPECT_TRUE(j.Has("sheet QueryCancel"));
    EXPECT_TRUE(j.Has("p1 Reset"));
    EXPECT_FALSE(j.Has("p1 Apply"));
    // Page 2 was never shown: never created nor bound, yet released.
    EXPECT_FALSE(j.Has("p2 Create"));
    EXPECT_EQ(nullptr, second.GetHandle());
    EXPECT_TRUE(j.Has("p2 Release"));
}

TEST(Sheet, RefusedPageIsNotCreatedAndLeavesNoPendingObject)
{
    Journal j;
    Sheet sheet;
    Page first("p1"), refused("p2");
    refused.createAnswer = 0;
    PROPSHEETPAGEA d1 = PageDescription(IDD_TEST_PAGE1), d2 = PageDescription(IDD_TEST_PAGE2);
    HPROPSHEETPAGE pages[] = {first.CreatePage(&d1), refused.CreatePage(&d2)};
    sheet.steps = {{PSM_SETCURSEL, 1}, {PSM_PRESSBUTTON, PSBTN_OK}};
    RunSheet(sheet, pages, 2);
    EXPECT_TRUE(j.Has("p2 Create"));
    EXPECT_FALSE(j.Has("p2 PreInit"));
    EXPECT_EQ(nullptr, refused.handleAtPreInit);
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());
    // The next window without object is not handed to the refused page.
    HWND raw = fwtest::RawWindow();
    fwtest::WindowGuard guard(raw);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(raw));
}

TEST(PropertyPage, NotificationCodesReachTheirOperationsOnly)
{
    Journal j;
    Page page("p");
    const std::pair<int, const char*> cases[] = {
        {PSN_SETACTIVE, "SetActive"}, {PSN_KILLACTIVE, "KillActive"}, {PSN_APPLY, "Apply"},
        {PSN_RESET, "Reset"}, {PSN_HELP, "Help"}, {PSN_WIZBACK, "WizBack"},
        {PSN_WIZNEXT, "WizNext"}, {PSN_WIZFINISH, "WizFinish"}};
    PSHNOTIFY notify{};
    for (auto [code, name] : cases) {
        notify.hdr.code = static_cast<UINT>(code);
        page.lastNotify = nullptr;
        EXPECT_EQ(0, page.OnNotify(0, &notify.hdr));
        EXPECT_EQ(&notify, page.lastNotify) << name;
        EXPECT_EQ("p " + std::string(name), j.lines.back());
    }
    const size_t before = j.lines.size();
    for (int code : {-204, (int)PSN_QUERYCANCEL, -199, -210}) {
        notify.hdr.code = static_cast<UINT>(code);
        EXPECT_EQ(0, page.OnNotify(0, &notify.hdr));
    }
    EXPECT_EQ(before, j.lines.size());

    // The sheet routes PSN_QUERYCANCEL only.
    Sheet sheet;
    notify.hdr.code = static_cast<UINT>(PSN_QUERYCANCEL);
    sheet.OnNotify(0, &notify.hdr);
    notify.hdr.code = static_cast<UINT>(PSN_APPLY);
    sheet.OnNotify(0, &notify.hdr);
    EXPECT_EQ((std::vector<std::string>{"sheet QueryCancel"}),
              std::vector<std::string>(j.lines.begin() + before, j.lines.end()));
}

TEST(PropertyPage, ReleaseOfAPageWhoseObjectIsGoneCallsNothing)
{
    // The page object lives in storage that is scribbled over once it is
    // destroyed, so a call through it would fail loudly.
    alignas(Page) unsigned char storage[sizeof(Page)];
    Page* page = new (storage) Page("gone");
    PROPSHEETPAGEA description = PageDescription(IDD_TEST_PAGE1);
    HPROPSHEETPAGE handle = page->CreatePage(&description);
    ASSERT_NE(nullptr, handle);
    page->~Page();
    std::memset(storage, 0xCD, sizeof storage);
    EXPECT_TRUE(DestroyPropertySheetPage(handle));
}
