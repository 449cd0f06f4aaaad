#pragma once
// KvDialog: the object of a dialog made from a template, driven through
// DialogProc. Bound at WM_INITDIALOG (or at its first message when pending).
#include "framework/KvWindow.h"

class KvDialog : public KvWindow {
public:
    KvDialog();
    ~KvDialog() override;

    // At WM_INITDIALOG: OnPreInitDialog first (result ignored), then
    // OnInitDialog, whose result is the dialog's answer.
    virtual LRESULT OnPreInitDialog();
    virtual LRESULT OnInitDialog();

    // Ends the dialog with result 0.
    LRESULT OnClose() override;

    // DialogBoxParamA with this object as the initialisation parameter.
    INT_PTR RunModal(HINSTANCE instance, LPCSTR dialogTemplate, HWND parent);
    BOOL EndDialog(INT_PTR result);
    HWND GetDlgItem(int id) const;
};

// The dialog procedure of dialogs, property pages and the subclassed sheet.
// Handlers never decide the answer by their return value: a handler that
// must answer stores it with SetWindowLong(DWLP_MSGRESULT, value).
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
