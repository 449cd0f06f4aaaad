#include "app/OptionsSheet.h"

#include "app/EncodePage.h"
#include "app/GeneralPage.h"
#include "app/settings/Settings.h"
#include "framework/KvApplication.h"
#include "resources/resource.h"

const char OptionsSheet::kCaption[] = "オプション";

OptionsSheet::OptionsSheet()
    : generalPage(std::make_unique<GeneralPage>()), encodePage(std::make_unique<EncodePage>())
{
}

OptionsSheet::~OptionsSheet() = default;

INT_PTR OptionsSheet::Show(HWND owner)
{
    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USEHICON;
    page.hInstance = instance;
    page.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_OPTIONS));
    page.pszTemplate = MAKEINTRESOURCEA(IDD_GENERALPAGE);
    HPROPSHEETPAGE pages[2];
    pages[0] = generalPage->CreatePage(&page);
    page.dwFlags = PSP_USEHICON;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_ENCODEPAGE);
    pages[1] = encodePage->CreatePage(&page);

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = 0;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = kCaption;
    header.nPages = 2;
    header.nStartPage = 0;
    header.phpage = pages;
    return Run(&header);
}

LRESULT OptionsSheet::OnInitDialog()
{
    // Posted: the sheet finishes its own start first, then selects the page.
    PostMessage(PSM_SETCURSEL, WPARAM(GetSettings().SelectedTab), 0);
    return TRUE;
}

LRESULT OptionsSheet::OnDestroy()
{
    const HWND tabs = GetTabControl();
    if (tabs) {
        const LRESULT current = ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
        if (current >= 0) GetSettings().SelectedTab = int32_t(current);
    }
    return 1;
}
