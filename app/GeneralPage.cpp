#include "app/GeneralPage.h"

#include "app/MainWindow.h"
#include "app/settings/Settings.h"
#include "framework/KvButton.h"
#include "resources/resource.h"

GeneralPage::GeneralPage() = default;

GeneralPage::~GeneralPage() = default;

LRESULT GeneralPage::OnInitDialog()
{
    realTimeBox = std::make_unique<KvButton>(GetDlgItem(IDC_REALTIME));
    realTimeBox->SetCheck(GetSettings().RealTimeEncode ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

LRESULT GeneralPage::OnCommand(UINT code, UINT id, KvWindow*)
{
    if (id == IDC_REALTIME && code == BN_CLICKED) SetModified();
    return 1;
}

LRESULT GeneralPage::OnApply(PSHNOTIFY*)
{
    if (realTimeBox) GetSettings().RealTimeEncode = realTimeBox->GetCheck() == BST_CHECKED ? 1 : 0;
    if (MainWindow* main = GetMainWindow()) main->OptionsApplied();
    return 1;
}

UINT GeneralPage::OnPageRelease(PROPSHEETPAGEA*)
{
    realTimeBox.reset();
    return 1;
}
