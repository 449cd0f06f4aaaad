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

    // Forwards to the sheet's own procedure once it is saved, else 0.
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // PSN_QUERYCANCEL to OnQueryCancel; any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    // PropertySheetA with PSH_USECALLBACK and the sheet callback added. A
    // result other than -1, 2 or 3 is stored as the handle.
    INT_PTR Run(PROPSHEETHEADERA* header);
    HWND GetTabControl();
    WNDPROC GetSheetProcedure() const { return sheetProcedure_; }

    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM parameter);

private:
    WNDPROC sheetProcedure_ = nullptr;
};
