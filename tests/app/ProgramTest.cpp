// The program itself, started as a process: the /u switch, the exit code,
// Ctrl+W through its own message loop.
#include "AppTestSupport.h"

#include "app/settings/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool KeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

TEST(Program, UnregisterSwitchDeletesTheKeyInAnyCase)
{
    for (const char* arguments : {"/u", "/U extra arguments"}) {
        SCOPED_TRACE(arguments);
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);  // even a missing key is made, then deleted
        Watcher box("#32770", "velmora", PressButton(IDOK));
        Program program(arguments);
        ASSERT_TRUE(program.started);
        box.join();
        EXPECT_TRUE(box.seen());
        EXPECT_EQ("レジストリ情報を削除しました。", box.text());
        EXPECT_EQ(0, program.exitCode());
        EXPECT_FALSE(KeyExists());
        EXPECT_EQ(nullptr, FindWindowA("OrvApplication", nullptr));
    }
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
