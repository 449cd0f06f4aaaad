#pragma once
// KvMessage: the message of a message loop. The loop reads `msg` directly.
#include <windows.h>

class KvMessage {
public:
    KvMessage();
    virtual ~KvMessage();

    // GetMessageA: nonzero until the quit message (-1 on error).
    BOOL GetMessage(HWND window, UINT first, UINT last);
    BOOL TranslateMessage();
    LRESULT DispatchMessage();

    MSG msg{};
};
