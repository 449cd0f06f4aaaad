#include "framework/KvPropertySheet.h"

namespace {

// The sheet whose PropertySheetA call is running. The pending-window slot
// also holds it, but a page being created takes that slot over, so the
// callback keeps its own reference.
KvPropertySheet* runningSheet = nullptr;

}  // namespace

KvPropertySheet::KvPropertySheet() = default;

KvPropertySheet::~KvPropertySheet()
{
    if (runningSheet == this) runningSheet = nullptr;
}

int KvPropertySheet::OnPreCreate(LPARAM) { return 0; }
int KvPropertySheet::OnInitialized() { return 0; }
LRESULT KvPropertySheet::OnQueryCancel(PSHNOTIFY*) { return 0; }

LRESULT KvPropertySheet::OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!sheetProcedure_) return 0;
    const LRESULT result = CallWindowProcA(sheetProcedure_, window, message, wParam, lParam);
    // Selecting a page by request hides the old page but leaves the focus
    // where it was. A focus inside a hidden page makes the dialog keyboard
    // search (mnemonics, Space) loop for ever, so it must not stay there.
    if (message == PSM_SETCURSEL || message == PSM_SETCURSELID) KeepFocusOnShownPage(window);
    return result;
}

void KvPropertySheet::KeepFocusOnShownPage(HWND window)
{
    const HWND focus = ::GetFocus();
    if (!focus || !::IsChild(window, focus) || ::IsWindowVisible(focus)) return;
    const HWND page = reinterpret_cast<HWND>(::SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND target = page ? ::GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
    if (!target || !::IsWindowVisible(target)) target = GetTabControl();
    if (target) ::SetFocus(target);
}

LRESULT KvPropertySheet::OnNotify(WPARAM, NMHDR* header)
{
    if (header && header->code == static_cast<UINT>(PSN_QUERYCANCEL)) {
        return OnQueryCancel(reinterpret_cast<PSHNOTIFY*>(header));
    }
    return 0;
}

INT_PTR KvPropertySheet::Run(PROPSHEETHEADERA* header)
{
    KvPropertySheet* outer = runningSheet;
    runningSheet = this;
    SetPendingWindow(this);
    sheetProcedure_ = nullptr;
    header->dwFlags |= PSH_USECALLBACK;
    header->pfnCallback = SheetCallback;
    const INT_PTR result = PropertySheetA(header);
    if (PendingWindow() == this) SetPendingWindow(nullptr);
    runningSheet = outer;
    if (result != kFailed && result != kRestartWindows && result != kRebootSystem)
        SetHandle(reinterpret_cast<HWND>(result));
    return result;
}

HWND KvPropertySheet::GetTabControl()
{
    return reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL, 0, 0));
}

int CALLBACK KvPropertySheet::SheetCallback(HWND window, UINT message, LPARAM parameter)
{
    KvPropertySheet* sheet = runningSheet;
    if (!sheet) return 0;
    switch (message) {
    case PSCB_INITIALIZED: {
        sheet->SetHandle(window);
        sheet->sheetProcedure_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogProc)));
        const int result = sheet->OnInitialized();
        ::SendMessageA(window, WM_INITDIALOG, 0, 0);
        return result;
    }
    case PSCB_PRECREATE:
        return sheet->OnPreCreate(parameter);
    default:
        return 0;
    }
}
