#include "framework/KvPoint.h"

KvPoint::KvPoint() = default;

KvPoint::KvPoint(LONG x, LONG y) : x(x & 0xFFFF), y(y & 0xFFFF) {}

KvPoint::~KvPoint() = default;

BOOL KvPoint::GetCursorPos()
{
    POINT point{x, y};
    const BOOL result = ::GetCursorPos(&point);
    x = point.x;
    y = point.y;
    return result;
}
