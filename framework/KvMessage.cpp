#include "framework/KvMessage.h"

KvMessage::KvMessage() = default;
KvMessage::~KvMessage() = default;

BOOL KvMessage::GetMessage(HWND window, UINT first, UINT last)
{
    return ::GetMessageA(&msg, window, first, last);
}

BOOL KvMessage::TranslateMessage() { return ::TranslateMessage(&msg); }

LRESULT KvMessage::DispatchMessage() { return ::DispatchMessageA(&msg); }
