#pragma once
// KvControl: the object of a system control that runs under a superclass of
// the framework: the system class copied under a name of our own, with
// ControlProc as its procedure, so that the control's own processing runs
// first and the object's operations see each message afterwards.
#include "framework/KvWindow.h"

#include <commctrl.h>

class KvControl : public KvWindow {
public:
    KvControl(DWORD groups, LPCSTR systemClass, LPCSTR newClass);
    KvControl(HWND window, DWORD groups, LPCSTR systemClass, LPCSTR newClass);
    ~KvControl() override;

    // KvWindow::Create with the superclass's name as the class.
    HWND Create(DWORD exStyle, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                HWND parent, HMENU id, HINSTANCE instance, LPVOID param);

    WNDPROC GetSystemProcedure() const { return systemProcedure_; }
    const char* GetSuperclassName() const { return className_; }

    // Calls the system class's procedure (the default procedure when none
    // was found).
    LRESULT CallSystemProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    void RegisterSuperclass(DWORD groups, LPCSTR systemClass, LPCSTR newClass);

    WNDPROC systemProcedure_ = nullptr;
    char className_[256] = {};
};

// The window procedure of every superclass.
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
