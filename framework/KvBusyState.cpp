#include "framework/KvBusyState.h"

KvBusyState::KvBusyState(HWND window)
    : window_(window), tookCapture_(window && ::GetCapture() != window), previousCursor_(nullptr)
{
    if (tookCapture_) ::SetCapture(window);
    previousCursor_ = ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

KvBusyState::~KvBusyState()
{
    ::SetCursor(previousCursor_);
    if (tookCapture_ && ::GetCapture() == window_) ::ReleaseCapture();
}
