#include "framework/KvEdit.h"

KvEdit::KvEdit() : KvControl(0, "Edit", "KVSDK_Edit") {}

KvEdit::KvEdit(HWND window) : KvControl(window, 0, "Edit", "KVSDK_Edit") {}

KvEdit::~KvEdit() = default;

LRESULT KvEdit::OnEnVScroll(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnUpdate(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnSetFocus(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnMaxText(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnKillFocus(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnHScroll(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnErrSpace(WPARAM, UINT, LPARAM) { return 0; }
LRESULT KvEdit::OnEnChange(WPARAM, UINT, LPARAM) { return 0; }

LRESULT KvEdit::OnOtherMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The edit's own messages (WM_KEYDOWN is 0x100, like EN_SETFOCUS) never
    // count as notifications: only the reflected command does.
    if (message != kReflectedCommand) return 0;
    const UINT code = KvHigh16(wParam);
    LRESULT result = 0;
    switch (code) {
    case EN_SETFOCUS: result = OnEnSetFocus(wParam, code, lParam); break;
    case EN_KILLFOCUS: result = OnEnKillFocus(wParam, code, lParam); break;
    case EN_CHANGE: result = OnEnChange(wParam, code, lParam); break;
    case EN_UPDATE: result = OnEnUpdate(wParam, code, lParam); break;
    case EN_ERRSPACE: result = OnEnErrSpace(wParam, code, lParam); break;
    case EN_MAXTEXT: result = OnEnMaxText(wParam, code, lParam); break;
    case EN_HSCROLL: result = OnEnHScroll(wParam, code, lParam); break;
    case EN_VSCROLL: result = OnEnVScroll(wParam, code, lParam); break;
    default: return 0;
    }
    return result ? 1 : 0;
}
