// The program itself, started as a process and seen from outside as a user
// sees it: its first argument (a path to open, or the /u switch), the exit
// code, Ctrl+W through its own message loop, and the options sheet under
// real keys and clicks.
#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "encode/NoteEncoder.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

bool KeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Opens the options as the menu does and waits for the sheet.
HWND OpenOptions(Program& program, HWND main)
{
    PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);
    return program.window("#32770", "オプション");
}

HWND CurrentPage(HWND sheet) { return HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void Click(HWND button)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

}  // namespace

// The first argument: a folder is shown; a file's folder is shown with the
// file's row selected, so the data view shows its lines; a path that names
// nothing is ignored (the folder of the last run shows); "/u" in any case
// only removes the settings, even a key that was not there.
TEST(Program, FirstArgumentOpensAPathOrUnregisters)
{
    const std::string folder = TestFolder("arguments");
    const std::string songs = folder + "\\songs", remembered = folder + "\\remembered";
    fs::remove_all(folder);
    fs::create_directories(songs);
    fs::create_directories(remembered);
    // a.mid: key 60 on channel 0; b.mid: that and key 64 on channel 2.
    const Bytes a = SmfWithTrack({0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes b = SmfWithTrack({0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64, 0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64,
                                  0, 0x00, 0xFF, 0x2F, 0x00});
    std::ofstream(songs + "\\a.mid", std::ios::binary).write(reinterpret_cast<const char*>(a.data()), a.size());
    std::ofstream(songs + "\\b.mid", std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
    const std::string bLines = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";

    const struct {
        std::string arguments;
        std::string shown;  // the folder in the title; empty: no window, the settings removed
        std::string lines;  // of the data view
    } cases[] = {
        {"\"" + songs + "\"", songs, ""},
        {"\"" + songs + "\\b.mid\"", songs, bLines},
        {"\"" + songs + "\\missing.mid\"", remembered, ""},
        {"/u", "", ""},
        {"/U extra arguments", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
        if (c.shown.empty()) {
            Watcher box("#32770", "velmora", PressButton(IDOK));
            Program program(c.arguments);
            ASSERT_TRUE(program.started);
            box.join();
            EXPECT_TRUE(box.seen());
            EXPECT_EQ("レジストリ情報を削除しました。", box.text());
            EXPECT_EQ(0, program.exitCode());
            EXPECT_FALSE(KeyExists());
            EXPECT_EQ(nullptr, FindWindowA("OrvApplication", nullptr));
            continue;
        }
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, Settings::kKey, "LastPath", REG_SZ,
                                                 remembered.c_str(), DWORD(remembered.size() + 1)));
        Program program(c.arguments);
        ASSERT_TRUE(program.started);
        const HWND main = WaitForMainWindow();
        ASSERT_NE(nullptr, main);
        const HWND dataView = GetDlgItem(GetDlgItem(FindWindowExA(main, nullptr, "OrvRightFrame", nullptr), 40), 40);
        ASSERT_NE(nullptr, dataView);
        const std::string title = "velmora - [" + c.shown + "]";
        EXPECT_TRUE(WaitFor([&] { return WindowText(main) == title; })) << WindowText(main);
        EXPECT_TRUE(WaitFor([&] { return WindowText(dataView) == c.lines; })) << WindowText(dataView);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.exitCode());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    fs::remove_all(folder);
}

TEST(Program, CtrlWAsksAndEndsWithExitCodeZeroSavingItsSettings)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    Program program("other /u");  // "/u" only counts as the first argument
    ASSERT_TRUE(program.started);
    const HWND main = WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    SetForegroundWindow(main);
    Sleep(200);
    Watcher box("#32770", "velmora", PressButton(IDYES));
    INPUT keys[4] = {};
    const WORD order[4] = {VK_CONTROL, 'W', 'W', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
    box.join();
    EXPECT_TRUE(box.seen());
    EXPECT_EQ(0, program.exitCode());
    DWORD flags = 0;
    EXPECT_TRUE(ReadNumberAt(Settings::kKey, "ShowWindowFlag", flags));
    EXPECT_EQ(15u, flags);
}

// Opening on either page, the focus sits in the page that is shown, and
// letters, digits and Space typed there leave the program answering.
TEST(Program, OptionsAnswerKeysOnThePageTheyOpenOn)
{
    for (DWORD tab : {0u, 1u}) {
        SCOPED_TRACE(tab);
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
        WriteValue(Settings::kKey, "SelectedTab", REG_DWORD, &tab, 4);
        Program program("");
        const HWND main = WaitForMainWindow();
        ASSERT_NE(nullptr, main);
        const HWND sheet = OpenOptions(program, main);
        ASSERT_NE(nullptr, sheet);
        // The remembered page is selected through a posted request: wait
        // for it, and for the focus to settle where the user can see it.
        const HWND tabs = HWND(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        HWND page = nullptr, focused = nullptr;
        for (int i = 0; i < 100; ++i, Sleep(20)) {
            page = CurrentPage(sheet);
            focused = program.focus();
            if (page == HWND(SendMessageA(sheet, PSM_INDEXTOHWND, tab, 0)) && IsWindowVisible(focused)) break;
        }
        EXPECT_TRUE(focused && (focused == page || IsChild(page, focused) || focused == tabs));
        EXPECT_TRUE(IsWindowVisible(focused));
        SetForegroundWindow(sheet);  // the keys below go to the foreground window
        Sleep(100);
        for (const char* keys : {"X", "5", " ", "Q1 X5 "}) {
            PressKeys(keys);
            EXPECT_TRUE(Answers(sheet)) << "after \"" << keys << "\"";
        }
        PressKeys("\x1B");  // Escape closes the sheet
        EXPECT_TRUE(Answers(main));
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.exitCode(5000));
    }
}

// Each change a user makes on a page offers Apply; Apply applies every page
// and is grey again; Cancel afterwards keeps what was applied.
TEST(Program, ChangesOnThePagesOfferApplyAndApplyStoresThem)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    Program program("");
    const HWND main = WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    const HWND sheet = OpenOptions(program, main);
    ASSERT_NE(nullptr, sheet);
    const HWND apply = GetDlgItem(sheet, 0x3021);
    ASSERT_NE(nullptr, apply);
    EXPECT_FALSE(IsWindowEnabled(apply));  // filling the boxes is no change

    const struct {
        int page;
        int id;
        char typed;  // 0: a click
    } changes[] = {
        {0, IDC_REALTIME, 0},  {1, IDC_CHANNEL_FIRST, 0}, {1, IDC_CLEAR_ALL, 0},       {1, IDC_SELECT_ALL, 0},
        {1, IDC_FORMAT1, 'x'}, {1, IDC_DEFAULT_FORMATS, 0}, {1, IDC_FORMAT2, 'y'}, {1, IDC_CHANNEL_FIRST + 15, 0},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.id);
        PostMessageA(sheet, PSM_SETCURSEL, WPARAM(c.page), 0);
        ASSERT_TRUE(Answers(sheet));
        // The switch is posted, and a page is made the first time it is shown.
        HWND control = nullptr;
        for (int i = 0; i < 250 && !control; ++i, Sleep(20)) {
            const HWND page = HWND(SendMessageA(sheet, PSM_INDEXTOHWND, WPARAM(c.page), 0));
            if (page && CurrentPage(sheet) == page) control = GetDlgItem(page, c.id);
        }
        ASSERT_NE(nullptr, control);
        if (c.typed) {  // posted, as the keyboard's characters come
            const LRESULT before = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
            PostMessageA(control, WM_CHAR, WPARAM(static_cast<unsigned char>(c.typed)), 1);
            for (int i = 0; i < 100 && SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) == before; ++i) Sleep(10);
        } else {
            Watcher box("#32770", "velmora", PressButton(IDYES));  // the defaults' question
            Click(control);
        }
        EXPECT_TRUE(IsWindowEnabled(apply));
        Click(apply);
        EXPECT_FALSE(IsWindowEnabled(apply));
    }
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(Answers(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(0, program.exitCode());

    DWORD channels = 0;
    std::string format1, format2;
    ASSERT_TRUE(ReadNumberAt(Settings::kKey, "EncodeChannel", channels));
    ASSERT_TRUE(ReadTextAt(Settings::kKey, "PrintFormat1", format1));
    ASSERT_TRUE(ReadTextAt(Settings::kKey, "PrintFormat2", format2));
    EXPECT_EQ(0x7FFFu, channels);
    EXPECT_EQ(NoteEncoder::kDefaultFormat1, format1);
    EXPECT_EQ(std::string(NoteEncoder::kDefaultFormat2).size() + 1, format2.size());
    EXPECT_NE(std::string::npos, format2.find('y'));
}
