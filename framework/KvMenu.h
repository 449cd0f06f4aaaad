#pragma once
// KvMenu: a menu handle. A menu this wrapper made with CreatePopupMenu is
// destroyed with the wrapper (after tracking it has no other holder) unless
// it was handed on with Detach; an attached menu is never destroyed.
#include <windows.h>

class KvMenu {
public:
    KvMenu();
    explicit KvMenu(HMENU menu);
    virtual ~KvMenu();
    KvMenu(const KvMenu&) = delete;
    KvMenu& operator=(const KvMenu&) = delete;

    HMENU GetHandle() const { return menu_; }
    HMENU CreatePopupMenu();
    BOOL TrackPopupMenu(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
    DWORD CheckMenuItem(UINT item, UINT flags);
    // Gives up the menu without destroying it; returns the handle.
    HMENU Detach();

private:
    HMENU menu_ = nullptr;
    bool owned_ = false;
};
