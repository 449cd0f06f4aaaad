// The program itself, started as a process: its first argument (a path to
// open, or the /u switch), the exit code, Ctrl+W through its own message loop.
#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "support/TestFiles.h"

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

TEST(Program, StartsAndEndsWithExitCodeZeroSavingItsSettings)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    Program program("other /u");  // "/u" only counts as the first argument
    ASSERT_TRUE(program.started);
    const HWND main = WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.exitCode());
    EXPECT_TRUE(KeyExists());
    DWORD flags = 0, size = sizeof flags;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, Settings::kKey, "ShowWindowFlag", RRF_RT_REG_DWORD,
                                          nullptr, &flags, &size));
    EXPECT_EQ(15u, flags);
}

TEST(Program, CtrlWAsksBeforeEnding)
{
    Program program("");
    ASSERT_TRUE(program.started);
    const HWND main = WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    SetForegroundWindow(main);
    Sleep(200);
    Watcher box("#32770", "velmora", PressButton(IDYES));
    INPUT keys[4] = {};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'W';
    keys[2].ki.wVk = 'W';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    box.join();
    EXPECT_TRUE(box.seen());
    EXPECT_EQ(0, program.exitCode());
}
