#include "framework/KvToolbar.h"

KvToolbar::KvToolbar() : KvControl(ICC_BAR_CLASSES, "ToolbarWindow32", "KVSDK_ToolbarWindow32") {}

KvToolbar::~KvToolbar() = default;

LRESULT KvToolbar::SetState(WPARAM id, UINT state)
{
    return SendMessage(TB_SETSTATE, id, static_cast<LPARAM>(state & 0xFFFF));
}

LRESULT KvToolbar::GetState(WPARAM id) { return SendMessage(TB_GETSTATE, id, 0); }

LRESULT KvToolbar::AddBitmap(WPARAM count, const TBADDBITMAP* bitmap)
{
    return SendMessage(TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(bitmap));
}

LRESULT KvToolbar::AddButtons(WPARAM count, const TBBUTTON* buttons)
{
    return SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons));
}

LRESULT KvToolbar::InsertButton(WPARAM index, const TBBUTTON* button)
{
    return SendMessage(TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(button));
}

LRESULT KvToolbar::ButtonStructSize(WPARAM size) { return SendMessage(TB_BUTTONSTRUCTSIZE, size, 0); }

bool KvToolbar::IsChecked(UINT id)
{
    const LRESULT state = GetState(id);
    return state != -1 && (state & TBSTATE_CHECKED);
}

void KvToolbar::SetChecked(UINT id, bool checked)
{
    const LRESULT state = GetState(id);
    if (state == -1) return;
    SetState(id, checked ? UINT(state) | TBSTATE_CHECKED : UINT(state) & ~UINT(TBSTATE_CHECKED));
}
