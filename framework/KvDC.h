#pragma once
// KvDC: a device context, and the window it was taken from. Releases the
// context (ReleaseDC) when it holds both; a context wrapped alone belongs to
// someone else and is left alone.
#include <windows.h>

class KvDC {
public:
    KvDC();
    explicit KvDC(HDC dc);
    virtual ~KvDC();
    KvDC(const KvDC&) = delete;
    KvDC& operator=(const KvDC&) = delete;

    HDC GetHandle() const { return dc_; }
    HWND GetWindow() const { return window_; }

protected:
    HDC dc_ = nullptr;
    HWND window_ = nullptr;
};
