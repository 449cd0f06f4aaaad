#pragma once
// KvPropertyPage: the object of one page of a property sheet. CreatePage
// makes the page with DialogProc and the page callback, which makes the
// object pending when the sheet creates the page's dialog.
#include "framework/KvDialog.h"

#include <commctrl.h>
#include <prsht.h>

class KvPropertyPage : public KvDialog {
public:
    KvPropertyPage();
    ~KvPropertyPage() override;

    virtual LRESULT OnWizNext(PSHNOTIFY* notify);
    virtual LRESULT OnWizFinish(PSHNOTIFY* notify);
    virtual LRESULT OnWizBack(PSHNOTIFY* notify);
    virtual LRESULT OnSetActive(PSHNOTIFY* notify);
    virtual LRESULT OnReset(PSHNOTIFY* notify);
    virtual LRESULT OnKillActive(PSHNOTIFY* notify);
    virtual LRESULT OnHelp(PSHNOTIFY* notify);
    virtual LRESULT OnApply(PSHNOTIFY* notify);
    // Page callback: PSPCB_RELEASE; default 1.
    virtual UINT OnPageRelease(PROPSHEETPAGEA* page);
    // Page callback: PSPCB_CREATE; nonzero (default) lets the page be made.
    virtual UINT OnPageCreate(PROPSHEETPAGEA* page);

    // Records the sheet object (the parent window's); returns 1.
    LRESULT OnPreInitDialog() override;
    // The page notifications to their operations; any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    // Completes the caller's description (dialog procedure, callback,
    // PSP_USECALLBACK, this object as lParam) and makes the page.
    HPROPSHEETPAGE CreatePage(PROPSHEETPAGEA* page);

    // Tells the sheet that the user changed something on this page, which
    // makes its Apply button available (PSM_CHANGED).
    void SetModified();

    HPROPSHEETPAGE GetPageHandle() const { return page_; }
    KvWindow* GetSheet() const { return sheet_; }

    static UINT CALLBACK PageCallback(HWND window, UINT message, PROPSHEETPAGEA* page);

private:
    HPROPSHEETPAGE page_ = nullptr;
    KvWindow* sheet_ = nullptr;
};
