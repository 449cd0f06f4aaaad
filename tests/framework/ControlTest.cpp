// ControlProc's order (the system first), the first message of a control,
// and controls whose object is gone or never was.
#include "TestWindows.h"

#include "framework/KvEdit.h"

#include <gtest/gtest.h>

#include <memory>

using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

HWND MakeIn(KvControl& control, KvWindow& parent)
{
    return control.Create(0, "ab", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.GetHandle(), (HMENU)5,
                          GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(ControlProc, SystemProcedureRunsFirstAndDecidesTheAnswer)
{
    struct WatchingEdit : KvEdit {
        std::string textAtChar;
        LRESULT OnChar(WPARAM, LPARAM) override { return textAtChar = GetText(), 1; }
        LRESULT OnOtherMessage(HWND, UINT m, WPARAM, LPARAM) override { return m == WM_GETTEXTLENGTH ? 1234 : 0; }
    } edit;
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    HWND window = MakeIn(edit, parent);
    ASSERT_EQ(window, edit.GetHandle());
    SendMessageA(window, EM_SETSEL, 2, 2);
    SendMessageA(window, WM_CHAR, 'c', 1);
    EXPECT_EQ("abc", edit.textAtChar);
    EXPECT_EQ(3, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

TEST(ControlProc, ControlWithoutLiveObjectGetsTheDefaultProcedureOnly)
{
    struct Sender : KvWindow {
        LRESULT limit = -1;
        // The temporary carries the handle; the control must not take it for its own object.
        LRESULT OnCommand(UINT, UINT, KvWindow* control) override
        {
            return limit = control->SendMessage(EM_GETLIMITTEXT, 0, 0), 1;
        }
    } parent;
    WindowGuard guard(Parent(parent));
    auto edit = std::make_unique<KvEdit>();
    HWND window = MakeIn(*edit, parent);
    ASSERT_NE(0, SendMessageA(window, EM_GETLIMITTEXT, 0, 0));
    edit.reset();
    EXPECT_EQ(0, SendMessageA(window, EM_GETLIMITTEXT, 0, 0));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(5, 0), (LPARAM)window);
    EXPECT_EQ(0, parent.limit);
}

TEST(ControlCreation, ControlTheSystemClassRefusesIsNotMadeAndNotPending)
{
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    // A system class that refuses every creation.
    description.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_NCCREATE) return FALSE;
        return DefWindowProcA(window, message, wParam, lParam);
    };
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "VelmoraTestChoosy";
    RegisterClassExA(&description);
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    KvControl control(0, "VelmoraTestChoosy", "KVSDK_VelmoraTestChoosy");
    EXPECT_EQ(nullptr, MakeIn(control, parent));
    EXPECT_EQ(nullptr, control.GetHandle());
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());
}
