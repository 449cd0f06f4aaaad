// Superclass registration, ControlProc's order (the system first), controls
// whose object is gone, the thin operations and the font.
#include "TestWindows.h"

#include "framework/KvButton.h"
#include "framework/KvEdit.h"
#include "framework/KvFont.h"
#include "framework/KvListView.h"
#include "framework/KvStatusBar.h"
#include "framework/KvTabControl.h"
#include "framework/KvToolbar.h"
#include "framework/KvTreeView.h"

#include <gtest/gtest.h>

#include <memory>

using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

WNDPROC SystemProcedure(const char* systemClass)
{
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    GetClassInfoExA(GetModuleHandleA(nullptr), systemClass, &description);
    return description.lpfnWndProc;
}

}  // namespace

TEST(Superclass, EachControlRegistersItsClassUnderItsOwnName)
{
    std::vector<std::unique_ptr<KvControl>> controls;
    controls.emplace_back(new KvEdit);
    controls.emplace_back(new KvToolbar);
    controls.emplace_back(new KvButton);
    controls.emplace_back(new KvStatusBar);
    controls.emplace_back(new KvTabControl);
    controls.emplace_back(new KvListView);
    controls.emplace_back(new KvTreeView);
    const char* systemClasses[] = {"Edit", "ToolbarWindow32", "Button", "msctls_statusbar32",
                                   "SysTabControl32", "SysListView32", "SysTreeView32"};
    const char* names[] = {"KVSDK_Edit", "KVSDK_ToolbarWindow32", "KVSDK_Button",
                           "KVSDK_msctls_statusbar32", "KVsdkTabControl32", "KVsdkListView32",
                           "KVsdkTreeView32"};
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(names[i], controls[i]->GetSuperclassName());
        WNDCLASSEXA system{}, ours{};
        system.cbSize = ours.cbSize = sizeof ours;
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), systemClasses[i], &system));
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), names[i], &ours));
        EXPECT_EQ(system.lpfnWndProc, controls[i]->GetSystemProcedure());
        EXPECT_EQ(reinterpret_cast<WNDPROC>(ControlProc), ours.lpfnWndProc);
        EXPECT_EQ(system.cbWndExtra, ours.cbWndExtra);
        EXPECT_EQ(system.cbClsExtra, ours.cbClsExtra);
        EXPECT_EQ(system.hCursor, ours.hCursor);
    }
}

TEST(Superclass, SecondConstructionCapturesTheSameProcedureSilently)
{
    KvButton first;
    KvButton second;
    EXPECT_EQ(SystemProcedure("Button"), first.GetSystemProcedure());
    EXPECT_EQ(first.GetSystemProcedure(), second.GetSystemProcedure());
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    EXPECT_NE(nullptr, second.Create(0, "OK", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20,
                                     parent.GetHandle(), (HMENU)1, GetModuleHandleA(nullptr), nullptr));
}

namespace {

// Reads what the edit holds when its object's operations run.
struct WatchingEdit : KvEdit {
    std::string textAtChar;
    LRESULT OnChar(WPARAM, LPARAM) override
    {
        textAtChar = GetText();
        return 1;  // handled: yet the edit's own answer stands
    }
    LRESULT OnOtherMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) override
    {
        if (m == WM_GETTEXTLENGTH) return 1234;
        return KvEdit::OnOtherMessage(w, m, wp, lp);
    }
};

}  // namespace

TEST(ControlProc, SystemProcedureRunsFirstAndDecidesTheAnswer)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    WatchingEdit edit;
    HWND window = edit.Create(0, "ab", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.GetHandle(),
                              (HMENU)5, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, edit.GetHandle());
    SendMessageA(window, EM_SETSEL, 2, 2);
    SendMessageA(window, WM_CHAR, 'c', 1);
    EXPECT_EQ("abc", edit.textAtChar);
    EXPECT_EQ(3, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    // Japanese text through the superclass.
    SetWindowTextA(window, "日本語");
    EXPECT_EQ("日本語", fwtest::TextOf(window));
}

TEST(ControlProc, ControlWhoseObjectIsDeletedGetsOnlyTheDefaultProcedure)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    auto edit = std::make_unique<KvEdit>();
    HWND window = edit->Create(0, "", WS_CHILD, 0, 0, 100, 20, parent.GetHandle(), (HMENU)5,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(0, SendMessageA(window, EM_GETLIMITTEXT, 0, 0));
    edit.reset();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(0, SendMessageA(window, EM_GETLIMITTEXT, 0, 0));
}

TEST(ControlProc, SuperclassWindowWithoutObjectNeverReachesATemporary)
{
    KvEdit registration;
    struct Sender : KvWindow {
        LRESULT limit = -1;
        LRESULT OnCommand(UINT, UINT, KvWindow* control) override
        {
            // The temporary carries the handle; the control must not take it
            // for its own object.
            limit = control->SendMessage(EM_GETLIMITTEXT, 0, 0);
            return 1;
        }
    } parent;
    WindowGuard guard(Parent(parent));
    HWND bare = CreateWindowExA(0, "KVSDK_Edit", "", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(),
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, bare);
    SendMessageA(parent.GetHandle(), WM_COMMAND, MAKEWPARAM(1, 0), (LPARAM)bare);
    EXPECT_EQ(0, parent.limit);
}

TEST(Toolbar, StateIsCutToSixteenBitsAndButtonsWork)
{
    struct Seen : KvToolbar {
        LPARAM lastState = -1;
        LRESULT OnOtherMessage(HWND, UINT m, WPARAM, LPARAM l) override
        {
            if (m == TB_SETSTATE) lastState = l;
            return 0;
        }
    } toolbar;
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    ASSERT_NE(nullptr, toolbar.Create(0, "", WS_CHILD | TBSTYLE_FLAT, 0, 0, 0, 0,
                                      parent.GetHandle(), (HMENU)70, GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(0, toolbar.ButtonStructSize(sizeof(TBBUTTON)));
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 101;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = BTNS_CHECK;
    buttons[1].idCommand = 102;
    buttons[1].fsStyle = BTNS_BUTTON;
    EXPECT_EQ(1, toolbar.AddButtons(2, buttons));
    TBBUTTON inserted{};
    inserted.idCommand = 100;
    inserted.fsState = TBSTATE_ENABLED;
    EXPECT_EQ(1, toolbar.InsertButton(0, &inserted));
    EXPECT_EQ(3, toolbar.SendMessage(TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(1, toolbar.SetState(101, 0x10000 | TBSTATE_ENABLED | TBSTATE_CHECKED));
    EXPECT_EQ(TBSTATE_ENABLED | TBSTATE_CHECKED, toolbar.lastState);
    EXPECT_EQ(TBSTATE_ENABLED | TBSTATE_CHECKED, toolbar.GetState(101));
    EXPECT_EQ(0, toolbar.GetState(102));
    EXPECT_EQ(-1, toolbar.GetState(999));
}

TEST(Font, TheWrapperDeletesTheFontItHolds)
{
    HFONT first = nullptr, kept = nullptr;
    {
        KvFont font;
        first = font.Create(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "FixedSys");
        ASSERT_NE(nullptr, first);
        EXPECT_TRUE(font.Delete());
        EXPECT_EQ(nullptr, font.GetHandle());
        EXPECT_EQ(0u, GetObjectType(first));
        kept = font.Create(12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(kept));
    }
    EXPECT_EQ(0u, GetObjectType(kept));
}
