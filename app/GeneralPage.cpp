#include "app/GeneralPage.h"

#include "app/settings/Settings.h"
#include "framework/KvButton.h"
#include "resources/resource.h"

GeneralPage::GeneralPage() = default;

GeneralPage::~GeneralPage()
{
    delete realTimeBox;
}

LRESULT GeneralPage::OnInitDialog()
{
    delete realTimeBox;
    realTimeBox = new KvButton(GetDlgItem(IDC_REALTIME));
    realTimeBox->SetCheck(GetSettings().RealTimeEncode ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

LRESULT GeneralPage::OnApply(PSHNOTIFY*)
{
    if (realTimeBox) GetSettings().RealTimeEncode = realTimeBox->GetCheck() == BST_CHECKED ? 1 : 0;
    return 1;
}

UINT GeneralPage::OnPageRelease(PROPSHEETPAGEA*)
{
    delete realTimeBox;
    realTimeBox = nullptr;
    return 1;
}
