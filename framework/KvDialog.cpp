#include "framework/KvDialog.h"

KvDialog::KvDialog() = default;
KvDialog::~KvDialog() = default;

LRESULT KvDialog::OnPreInitDialog() { return 0; }
LRESULT KvDialog::OnInitDialog() { return 0; }

LRESULT KvDialog::OnClose()
{
    EndDialog(0);
    return 1;
}

INT_PTR KvDialog::RunModal(HINSTANCE instance, LPCSTR dialogTemplate, HWND parent)
{
    return DialogBoxParamA(instance, dialogTemplate, parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL KvDialog::EndDialog(INT_PTR result) { return ::EndDialog(GetHandle(), result); }

HWND KvDialog::GetDlgItem(int id) const { return ::GetDlgItem(GetHandle(), id); }

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    KvWindow* object = KvWindow::FindWindowObject(window);
    if (!object) object = KvWindow::BindPendingWindow(window);

    if (message == WM_INITDIALOG) {
        if (!object) {
            // The parameter is taken as a dialog object only when it is one
            // that lives: a page's or a foreign dialog's parameter is not.
            KvWindow* candidate = reinterpret_cast<KvWindow*>(lParam);
            if (KvWindow::IsRegistered(candidate)) {
                object = candidate;
                object->SetHandle(window);
            }
        }
        KvDialog* dialog = dynamic_cast<KvDialog*>(object);
        if (!dialog) return 0;
        dialog->OnPreInitDialog();
        return dialog->OnInitDialog();
    }

    if (!object) return 0;
    object->Dispatch(window, message, wParam, lParam);
    INT_PTR result = 0;
    if (KvWindow::IsRegistered(object)) result = object->OnOtherMessage(window, message, wParam, lParam);
    KvForgetDestroyedWindow(object, window, message);
    return result;
}
