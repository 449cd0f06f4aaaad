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
    std::string& name = names[extraBytes];
    if (name.empty()) {
        name = "VelmoraTestFrame" + std::to_string(extraBytes);
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = WindowProc;
        description.cbWndExtra = extraBytes;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = name.c_str();
        RegisterClassExA(&description);
    }
    return name.c_str();
}

HWND Parent(KvWindow& object, HWND parent)
{
    return object.Create(0, FrameClass(), "", parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace fwtest
