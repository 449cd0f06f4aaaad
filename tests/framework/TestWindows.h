#pragma once
// Helpers of the framework tests: hidden windows of a class that uses the
// framework's procedure, and the registry's contents.
#include "framework/KvWindow.h"

#include <vector>

namespace fwtest {

// A class with WindowProc as its procedure, registered once per name.
const char* FrameClass(int extraBytes = 0);
// Creates `object`'s hidden window of FrameClass(), a child of `parent` if given.
HWND Parent(KvWindow& object, HWND parent = nullptr);
// Creates a hidden window of `className` without any object.
HWND RawWindow(const char* className = FrameClass(), HWND parent = nullptr, DWORD style = 0);
// Removes a posted quit message; true when there was one.
bool TakeQuitMessage();
// The objects of the registry, head to tail.
std::vector<KvWindow*> RegistryContents();

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
