#include "Probe.h"

#include "app/settings/Settings.h"

#include <vector>

Probe::Probe(const std::string& arguments)
{
    std::string command = "\"" VELMORA_EXE "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_);
    if (!started_) return;
    WaitForInputIdle(process_.hProcess, 10000);
    main_ = waitForTopLevel("OrvApplication", nullptr, 10000);  // titled after its folder
}

Probe::~Probe()
{
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

long Probe::exitCode(DWORD ms)
{
    if (!started_ || WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return long(code);
}

HWND Probe::waitForTopLevel(const char* cls, const char* title, DWORD ms) const
{
    const DWORD start = GetTickCount();
    do {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, cls, title)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == process_.dwProcessId && IsWindowVisible(window)) return window;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

namespace {

struct ChildSearch {
    const char* cls;
    int id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter)
{
    ChildSearch& search = *reinterpret_cast<ChildSearch*>(parameter);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search.cls) != 0 || GetDlgCtrlID(window) != search.id) return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND Probe::findChild(HWND parent, const char* cls, int id, bool visibleOnly)
{
    ChildSearch search{cls, id, visibleOnly, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Probe::answers(HWND window, DWORD ms)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result) != 0;
}

HWND Probe::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

void Probe::pressKeys(const std::string& keys)
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

void WriteProgramSetting(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool ReadProgramSetting(const char* name, DWORD& value)
{
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, Settings::kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool ReadProgramSetting(const char* name, std::string& value)
{
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, Settings::kKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, Settings::kKey, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    value = buffer.data();
    return true;
}
