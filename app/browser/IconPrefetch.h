#pragma once
// IconPrefetch: the shell's icons that every start draws in the tree (those of
// the desktop's folders, open and closed, and of a plain folder) asked for on
// a thread of their own, while the window thread lists the first folder. Wine
// takes about 20 ms to bring each of them into the system image list the
// first time; the tree then finds them there. The thread touches nothing of
// the program's own; the object waits for it at its end (two seconds at most).
#include <windows.h>

class IconPrefetch {
public:
    IconPrefetch();
    ~IconPrefetch();
    IconPrefetch(const IconPrefetch&) = delete;
    IconPrefetch& operator=(const IconPrefetch&) = delete;

private:
    static DWORD WINAPI Fetch(LPVOID);

    HANDLE thread_ = nullptr;
};
