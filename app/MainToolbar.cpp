#include "app/MainToolbar.h"

#include "app/settings/Settings.h"
#include "framework/KvApplication.h"
#include "resources/resource.h"

LRESULT MainToolbar::OnCreate(CREATESTRUCTA*)
{
    ButtonStructSize(sizeof(TBBUTTON));
    TBADDBITMAP bitmap{KvApplication::GetInstanceHandle(), IDB_MAINTOOLBAR};
    AddBitmap(7, &bitmap);

    const uint32_t flags = GetSettings().ShowWindowFlag;
    auto pressed = [flags](uint32_t bit) -> BYTE {
        return BYTE(TBSTATE_ENABLED | ((flags & bit) ? TBSTATE_CHECKED : 0));
    };
    const TBBUTTON buttons[] = {
        {0, IDM_BACK, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {1, IDM_FORWARD, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {2, IDM_UP, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {3, IDM_TREEVIEW, pressed(ShowWindowFlags::kTree), BTNS_CHECK, {}, 0, 0},
        {4, IDM_DATAVIEW, pressed(ShowWindowFlags::kDataView), BTNS_CHECK, {}, 0, 0},
        {5, IDM_STATUSBAR, pressed(ShowWindowFlags::kStatusBar), BTNS_CHECK, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {6, IDM_MIDIONLY, pressed(ShowWindowFlags::kMidiOnly), BTNS_CHECK, {}, 0, 0},
    };
    for (size_t i = 0; i < sizeof buttons / sizeof buttons[0]; ++i) InsertButton(i, &buttons[i]);
    return 0;
}
