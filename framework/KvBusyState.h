#pragma once
// KvBusyState: marks long work on the window thread for as long as the object
// lives: the mouse is captured for one window (so clicks during the work go
// nowhere else) and the wait cursor shows. Leaving, it puts the cursor back
// and releases a capture it took; inside another busy state of the same
// window it leaves that one's capture alone.
#include <windows.h>

class KvBusyState {
public:
    explicit KvBusyState(HWND window);
    ~KvBusyState();
    KvBusyState(const KvBusyState&) = delete;
    KvBusyState& operator=(const KvBusyState&) = delete;

private:
    HWND window_;
    bool tookCapture_;
    HCURSOR previousCursor_;
};
