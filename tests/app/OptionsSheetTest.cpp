#include "AppTestSupport.h"

#include "app/OptionsSheet.h"
#include "app/settings/Settings.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <functional>

namespace {

const char kFormat1[] = "\\tdb\\t%02d,$%02X,$%02X,$%02X\\t;%02d %03d %05d %03d";
const char kFormat2[] = "\\tdb\\t%02d,$%02X\\t\\t;%02d %03d %05d %03d";

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentTab(HWND sheet)
{
    return int(SendMessageA(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETCURSEL,
                            0, 0));
}

// Runs `steps` on the watcher's thread once the sheet is up; each step may
// look at the sheet and post to it.
void RunSheet(HWND owner, std::function<void(HWND)> steps)
{
    Watcher watcher("#32770", "オプション", [steps](HWND sheet) {
        Sleep(100);
        steps(sheet);
    });
    OptionsSheet sheet;
    sheet.Show(owner);
    watcher.join();
    EXPECT_TRUE(watcher.seen());
}

}  // namespace

class OptionsSheetTest : public AppWindowTest {
};

TEST_F(OptionsSheetTest, OpensOnTheRememberedPageAndRemembersTheLast)
{
    int firstTab = -1;
    RunSheet(main->GetHandle(), [&](HWND sheet) {
        firstTab = CurrentTab(sheet);
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
        WaitFor([&] { return CurrentTab(sheet) == 1; });
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(0, firstTab);
    EXPECT_EQ(1, GetSettings().SelectedTab);  // recorded after Cancel too

    int secondTab = -1;
    RunSheet(main->GetHandle(), [&](HWND sheet) {
        WaitFor([&] { return CurrentTab(sheet) == 1; });
        secondTab = CurrentTab(sheet);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(1, secondTab);
}

TEST_F(OptionsSheetTest, EncodePageAppliesOnlyOnOkOrApply)
{
    GetSettings().SelectedTab = 1;
    GetSettings().EncodeChannel = 0xABCDFDFF;
    std::string shown1, shown2;
    bool ch10 = true, ch1 = false;
    RunSheet(main->GetHandle(), [&](HWND sheet) {
        WaitFor([&] { return CurrentTab(sheet) == 1 && CurrentPage(sheet); });
        HWND page = CurrentPage(sheet);
        char buffer[256] = {};
        GetDlgItemTextA(page, IDC_FORMAT1, buffer, sizeof buffer);
        shown1 = buffer;
        GetDlgItemTextA(page, IDC_FORMAT2, buffer, sizeof buffer);
        shown2 = buffer;
        ch10 = IsDlgButtonChecked(page, IDC_CHANNEL_FIRST + 9) == BST_CHECKED;
        ch1 = IsDlgButtonChecked(page, IDC_CHANNEL_FIRST) == BST_CHECKED;
        // Clear all, a new short format, then Apply and Cancel.
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_CLEAR_ALL, BN_CLICKED), 0);
        SetDlgItemTextA(page, IDC_FORMAT2, "S %d");
        SendMessageA(sheet, PSM_CHANGED, WPARAM(page), 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        SetDlgItemTextA(page, IDC_FORMAT1, "never applied");
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(kFormat1, shown1);  // backslash-t pairs as stored
    EXPECT_EQ(kFormat2, shown2);
    EXPECT_FALSE(ch10);
    EXPECT_TRUE(ch1);
    EXPECT_EQ(0xABCD0000u, GetSettings().EncodeChannel);  // bits 16 to 31 survive
    EXPECT_EQ("S %d", GetSettings().GetPrintFormat2());
    EXPECT_EQ(kFormat1, GetSettings().GetPrintFormat1());
}

TEST_F(OptionsSheetTest, RestoringTheDefaultsThenCancelChangesNothing)
{
    GetSettings().SelectedTab = 1;
    GetSettings().SetPrintFormat1("mine 1");
    GetSettings().SetPrintFormat2("mine 2");
    std::string restored1, question;
    RunSheet(main->GetHandle(), [&](HWND sheet) {
        WaitFor([&] { return CurrentTab(sheet) == 1 && CurrentPage(sheet); });
        HWND page = CurrentPage(sheet);
        Watcher box("#32770", "velmora", PressButton(IDYES));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEFAULT_FORMATS, BN_CLICKED), 0);
        box.join();
        question = box.text();
        char buffer[256] = {};
        GetDlgItemTextA(page, IDC_FORMAT1, buffer, sizeof buffer);
        restored1 = buffer;
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ("現在の出力フォーマットが失われます。\nよろしいですか？", question);
    EXPECT_EQ(kFormat1, restored1);
    EXPECT_EQ("mine 1", GetSettings().GetPrintFormat1());
    EXPECT_EQ("mine 2", GetSettings().GetPrintFormat2());
}

TEST_F(OptionsSheetTest, OkOnTheGeneralPageLeavesTheUnvisitedEncodePageAlone)
{
    GetSettings().SetPrintFormat1("");
    GetSettings().EncodeChannel = 0x1234;
    GetSettings().RealTimeEncode = 0;
    RunSheet(main->GetHandle(), [&](HWND sheet) {
        WaitFor([&] { return CurrentPage(sheet) != nullptr; });
        HWND page = CurrentPage(sheet);
        SendMessageA(GetDlgItem(page, IDC_REALTIME), BM_CLICK, 0, 0);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(1, GetSettings().RealTimeEncode);
    EXPECT_EQ("", GetSettings().GetPrintFormat1());
    EXPECT_EQ(0x1234u, GetSettings().EncodeChannel);
    EXPECT_EQ(0, GetSettings().SelectedTab);
}
