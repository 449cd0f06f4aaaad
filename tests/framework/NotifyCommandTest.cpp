// WM_NOTIFY's answer and its reflection to the sending control's object, and
// the reflection of command notifications to an edit's object.
#include "TestWindows.h"

#include "framework/KvEdit.h"

#include <gtest/gtest.h>

using fwtest::FrameClass;
using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

struct Notified : KvWindow {
    using KvWindow::KvWindow;
    LRESULT answer = 0;
    int calls = 0;
    NMHDR* seen = nullptr;
    LRESULT OnNotify(WPARAM, NMHDR* header) override
    {
        ++calls;
        seen = header;
        return answer;
    }
};

}  // namespace

TEST(Notify, ParentAnswerBecomesOneAndStopsReflection)
{
    Notified parent, child;
    WindowGuard guard(Parent(parent));
    Parent(child, parent.GetHandle());
    NMHDR header{child.GetHandle(), 12, static_cast<UINT>(-999)};
    parent.answer = 5;
    child.answer = 77;
    EXPECT_EQ(1, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 12, (LPARAM)&header));
    EXPECT_EQ(0, child.calls);
    EXPECT_EQ(&header, parent.seen);
}

TEST(Notify, UnhandledNotificationIsAnsweredByTheSendersObject)
{
    Notified parent, child;
    WindowGuard guard(Parent(parent));
    Parent(child, parent.GetHandle());
    NMHDR header{child.GetHandle(), 12, static_cast<UINT>(-999)};
    child.answer = 77;
    EXPECT_EQ(77, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 12, (LPARAM)&header));
    EXPECT_EQ(1, parent.calls);
    EXPECT_EQ(1, child.calls);
    EXPECT_EQ(&header, child.seen);
    // Through the window procedure the reflected answer counts as handled.
    child.answer = -3;
    EXPECT_EQ(0, SendMessageA(parent.GetHandle(), WM_NOTIFY, 12, (LPARAM)&header));
    EXPECT_EQ(2, child.calls);
}

TEST(Notify, SenderWithoutObjectOrHeaderGivesZero)
{
    Notified parent;
    WindowGuard guard(Parent(parent));
    HWND orphan = fwtest::RawWindow(FrameClass(), parent.GetHandle());
    NMHDR header{orphan, 1, static_cast<UINT>(-999)};
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 1, (LPARAM)&header));
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 1, 0));
    EXPECT_EQ(nullptr, parent.seen);
    // A window notifying itself is asked once.
    NMHDR self{parent.GetHandle(), 1, static_cast<UINT>(-999)};
    parent.calls = 0;
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 1, (LPARAM)&self));
    EXPECT_EQ(1, parent.calls);
}

namespace {

struct RecordingEdit : KvEdit {
    std::vector<std::string> log;
    LRESULT answer = 0;
    LRESULT Note(const char* name, WPARAM w, UINT code, LPARAM l)
    {
        log.push_back(std::string(name) + " " + std::to_string(LOWORD(w)) + " " +
                      std::to_string(code) + " " + std::to_string(l == (LPARAM)GetHandle()));
        return answer;
    }
    LRESULT OnEnVScroll(WPARAM w, UINT c, LPARAM l) override { return Note("VScroll", w, c, l); }
    LRESULT OnEnUpdate(WPARAM w, UINT c, LPARAM l) override { return Note("Update", w, c, l); }
    LRESULT OnEnSetFocus(WPARAM w, UINT c, LPARAM l) override { return Note("SetFocus", w, c, l); }
    LRESULT OnEnMaxText(WPARAM w, UINT c, LPARAM l) override { return Note("MaxText", w, c, l); }
    LRESULT OnEnKillFocus(WPARAM w, UINT c, LPARAM l) override { return Note("KillFocus", w, c, l); }
    LRESULT OnEnHScroll(WPARAM w, UINT c, LPARAM l) override { return Note("HScroll", w, c, l); }
    LRESULT OnEnErrSpace(WPARAM w, UINT c, LPARAM l) override { return Note("ErrSpace", w, c, l); }
    LRESULT OnEnChange(WPARAM w, UINT c, LPARAM l) override { return Note("Change", w, c, l); }
};

struct CommandParent : KvWindow {
    LRESULT handled = 0;
    LRESULT OnCommand(UINT, UINT, KvWindow*) override { return handled; }
};

}  // namespace

TEST(EditNotifications, UnhandledCommandsReachTheEditOperations)
{
    CommandParent parent;
    WindowGuard guard(Parent(parent));
    RecordingEdit edit;
    ASSERT_NE(nullptr, edit.Create(0, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 80, 20,
                                   parent.GetHandle(), (HMENU)33, GetModuleHandleA(nullptr), nullptr));
    edit.log.clear();
    SetWindowTextA(edit.GetHandle(), "abc");
    ASSERT_EQ((std::vector<std::string>{"Update 33 1024 1", "Change 33 768 1"}), edit.log);

    // Every code, and the answer: 1 when the operation returned nonzero.
    const UINT codes[] = {EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE, EN_UPDATE,
                          EN_ERRSPACE, EN_MAXTEXT, EN_HSCROLL, EN_VSCROLL};
    const char* names[] = {"SetFocus", "KillFocus", "Change", "Update",
                           "ErrSpace", "MaxText", "HScroll", "VScroll"};
    edit.answer = 42;
    for (int i = 0; i < 8; ++i) {
        edit.log.clear();
        const WPARAM wParam = MAKEWPARAM(33, codes[i]);
        EXPECT_EQ(1, parent.Dispatch(parent.GetHandle(), WM_COMMAND, wParam, (LPARAM)edit.GetHandle()));
        ASSERT_EQ(1u, edit.log.size());
        EXPECT_EQ(std::string(names[i]) + " 33 " + std::to_string(codes[i]) + " 1", edit.log[0]);
    }
    edit.answer = 0;
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_COMMAND, MAKEWPARAM(33, EN_CHANGE),
                                 (LPARAM)edit.GetHandle()));
    // An unknown code reaches no operation.
    edit.log.clear();
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_COMMAND, MAKEWPARAM(33, 0x999),
                                 (LPARAM)edit.GetHandle()));
    EXPECT_TRUE(edit.log.empty());
}

TEST(EditNotifications, HandledCommandsAndTheEditsOwnMessagesReachNoOperation)
{
    CommandParent parent;
    WindowGuard guard(Parent(parent));
    RecordingEdit edit;
    edit.Create(0, "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent.GetHandle(), (HMENU)33,
                GetModuleHandleA(nullptr), nullptr);
    parent.handled = 1;
    edit.log.clear();
    SetWindowTextA(edit.GetHandle(), "abc");
    EXPECT_TRUE(edit.log.empty());

    // WM_KEYDOWN (0x100) and WM_MOUSEMOVE (0x200) carry the numbers of
    // EN_SETFOCUS and EN_KILLFOCUS; they are no notifications.
    SendMessageA(edit.GetHandle(), WM_KEYDOWN, VK_END, 0);
    SendMessageA(edit.GetHandle(), WM_MOUSEMOVE, 0, 0);
    SendMessageA(edit.GetHandle(), WM_CUT, 0, 0);
    EXPECT_TRUE(edit.log.empty());
}
