#include <gtest/gtest.h>

#include "AppTestSupport.h"

#include "encode/view/ChannelToolBar.h"
#include "framework/KvMessage.h"

#include <commctrl.h>

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
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    text.assign(buffer.data());
    return true;
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

ItemRecord RecordOf(const std::string& path)
{
    ItemRecord r{};
    std::strncpy(r.path, path.c_str(), sizeof r.path - 1);
    return r;
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
    const DWORD start = GetTickCount();
    do {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, cls, title)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(window)) return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND Program::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(pi.dwThreadId, &info) ? info.hwndFocus : nullptr;
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

bool Answers(HWND window, DWORD ms)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result) != 0;
}

void PressKeys(const std::string& keys)
{
    for (const char key : keys) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = WORD(static_cast<unsigned char>(key));
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(30);
    }
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
