#include "framework/KvRect.h"

KvRect::KvRect() = default;
KvRect::~KvRect() = default;

void KvRect::Take(const RECT& rect)
{
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
}

BOOL KvRect::GetClientRect(HWND window)
{
    RECT rect{left, top, right, bottom};
    const BOOL result = ::GetClientRect(window, &rect);
    Take(rect);
    return result;
}

BOOL KvRect::GetWindowRect(HWND window)
{
    RECT rect{left, top, right, bottom};
    const BOOL result = ::GetWindowRect(window, &rect);
    Take(rect);
    return result;
}
