#pragma once
// KvPoint: a point. Built from two values of a packed message parameter it
// keeps the low 16 bits of each, zero-extended: (-1, 5) holds (65535, 5).
#include <windows.h>

class KvPoint {
public:
    KvPoint();
    KvPoint(LONG x, LONG y);
    virtual ~KvPoint();

    BOOL GetCursorPos();

    LONG x = 0;
    LONG y = 0;
};
