// The first message of a control made through Create: the system class's
// answer stands.
#include "TestWindows.h"

#include "framework/KvControl.h"

#include <gtest/gtest.h>

namespace {

// A system class that accepts or refuses its creation as the parameter says.
LRESULT CALLBACK Choosy(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create->lpCreateParams) return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* ChoosyClass()
{
    static const char* name = [] {
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = Choosy;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "VelmoraTestChoosy";
        RegisterClassExA(&description);
        return "VelmoraTestChoosy";
    }();
    return name;
}

}  // namespace

TEST(ControlCreation, SystemClassDecidesWhetherTheControlIsMade)
{
    KvWindow parent;
    fwtest::WindowGuard guard(parent.Create(0, fwtest::FrameClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse);
        KvControl control(0, ChoosyClass(), "KVSDK_VelmoraTestChoosy");
        const HWND window = control.Create(0, "", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(), nullptr,
                                           GetModuleHandleA(nullptr), refuse ? &control : nullptr);
        EXPECT_EQ(!refuse, window != nullptr);
        EXPECT_EQ(window, control.GetHandle());
        EXPECT_EQ(nullptr, KvWindow::PendingWindow());
        if (window) DestroyWindow(window);
    }
}
