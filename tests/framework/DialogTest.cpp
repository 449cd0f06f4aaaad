// Modal dialogs from templates through DialogProc: binding at WM_INITDIALOG,
// the close box, controls attached by id, and parameters that are no object.
#include "TestResources.h"
#include "TestWindows.h"

#include "framework/KvButton.h"
#include "framework/KvDialog.h"
#include "framework/KvEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Ends itself through a posted message once initialised.
struct TestDialog : KvDialog {
    std::vector<std::string> log;
    HWND handleAtPreInit = nullptr;
    UINT postAfterInit = WM_CLOSE;
    WPARAM postWParam = 0;
    std::string editText;
    LRESULT checkState = -1;

    LRESULT OnPreInitDialog() override
    {
        handleAtPreInit = GetHandle();
        log.push_back("PreInit");
        return 0;
    }
    LRESULT OnInitDialog() override
    {
        log.push_back("Init");
        KvEdit edit(GetDlgItem(IDC_TEST_EDIT));
        edit.SetText("初期値");
        KvButton check(GetDlgItem(IDC_TEST_CHECK));
        check.SetCheck(BST_CHECKED);
        PostMessage(postAfterInit, postWParam, 0);
        return 1;
    }
    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override
    {
        log.push_back("Command " + std::to_string(id));
        if (id == IDOK) {
            editText = KvWindow(GetDlgItem(IDC_TEST_EDIT)).GetText();
            checkState = KvButton(GetDlgItem(IDC_TEST_CHECK)).GetCheck();
            EndDialog(1234);
            return 1;
        }
        return KvDialog::OnCommand(code, id, control);
    }
    LRESULT OnOtherMessage(HWND, UINT message, WPARAM, LPARAM) override
    {
        if (log.empty()) log.push_back("early " + std::to_string(message));
        return 0;
    }
};

}  // namespace

TEST(Dialog, BindsAtInitDialogAndEndsWithTheHandlersResult)
{
    TestDialog dialog;
    dialog.postAfterInit = WM_COMMAND;
    dialog.postWParam = MAKEWPARAM(IDOK, BN_CLICKED);
    EXPECT_EQ(1234, dialog.RunModal(Instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr));
    ASSERT_GE(dialog.log.size(), 2u);
    // Nothing reached the object before WM_INITDIALOG (WM_SETFONT and the
    // like find no object), and it was bound by then.
    EXPECT_EQ("PreInit", dialog.log[0]);
    EXPECT_EQ("Init", dialog.log[1]);
    EXPECT_NE(nullptr, dialog.handleAtPreInit);
    EXPECT_EQ("初期値", dialog.editText);
    EXPECT_EQ(BST_CHECKED, dialog.checkState);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(dialog.handleAtPreInit));
}

TEST(Dialog, CloseBoxEndsWithZero)
{
    TestDialog dialog;
    dialog.postAfterInit = WM_CLOSE;
    EXPECT_EQ(0, dialog.RunModal(Instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr));
    EXPECT_EQ(std::find(dialog.log.begin(), dialog.log.end(), "Command 1"), dialog.log.end());
    EXPECT_TRUE(dialog.editText.empty());
}

TEST(Dialog, MissingTemplateGivesMinusOne)
{
    TestDialog dialog;
    EXPECT_EQ(-1, dialog.RunModal(Instance(), MAKEINTRESOURCEA(4999), nullptr));
    EXPECT_TRUE(dialog.log.empty());
}

TEST(Dialog, InitParameterThatIsNoLiveObjectIsNotBound)
{
    // A parameter that is not a registered object (a foreign dialog's data,
    // an object already deleted) must never be called.
    alignas(TestDialog) unsigned char junk[sizeof(TestDialog)];
    std::memset(junk, 0xCD, sizeof junk);
    HWND dialog = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr,
                                     DialogProc, reinterpret_cast<LPARAM>(junk));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(dialog));
    SendMessageA(dialog, WM_CLOSE, 0, 0);  // answered 0: default processing
    EXPECT_TRUE(DestroyWindow(dialog));
}

TEST(Dialog, HandlerAnswersThroughTheMessageResult)
{
    struct Answering : KvDialog {
        LRESULT OnInitDialog() override
        {
            PostMessage(WM_USER + 5, 0, 0);
            return 1;
        }
        LRESULT OnOtherMessage(HWND, UINT message, WPARAM, LPARAM) override
        {
            if (message == WM_USER + 5) {
                answer = SendMessage(WM_USER + 6, 0, 0);
                EndDialog(7);
                return 1;
            }
            if (message == WM_USER + 6) {
                SetWindowLong(DWLP_MSGRESULT, 0x123456789LL);
                return 1;
            }
            return 0;
        }
        LRESULT answer = 0;
    } dialog;
    EXPECT_EQ(7, dialog.RunModal(Instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr));
    EXPECT_EQ(0x123456789LL, dialog.answer);
}
