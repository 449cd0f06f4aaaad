#pragma once
// KvPropertySheet: the object of a property sheet. Run completes the caller's
// header with the sheet callback, which binds this object to the sheet
// window at PSCB_INITIALIZED and subclasses it with DialogProc; the sheet's
// own procedure (saved here) still decides every answer.
#include "framework/KvDialog.h"

#include <commctrl.h>
#include <prsht.h>

class KvPropertySheet : public KvDialog {
public:
    KvPropertySheet();
    ~KvPropertySheet() override;

    // Sheet callback: PSCB_PRECREATE, with the sheet's dialog template.
    virtual int OnPreCreate(LPARAM dialogTemplate);
    // Sheet callback: PSCB_INITIALIZED, after binding and subclassing.
    virtual int OnInitialized();
    virtual LRESULT OnQueryCancel(PSHNOTIFY* notify);

    // Forwards to the sheet's own procedure once it is saved, else 0. After
    // a page selection by request (PSM_SETCURSEL, PSM_SETCURSELID) the focus
    // moves to the shown page when it was left on a hidden one.
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // PSN_QUERYCANCEL to OnQueryCancel; any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    // PropertySheetA's answers that are no window handle: failure, and the
    // requests to restart Windows or the machine that a page may make.
    static constexpr INT_PTR kFailed = -1;
    static constexpr INT_PTR kRestartWindows = ID_PSRESTARTWINDOWS;
    static constexpr INT_PTR kRebootSystem = ID_PSREBOOTSYSTEM;

    // PropertySheetA with PSH_USECALLBACK and the sheet callback added. Any
    // other result is stored as the handle.
    INT_PTR Run(PROPSHEETHEADERA* header);
    HWND GetTabControl();
    WNDPROC GetSheetProcedure() const { return sheetProcedure_; }

    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM parameter);

private:
    // A focus on a window the user cannot see (a control of a page that is
    // no longer shown) goes to the first tab stop of the current page, or
    // to the tab control when the page has none.
    void KeepFocusOnShownPage(HWND window);

    WNDPROC sheetProcedure_ = nullptr;
};
