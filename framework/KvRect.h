#pragma once
// KvRect: a rectangle (left, top, right, bottom), zero at construction.
#include <windows.h>

class KvRect {
public:
    KvRect();
    virtual ~KvRect();

    BOOL GetClientRect(HWND window);
    BOOL GetWindowRect(HWND window);
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

private:
    void Take(const RECT& rect);
};
