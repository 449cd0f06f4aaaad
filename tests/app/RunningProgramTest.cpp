// The running program seen from another process through the probe: what a
// user sees and what the keyboard does to it.
#include "AppTestSupport.h"
#include "Probe.h"

#include "app/settings/Settings.h"
#include "encode/NoteEncoder.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kSheetCaption[] = "オプション";
const int kApplyButton = 0x3021;

// Opens the options as the menu does and waits for the sheet.
HWND OpenOptions(Probe& program)
{
    PostMessageA(program.main(), WM_COMMAND, IDM_OPTIONS, 0);
    const HWND sheet = program.waitForTopLevel("#32770", kSheetCaption);
    // The sheet selects the remembered page through a posted request.
    if (sheet) Probe::answers(sheet);
    return sheet;
}

bool IsWithin(HWND window, HWND ancestor)
{
    return window && (window == ancestor || IsChild(ancestor, window));
}

void Click(HWND button)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

// A control of the page that is shown.
HWND Control(HWND sheet, int id)
{
    const HWND page = HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page ? GetDlgItem(page, id) : nullptr;
}

// A key typed into an edit box: posted, as the keyboard's characters come.
void Type(HWND edit, char character)
{
    const LRESULT before = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    PostMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(character)), 1);
    for (int i = 0; i < 100 && SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0) == before; ++i) Sleep(10);
}

}  // namespace

// Opening on either page, the focus sits in the page that is shown, and
// letters, digits and Space typed there leave the program answering.
TEST(RunningProgram, OptionsAnswerKeysOnThePageTheyOpenOn)
{
    for (DWORD tab : {0u, 1u}) {
        SCOPED_TRACE(tab);
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
        WriteProgramSetting("SelectedTab", tab);
        Probe program;
        ASSERT_NE(nullptr, program.main());
        const HWND sheet = OpenOptions(program);
        ASSERT_NE(nullptr, sheet);
        const HWND page = HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        ASSERT_NE(nullptr, page);
        const HWND focused = program.focus();
        EXPECT_TRUE(IsWithin(focused, page) || IsWithin(focused, HWND(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0))));
        EXPECT_TRUE(IsWindowVisible(focused));

        SetForegroundWindow(sheet);
        Sleep(100);
        for (const char* keys : {"X", "5", " ", "Q1 X5 "}) {
            Probe::pressKeys(keys);
            EXPECT_TRUE(Probe::answers(sheet)) << "after \"" << keys << "\"";
        }
        Probe::pressKeys("\x1B");  // Escape closes the sheet
        EXPECT_TRUE(Probe::answers(program.main()));
        PostMessageA(program.main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.exitCode(5000));
    }
}

// Each change a user makes on a page offers Apply; Apply applies every page
// and is grey again; Cancel afterwards keeps what was applied.
TEST(RunningProgram, ChangesOnThePagesOfferApplyAndApplyStoresThem)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    Probe program;
    ASSERT_NE(nullptr, program.main());
    const HWND sheet = OpenOptions(program);
    ASSERT_NE(nullptr, sheet);
    const HWND apply = GetDlgItem(sheet, kApplyButton);
    ASSERT_NE(nullptr, apply);
    EXPECT_FALSE(IsWindowEnabled(apply));  // filling the boxes is no change

    const struct {
        int page;
        const char* change;
        int id;
        char typed;  // 0: a click
    } changes[] = {
        {0, "real-time box", IDC_REALTIME, 0},  {1, "CH 1 box", IDC_CHANNEL_FIRST, 0},
        {1, "clear all", IDC_CLEAR_ALL, 0},     {1, "select all", IDC_SELECT_ALL, 0},
        {1, "long format", IDC_FORMAT1, 'x'},   {1, "defaults", IDC_DEFAULT_FORMATS, 0},
        {1, "short format", IDC_FORMAT2, 'y'},  {1, "CH 16 box", IDC_CHANNEL_FIRST + 15, 0},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        PostMessageA(sheet, PSM_SETCURSEL, WPARAM(c.page), 0);
        ASSERT_TRUE(Probe::answers(sheet));
        const HWND control = Control(sheet, c.id);
        ASSERT_NE(nullptr, control);
        if (c.typed) {
            Type(control, c.typed);
        } else if (c.id == IDC_DEFAULT_FORMATS) {
            Watcher box("#32770", "velmora", PressButton(IDYES));
            Click(control);
            box.join();
        } else {
            Click(control);
        }
        EXPECT_TRUE(IsWindowEnabled(apply));
        Click(apply);
        EXPECT_FALSE(IsWindowEnabled(apply));
    }
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(Probe::answers(program.main()));
    PostMessageA(program.main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(0, program.exitCode());

    DWORD channels = 0;
    std::string format1, format2;
    ASSERT_TRUE(ReadProgramSetting("EncodeChannel", channels));
    ASSERT_TRUE(ReadProgramSetting("PrintFormat1", format1));
    ASSERT_TRUE(ReadProgramSetting("PrintFormat2", format2));
    EXPECT_EQ(0x7FFFu, channels);
    EXPECT_EQ(NoteEncoder::kDefaultFormat1, format1);
    EXPECT_EQ(std::string(NoteEncoder::kDefaultFormat2).size() + 1, format2.size());
    EXPECT_NE(std::string::npos, format2.find('y'));
}
