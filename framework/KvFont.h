#pragma once
// KvFont: one font, owned: deleted by Delete or with the wrapper.
#include "framework/KvGdiObject.h"

class KvFont : public KvGdiObject {
public:
    KvFont();
    ~KvFont() override;

    [[nodiscard]] HFONT Create(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
    BOOL Delete() override;
    HFONT GetHandle() const { return font_; }

private:
    HFONT font_ = nullptr;
};
