#include "framework/KvDC.h"

KvDC::KvDC() = default;

KvDC::KvDC(HDC dc) : dc_(dc) {}

KvDC::~KvDC()
{
    if (dc_ && window_ && ::ReleaseDC(window_, dc_) == 1) {
        dc_ = nullptr;
        window_ = nullptr;
    }
}
