#include "framework/KvPropertyPage.h"

KvPropertyPage::KvPropertyPage() = default;
KvPropertyPage::~KvPropertyPage() = default;

LRESULT KvPropertyPage::OnWizNext(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnWizFinish(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnWizBack(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnSetActive(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnReset(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnKillActive(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnHelp(PSHNOTIFY*) { return 0; }
LRESULT KvPropertyPage::OnApply(PSHNOTIFY*) { return 0; }
UINT KvPropertyPage::OnPageRelease(PROPSHEETPAGEA*) { return 1; }
UINT KvPropertyPage::OnPageCreate(PROPSHEETPAGEA*) { return 1; }

LRESULT KvPropertyPage::OnPreInitDialog()
{
    sheet_ = FindWindowObject(GetParent());
    return 1;
}

LRESULT KvPropertyPage::OnNotify(WPARAM, NMHDR* header)
{
    if (!header) return 0;
    PSHNOTIFY* notify = reinterpret_cast<PSHNOTIFY*>(header);
    switch (header->code) {
    case PSN_SETACTIVE: return OnSetActive(notify);
    case PSN_KILLACTIVE: return OnKillActive(notify);
    case PSN_APPLY: return OnApply(notify);
    case PSN_RESET: return OnReset(notify);
    case PSN_HELP: return OnHelp(notify);
    case PSN_WIZBACK: return OnWizBack(notify);
    case PSN_WIZNEXT: return OnWizNext(notify);
    case PSN_WIZFINISH: return OnWizFinish(notify);
    default: return 0;
    }
}

void KvPropertyPage::SetModified()
{
    const HWND sheet = GetParent();
    if (sheet) ::SendMessageA(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(GetHandle()), 0);
}

HPROPSHEETPAGE KvPropertyPage::CreatePage(PROPSHEETPAGEA* page)
{
    page->pfnDlgProc = DialogProc;
    page->pfnCallback = PageCallback;
    page->dwFlags |= PSP_USECALLBACK;
    page->lParam = reinterpret_cast<LPARAM>(this);
    page_ = CreatePropertySheetPageA(page);
    return page_;
}

UINT CALLBACK KvPropertyPage::PageCallback(HWND, UINT message, PROPSHEETPAGEA* page)
{
    // The page handle can outlive its object (a page never shown is released
    // when the sheet goes, or whenever its holder destroys it).
    KvWindow* registered = page ? reinterpret_cast<KvWindow*>(page->lParam) : nullptr;
    KvPropertyPage* object =
        KvWindow::IsRegistered(registered) ? dynamic_cast<KvPropertyPage*>(registered) : nullptr;
    switch (message) {
    case PSPCB_RELEASE:
        return object ? object->OnPageRelease(page) : 1;
    case PSPCB_CREATE: {
        if (!object) return 0;
        KvWindow::SetPendingWindow(object);
        const UINT result = object->OnPageCreate(page);
        // A refused page gets no dialog, so nothing would take the slot.
        if (!result && KvWindow::PendingWindow() == object) KvWindow::SetPendingWindow(nullptr);
        return result;
    }
    default:
        return 1;
    }
}
