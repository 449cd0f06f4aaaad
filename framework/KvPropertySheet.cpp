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
    return CallWindowProcA(sheetProcedure_, window, message, wParam, lParam);
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
    if (result != -1 && result != 2 && result != 3) SetHandle(reinterpret_cast<HWND>(result));
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
