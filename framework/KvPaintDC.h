#pragma once
// KvPaintDC: one painting of a window, from BeginPaint at construction to
// EndPaint at destruction. Owns the paint structure; when EndPaint fails the
// context is still given back through KvDC's ReleaseDC.
#include "framework/KvDC.h"

class KvPaintDC : public KvDC {
public:
    explicit KvPaintDC(HWND window);
    ~KvPaintDC() override;

    HDC BeginPaint(HWND window);
    // 1 when painting ended (both handles cleared), else 0 (handles kept).
    int EndPaint();
    PAINTSTRUCT* GetPaintStruct() const { return paint_; }

private:
    PAINTSTRUCT* paint_ = nullptr;
};
