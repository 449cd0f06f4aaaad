#pragma once
// Helpers of the framework tests: window classes that use the framework's
// procedure, hidden windows, message pumping, and a recording window object.
#include "framework/KvWindow.h"

#include <string>
#include <vector>

namespace fwtest {

// A class with WindowProc as its procedure, registered once per name.
const char* FrameClass(int extraBytes = 0);
// Creates `object`'s window of FrameClass(), hidden: top-level, 400 x 300,
// or a child of `parent` when one is given.
HWND Parent(KvWindow& object, HWND parent = nullptr);
// Creates a hidden top-level window of `className` without any object.
HWND RawWindow(const char* className = FrameClass(), HWND parent = nullptr, DWORD style = 0);

// Dispatches whatever is queued for this thread.
void Pump();
// Runs a message loop until `done` or the time runs out; false on time-out.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
// Removes a posted quit message; true when there was one (its code in `code`).
bool TakeQuitMessage(WPARAM* code = nullptr);

// Destroys the window at the end of a scope (when it still exists).
class WindowGuard {
public:
    explicit WindowGuard(HWND window) : window_(window) {}
    ~WindowGuard()
    {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
    }
    WindowGuard(const WindowGuard&) = delete;
    WindowGuard& operator=(const WindowGuard&) = delete;

private:
    HWND window_;
};

// The objects of the registry, head to tail.
std::vector<KvWindow*> RegistryContents();

// Text of a window, read with the plain platform call.
std::string TextOf(HWND window);

}  // namespace fwtest
