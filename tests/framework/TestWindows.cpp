#include "TestWindows.h"

#include <cstdio>

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

const char* FrameClass()
{
    static const char* const name = [] {
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = WindowProc;
        description.cbWndExtra = sizeof(LONG_PTR);  // the answer of a handled message, as the program's frames
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "VelmoraTestFrame";
        RegisterClassExA(&description);
        return description.lpszClassName;
    }();
    return name;
}

HWND Parent(KvWindow& object, HWND parent)
{
    return object.Create(0, FrameClass(), "", parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace fwtest
