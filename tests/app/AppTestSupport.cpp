#include <gtest/gtest.h>

#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "framework/KvMessage.h"

#include <cstring>
#include <vector>

std::string TestKeyPath()
{
    return "Software\\velmora-tests\\app-" + std::to_string(GetCurrentProcessId());
}

std::string TestFolder(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string folder = exe;
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name + "-" + std::to_string(GetCurrentProcessId());
}

void DeleteTestKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath().c_str());
}

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    KvMessage message;
    for (;;) {
        while (PeekMessageA(&message.msg, nullptr, 0, 0, PM_REMOVE)) {
            if (message.msg.message == WM_QUIT) continue;
            MainWindow* main = GetMainWindow();
            MainApplication::HandleMessage(message, nullptr, main ? main->GetHandle() : nullptr);
        }
        if (GetTickCount() - start >= ms) break;
        Sleep(5);
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

void SetClipboardTextForTest(const std::string& text)
{
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(10);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

Watcher::Watcher(const char* cls, const char* title, std::function<void(HWND)> answer)
{
    const std::string c = cls, t = title;
    thread_ = std::thread([this, c, t, answer]() {
        for (int i = 0; i < 1000 && !stop_; ++i) {
            HWND window = FindWindowA(c.c_str(), t.c_str());
            if (window && IsWindowVisible(window)) {
                char buffer[512] = {};
                GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
                text_ = buffer;
                seen_ = true;
                Sleep(50);
                answer(window);
                return;
            }
            Sleep(10);
        }
    });
}

Watcher::~Watcher()
{
    stop_ = true;
    join();
}

void Watcher::join()
{
    if (thread_.joinable()) thread_.join();
}

Program::Program(const std::string& arguments)
{
    std::string command = "\"" VELMORA_EXE "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    if (started) WaitForInputIdle(pi.hProcess, 10000);
}

Program::~Program()
{
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

long Program::exitCode(DWORD ms)
{
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return long(code);
}

HWND WaitForMainWindow()
{
    for (int i = 0; i < 500; ++i) {
        HWND w = FindWindowA("OrvApplication", nullptr);
        if (w && IsWindowVisible(w)) return w;
        Sleep(20);
    }
    return nullptr;
}

std::string WindowText(HWND window)
{
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(size_t(length) + 1, '\0');
    const LRESULT got = SendMessageA(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(size_t(got));
    return text;
}

std::function<void(HWND)> PressButton(int id)
{
    return [id](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

void AppWindowTest::SetUp()
{
    DeleteTestKey();
    app.instance = GetModuleHandleA(nullptr);
    app.showCommand = SW_SHOWNORMAL;
    main = new MainWindow;
    SetMainWindow(main);
    main->GetSettings()->SetKeyPath(TestKeyPath());
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

void AppWindowTest::WriteNumber(const char* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void AppWindowTest::WriteText(const char* name, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
    RegCloseKey(key);
}

bool AppWindowTest::ReadNumber(const char* name, DWORD& value)
{
    DWORD size = sizeof value, type = 0;
    return RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), name, RRF_RT_ANY, &type, &value, &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

bool AppWindowTest::ReadText(const char* name, std::string& text)
{
    DWORD size = 0, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), name, RRF_RT_ANY, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), name, RRF_RT_ANY, &type, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    text.assign(buffer.data());
    return type == REG_SZ;
}
