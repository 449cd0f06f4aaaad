#include "TestWindows.h"

#include <cstdio>
#include <map>

namespace fwtest {

namespace {

// A test that crashes ends its process at once instead of waiting for the
// debugger dialog until ctest's time-out.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "crash: exception 0x%lx\n", info->ExceptionRecord->ExceptionCode);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const bool crashFilterSet = [] {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    return true;
}();

}  // namespace

const char* FrameClass(int extraBytes)
{
    static std::map<int, std::string> names;
    auto found = names.find(extraBytes);
    if (found != names.end()) return found->second.c_str();
    std::string name = "VelmoraTestFrame" + std::to_string(extraBytes);
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = WindowProc;
    description.cbWndExtra = extraBytes;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursor(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.lpszClassName = name.c_str();
    RegisterClassExA(&description);
    return names.emplace(extraBytes, name).first->second.c_str();
}

HWND Parent(KvWindow& object, HWND parent)
{
    return object.Create(0, FrameClass(), "", parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND RawWindow(const char* className, HWND parent, DWORD style)
{
    if (!style) style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    return CreateWindowExA(0, className, "raw", style, 0, 0, 200, 100, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool TakeQuitMessage(WPARAM* code)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (code) *code = msg.wParam;
    return true;
}

std::vector<KvWindow*> RegistryContents()
{
    std::vector<KvWindow*> objects;
    for (KvWindow* object = KvWindow::FirstWindowObject(); object; object = object->GetNext()) {
        objects.push_back(object);
    }
    return objects;
}

std::string TextOf(HWND window)
{
    char buffer[512] = "";
    const int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace fwtest
