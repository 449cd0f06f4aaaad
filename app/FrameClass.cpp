#include "app/FrameClass.h"

#include "framework/KvApplication.h"
#include "framework/KvWindow.h"
#include "resources/resource.h"

ATOM RegisterFrameClass(const char* name, HICON icon, HICON smallIcon, LPCSTR cursor)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = sizeof(LONG_PTR);  // the answer of a handled message
    wc.hInstance = KvApplication::GetInstanceHandle();
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc);
}
