#include "AppTestSupport.h"

#include "app/OptionsSheet.h"
#include "app/settings/Settings.h"
#include "encode/NoteEncoder.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <functional>

namespace {

HWND CurrentPage(HWND sheet) { return HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int CurrentTab(HWND sheet)
{
    return int(SendMessageA(HWND(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL, 0, 0));
}

std::string ItemText(HWND page, int id)
{
    char buffer[256] = {};
    GetDlgItemTextA(page, id, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

class OptionsSheetTest : public AppWindowTest {
protected:
    // Runs `steps` on the watcher's thread once the sheet shows page `tab`;
    // each step may look at the sheet and post to it.
    void RunSheet(int tab, std::function<void(HWND sheet, HWND page)> steps)
    {
        int opened = -1;
        Watcher watcher("#32770", "オプション", [&, tab](HWND sheet) {
            WaitFor([&] { return CurrentTab(sheet) == tab && CurrentPage(sheet); });
            opened = CurrentTab(sheet);
            steps(sheet, CurrentPage(sheet));
        });
        OptionsSheet sheet;
        sheet.Show(main->GetHandle());
        watcher.join();
        EXPECT_TRUE(watcher.seen());
        EXPECT_EQ(tab, opened);
    }
};

TEST_F(OptionsSheetTest, OpensOnTheRememberedPageAndRemembersTheLast)
{
    RunSheet(0, [&](HWND sheet, HWND) {
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
        WaitFor([&] { return CurrentTab(sheet) == 1; });
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(1, GetSettings().SelectedTab);  // recorded after Cancel too
    RunSheet(1, [&](HWND sheet, HWND) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); });
}

TEST_F(OptionsSheetTest, EncodePageAppliesOnlyOnOkOrApply)
{
    GetSettings().SelectedTab = 1;
    GetSettings().EncodeChannel = 0xABCDFDFF;
    GetSettings().SetPrintFormat2("mine");
    std::string shown1, restored2, question;
    bool ch10 = true, ch1 = false;
    RunSheet(1, [&](HWND sheet, HWND page) {
        shown1 = ItemText(page, IDC_FORMAT1);
        ch10 = IsDlgButtonChecked(page, IDC_CHANNEL_FIRST + 9) == BST_CHECKED;
        ch1 = IsDlgButtonChecked(page, IDC_CHANNEL_FIRST) == BST_CHECKED;
        // Clear all, a new short format, then Apply; later changes are cancelled.
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_CLEAR_ALL, BN_CLICKED), 0);
        SetDlgItemTextA(page, IDC_FORMAT2, "S %d");
        SendMessageA(sheet, PSM_CHANGED, WPARAM(page), 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        SetDlgItemTextA(page, IDC_FORMAT1, "never applied");
        Watcher box("#32770", "velmora", PressButton(IDYES));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEFAULT_FORMATS, BN_CLICKED), 0);
        box.join();
        question = box.text();
        restored2 = ItemText(page, IDC_FORMAT2);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(NoteEncoder::kDefaultFormat1, shown1);  // backslash-t pairs as stored
    EXPECT_FALSE(ch10);
    EXPECT_TRUE(ch1);
    EXPECT_EQ("現在の出力フォーマットが失われます。\nよろしいですか？", question);
    EXPECT_EQ(NoteEncoder::kDefaultFormat2, restored2);
    EXPECT_EQ(0xABCD0000u, GetSettings().EncodeChannel);  // bits 16 to 31 survive
    EXPECT_EQ("S %d", GetSettings().GetPrintFormat2());
    EXPECT_EQ(NoteEncoder::kDefaultFormat1, GetSettings().GetPrintFormat1());
}

TEST_F(OptionsSheetTest, OkOnTheGeneralPageLeavesTheUnvisitedEncodePageAlone)
{
    GetSettings().SetPrintFormat1("");
    GetSettings().EncodeChannel = 0x1234;
    GetSettings().RealTimeEncode = 0;
    RunSheet(0, [&](HWND sheet, HWND page) {
        SendMessageA(GetDlgItem(page, IDC_REALTIME), BM_CLICK, 0, 0);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(1, GetSettings().RealTimeEncode);
    EXPECT_EQ("", GetSettings().GetPrintFormat1());
    EXPECT_EQ(0x1234u, GetSettings().EncodeChannel);
    EXPECT_EQ(0, GetSettings().SelectedTab);
}
