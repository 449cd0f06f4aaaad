#include "framework/KvFont.h"

KvFont::KvFont() = default;

KvFont::~KvFont()
{
    if (font_) Delete();
}

HFONT KvFont::Create(int height, int width, int escapement, int orientation, int weight,
                     DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                     DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                     DWORD pitchAndFamily, LPCSTR faceName)
{
    // A font held before would be lost without its handle.
    if (font_) Delete();
    font_ = CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                        strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily,
                        faceName);
    return font_;
}

BOOL KvFont::Delete()
{
    const BOOL result = DeleteObject(font_);
    font_ = nullptr;
    return result;
}
