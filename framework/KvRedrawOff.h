#pragma once
// KvRedrawOff: a window's drawing off for the life of the object; on again
// and everything drawn anew at its end.
#include "framework/KvWindow.h"

class KvRedrawOff {
public:
    explicit KvRedrawOff(KvWindow& window) : window_(window) { window_.SendMessage(WM_SETREDRAW, FALSE, 0); }
    ~KvRedrawOff()
    {
        window_.SendMessage(WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_.GetHandle(), nullptr, TRUE);
    }
    KvRedrawOff(const KvRedrawOff&) = delete;
    KvRedrawOff& operator=(const KvRedrawOff&) = delete;

private:
    KvWindow& window_;
};
