#include "framework/KvDC.h"

BOOL(WINAPI* KvDC::endPaintCall)(HWND, const PAINTSTRUCT*) = ::EndPaint;
int(WINAPI* KvDC::releaseDCCall)(HWND, HDC) = ::ReleaseDC;

KvDC::KvDC() = default;

KvDC::KvDC(HDC dc) : dc_(dc) {}

KvDC::~KvDC()
{
    if (dc_ && window_ && releaseDCCall(window_, dc_) == 1) {
        dc_ = nullptr;
        window_ = nullptr;
    }
}
