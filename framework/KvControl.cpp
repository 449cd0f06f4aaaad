#include "framework/KvControl.h"

#include "framework/KvApplication.h"

#include <cstring>

KvControl::KvControl(DWORD groups, LPCSTR systemClass, LPCSTR newClass)
{
    RegisterSuperclass(groups, systemClass, newClass);
}

KvControl::KvControl(HWND window, DWORD groups, LPCSTR systemClass, LPCSTR newClass)
    : KvWindow(window)
{
    RegisterSuperclass(groups, systemClass, newClass);
}

KvControl::~KvControl() = default;

void KvControl::RegisterSuperclass(DWORD groups, LPCSTR systemClass, LPCSTR newClass)
{
    if (groups) {
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = groups;
        InitCommonControlsEx(&init);
    }
    std::strncpy(className_, newClass, sizeof className_ - 1);
    className_[sizeof className_ - 1] = '\0';

    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    if (!GetClassInfoExA(instance, systemClass, &description)) return;
    systemProcedure_ = description.lpfnWndProc;
    description.cbSize = sizeof description;
    description.lpfnWndProc = ControlProc;
    description.hInstance = instance;
    description.lpszClassName = className_;
    // A second registration of the same name fails without effect.
    RegisterClassExA(&description);
}

HWND KvControl::Create(DWORD exStyle, LPCSTR windowName, DWORD style, int x, int y, int width,
                       int height, HWND parent, HMENU id, HINSTANCE instance, LPVOID param)
{
    return KvWindow::Create(exStyle, className_, windowName, style, x, y, width, height, parent, id,
                            instance, param);
}

LRESULT KvControl::CallSystemProcedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) const
{
    if (!systemProcedure_) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(systemProcedure_, window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only a control object knows a system procedure; a plain window object
    // that happens to carry the handle (a dispatcher's temporary) counts as
    // no object.
    KvControl* control = dynamic_cast<KvControl*>(KvWindow::FindWindowObject(window));
    // The first message of a control made through Create binds the pending
    // object. That message too goes to the system procedure alone, whose
    // answer stands: a control that refuses its creation (WM_NCCREATE
    // answered 0) is then not made, and no default processing runs twice.
    if (!control && dynamic_cast<KvControl*>(KvWindow::PendingWindow()))
        control = static_cast<KvControl*>(KvWindow::BindPendingWindow(window));
    if (!control) return WindowProc(window, message, wParam, lParam);

    const LRESULT result = control->CallSystemProcedure(window, message, wParam, lParam);
    if (KvWindow::IsRegistered(control) && !control->Dispatch(window, message, wParam, lParam) &&
        KvWindow::IsRegistered(control)) {
        control->OnOtherMessage(window, message, wParam, lParam);
    }
    KvForgetDestroyedWindow(control, window, message);
    return result;
}
