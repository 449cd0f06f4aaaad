#pragma once
// Helpers of the framework tests: hidden windows of a class that uses the
// framework's procedure.
#include "framework/KvWindow.h"

namespace fwtest {

// A class with WindowProc as its procedure, registered once.
const char* FrameClass();
// Creates `object`'s hidden window of FrameClass(), a child of `parent` if given.
HWND Parent(KvWindow& object, HWND parent = nullptr);

// Destroys the window at the end of a scope (when it still exists).
struct WindowGuard {
    HWND window;
    explicit WindowGuard(HWND w) : window(w) {}
    ~WindowGuard()
    {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
};

}  // namespace fwtest
