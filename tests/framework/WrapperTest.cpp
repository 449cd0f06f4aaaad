// The thin wrappers. Dialogs and property pages through DialogProc: binding
// at WM_INITDIALOG, the close box, and parameters or pages whose object is no
// longer there (the program's options sheet walks the sheet's and the pages'
// operations). A registry key has exactly one owner, who closes it; the
// program's entry point runs the application only once it is ready.
#include "TestResources.h"

#include "framework/KvApplication.h"
#include "framework/KvDialog.h"
#include "framework/KvPropertyPage.h"
#include "framework/KvRegKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Posts `post` once initialised and notes whether it was bound when first
// called; OK ends it with 1234.
struct TestDialog : KvDialog {
    UINT post = WM_CLOSE;
    WPARAM postWParam = 0;
    bool boundFirst = false;
    LRESULT OnPreInitDialog() override
    {
        boundFirst = GetHandle() != nullptr;
        return 0;
    }
    LRESULT OnInitDialog() override { return PostMessage(post, postWParam, 0), 1; }
    LRESULT OnCommand(UINT, UINT id, KvWindow*) override { return id == IDOK ? EndDialog(1234), 1 : 0; }
};

}  // namespace

TEST(Dialog, BindsAtInitDialogAndEndsWithTheHandlersResult)
{
    const struct {
        UINT post;
        WPARAM wParam;
        INT_PTR result;
    } cases[] = {{WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 1234}, {WM_CLOSE, 0, 0}};  // OK, the close box
    for (const auto& c : cases) {
        TestDialog dialog;
        dialog.post = c.post, dialog.postWParam = c.wParam;
        EXPECT_EQ(c.result, dialog.RunModal(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr));
        EXPECT_TRUE(dialog.boundFirst);
    }
}

// A foreign dialog's data, or a page object deleted before its release, is
// never called: the storage is scribbled over, so a call would fail loudly.
TEST(DialogProc, ParametersWhoseObjectIsGoneAreNeverCalled)
{
    alignas(KvPropertyPage) unsigned char storage[std::max(sizeof(KvPropertyPage), sizeof(TestDialog))];
    std::memset(storage, 0xCD, sizeof storage);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr,
                                     DialogProc, reinterpret_cast<LPARAM>(storage));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(dialog));
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(DestroyWindow(dialog));

    KvPropertyPage* page = new (storage) KvPropertyPage;
    PROPSHEETPAGEA description{};
    description.dwSize = sizeof description;
    description.hInstance = GetModuleHandleA(nullptr);
    description.pszTemplate = MAKEINTRESOURCEA(IDD_TEST_PAGE1);
    HPROPSHEETPAGE handle = page->CreatePage(&description);
    ASSERT_NE(nullptr, handle);
    page->~KvPropertyPage();
    std::memset(storage, 0xCD, sizeof storage);
    EXPECT_TRUE(DestroyPropertySheetPage(handle));
}

TEST(RegKey, ExactlyOneOwnerClosesTheKey)
{
    const auto isOpen = [](HKEY key) { return RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0) == 0; };
    const std::string path = "Software\\velmora-tests-" + std::to_string(GetCurrentProcessId());
    HKEY first = nullptr, second = nullptr;
    {
        KvRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, 0));
        first = key.GetHandle();
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, 0));
        EXPECT_FALSE(isOpen(first));  // replaced, not leaked
        second = key.GetHandle();
        EXPECT_NE(ERROR_SUCCESS, key.Create(nullptr, "x", 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        EXPECT_TRUE(isOpen(second));  // a failed Create keeps the key
        KvRegKey moved(std::move(key));
        EXPECT_EQ(nullptr, key.GetHandle());
    }
    EXPECT_FALSE(isOpen(second));  // closed by the one that held it
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

TEST(EntryPoint, InitializeGatesRunAndRunSeesTheEntryArguments)
{
    struct Application : KvApplication {
        int initialized = 1, runs = 0;
        int Initialize() override { return initialized; }
        int Run() override { return ++runs, 42; }
    };
    char line[] = "run-me";
    for (const int initialized : {1, 0}) {
        Application application;
        application.initialized = initialized;
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        EXPECT_EQ(initialized ? 42 : 0, KvRunApplication(instance, nullptr, line, SW_SHOWMINNOACTIVE));
        EXPECT_EQ(initialized, application.runs);
        EXPECT_EQ(instance, application.instance);
        EXPECT_EQ(line, application.commandLine);
        EXPECT_EQ(SW_SHOWMINNOACTIVE, application.showCommand);
    }
}
