#include "framework/KvPaintDC.h"

#include <new>

KvPaintDC::KvPaintDC(HWND window) : paint_(new (std::nothrow) PAINTSTRUCT{})
{
    BeginPaint(window);
}

KvPaintDC::~KvPaintDC()
{
    EndPaint();
    delete paint_;
    paint_ = nullptr;
}

HDC KvPaintDC::BeginPaint(HWND window)
{
    window_ = window;
    dc_ = paint_ ? ::BeginPaint(window, paint_) : nullptr;
    return dc_;
}

int KvPaintDC::EndPaint()
{
    if (!paint_ || !::EndPaint(window_, paint_)) return 0;
    dc_ = nullptr;
    window_ = nullptr;
    return 1;
}
