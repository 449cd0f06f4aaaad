#include "framework/KvMenu.h"

KvMenu::KvMenu() = default;

KvMenu::KvMenu(HMENU menu) : menu_(menu) {}

KvMenu::~KvMenu()
{
    if (owned_ && menu_) DestroyMenu(menu_);
}

HMENU KvMenu::CreatePopupMenu()
{
    if (owned_ && menu_) DestroyMenu(menu_);
    menu_ = ::CreatePopupMenu();
    owned_ = menu_ != nullptr;
    return menu_;
}

BOOL KvMenu::TrackPopupMenu(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect)
{
    return ::TrackPopupMenu(menu_, flags, x, y, reserved, owner, rect);
}

DWORD KvMenu::CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(menu_, item, flags); }

HMENU KvMenu::Detach()
{
    HMENU menu = menu_;
    menu_ = nullptr;
    owned_ = false;
    return menu;
}
