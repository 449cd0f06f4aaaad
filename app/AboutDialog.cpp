#include "app/AboutDialog.h"

LRESULT AboutDialog::OnInitDialog()
{
    MessageBeep(MB_ICONASTERISK);
    return TRUE;  // the dialog gives the focus to its default button
}

LRESULT AboutDialog::OnCommand(UINT, UINT id, KvWindow*)
{
    if (id == IDOK) EndDialog(1);
    return 1;
}
