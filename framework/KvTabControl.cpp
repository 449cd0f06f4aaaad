#include "framework/KvTabControl.h"

KvTabControl::KvTabControl() : KvControl(ICC_TAB_CLASSES, "SysTabControl32", "KVsdkTabControl32") {}

KvTabControl::KvTabControl(HWND window)
    : KvControl(window, ICC_TAB_CLASSES, "SysTabControl32", "KVsdkTabControl32")
{
}

KvTabControl::~KvTabControl() = default;

LRESULT KvTabControl::OnSelChanging(NMHDR*) { return 0; }
LRESULT KvTabControl::OnSelChange(NMHDR*) { return 0; }
LRESULT KvTabControl::OnTabKeyDown(NMHDR*) { return 0; }

LRESULT KvTabControl::OnNotify(WPARAM, NMHDR* header)
{
    if (!header) return 0;
    switch (header->code) {
    case TCN_SELCHANGING: return OnSelChanging(header);
    case TCN_SELCHANGE: return OnSelChange(header);
    case TCN_KEYDOWN: return OnTabKeyDown(header);
    default: return 0;
    }
}

LRESULT KvTabControl::GetCurSel() { return SendMessage(TCM_GETCURSEL, 0, 0); }
