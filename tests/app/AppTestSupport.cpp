#include "AppTestSupport.h"

#include "app/dataview/ChannelToolBar.h"
#include "framework/KvMessage.h"

#include <commctrl.h>

#include <cstring>

Bytes TwoChannels()
{
    return SmfWithTrack({0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64, 0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0,
                         0x00, 0xFF, 0x2F, 0x00});
}

const char kCh0[] = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const char kCh2[] = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";

std::string TestKeyPath()
{
    return "Software\\velmora-tests\\app-" + std::to_string(GetCurrentProcessId());
}

void DeleteTestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath().c_str()); }

void WriteValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, data, size)) << name;
}

bool ReadNumberAt(const std::string& key, const char* name, DWORD& value)
{
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool ReadTextAt(const std::string& key, const char* name, std::string& text)
{
    char buffer[8192] = {};
    DWORD size = sizeof buffer;
    const LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    if (status == ERROR_SUCCESS) text = buffer;
    return status == ERROR_SUCCESS;
}

void Pump()
{
    KvMessage message;
    while (PeekMessageA(&message.msg, nullptr, 0, 0, PM_REMOVE)) {
        if (message.msg.message == WM_QUIT) continue;
        MainWindow* main = GetMainWindow();
        MainApplication::HandleMessage(message, nullptr, main ? main->GetHandle() : nullptr);
    }
}

std::string ClipboardText()
{
    std::string text;
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(10);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes) text.assign(bytes, strnlen(bytes, GlobalSize(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void ClickButton(ChannelToolBar* toolbar, UINT id)
{
    RECT r{};
    toolbar->SendMessage(TB_GETRECT, id, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    toolbar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    toolbar->SendMessage(WM_LBUTTONUP, 0, at);
    Pump();
}

MessageBoxAnswer::MessageBoxAnswer(int id)
{
    thread = std::thread([this, id]() {
        for (int i = 0; i < 1000 && !stop; ++i) {
            HWND window = FindWindowA("#32770", "velmora");
            if (window && IsWindowVisible(window)) {
                char buffer[512] = {};
                GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
                text = buffer;
                seen = true;
                Sleep(50);
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                return;
            }
            Sleep(10);
        }
    });
}

MessageBoxAnswer::~MessageBoxAnswer()
{
    stop = true;
    join();
}

void MessageBoxAnswer::join()
{
    if (thread.joinable()) thread.join();
}

Program::Program(const std::string& arguments, const char* exe)
{
    std::string command = "\"" + std::string(exe) + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    if (started) WaitForInputIdle(pi.hProcess, 10000);
}

Program::~Program()
{
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

long Program::exitCode(DWORD ms)
{
    if (!started || WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return long(code);
}

HWND Program::window(const char* cls, const char* title, DWORD ms) const
{
    HWND window = nullptr;
    WaitFor([&] {
        for (window = nullptr; (window = FindWindowExA(nullptr, window, cls, title)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(window)) return true;
        }
        return false;
    }, ms);
    return window;
}

void AppWindowTest::SetUp()
{
    DeleteTestKey();
    app.instance = GetModuleHandleA(nullptr);
    app.showCommand = SW_SHOWNORMAL;
    main = new MainWindow;
    SetMainWindow(main);
    main->GetSettingsRecord()->SetKeyPath(TestKeyPath());
    Prepare();
    ASSERT_TRUE(app.CreateMainWindow());
    main->ShowWindow(SW_SHOWNORMAL);
    main->UpdateWindow();
    SetForegroundWindow(main->GetHandle());
    Pump();
}

void AppWindowTest::TearDown()
{
    if (main && IsWindow(main->GetHandle())) DestroyWindow(main->GetHandle());
    // The head's destruction posts the quit message: take it out of the queue.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    SetMainWindow(nullptr);
    delete main;
    main = nullptr;
    DeleteTestKey();
}
