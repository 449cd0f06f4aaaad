// WM_NOTIFY's answer and its reflection to the sender's object, the list and
// tree notification codes, and command notifications reflected to an edit's object.
#include "TestWindows.h"

#include "framework/KvEdit.h"
#include "framework/KvListView.h"
#include "framework/KvTreeView.h"

#include <gtest/gtest.h>

using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

struct Notified : KvWindow {
    LRESULT answer = 0;
    int calls = 0;
    LRESULT OnNotify(WPARAM, NMHDR*) override { return ++calls, answer; }
};

struct RecordingEdit : KvEdit {
    std::vector<UINT> codes;
    LRESULT Note(WPARAM w, UINT code, LPARAM l)
    {
        EXPECT_EQ(33, LOWORD(w));
        EXPECT_EQ((LPARAM)GetHandle(), l);
        return codes.push_back(code), 0;
    }
    LRESULT OnEnSetFocus(WPARAM w, UINT, LPARAM l) override { return Note(w, EN_SETFOCUS, l); }
    LRESULT OnEnChange(WPARAM w, UINT, LPARAM l) override { return Note(w, EN_CHANGE, l); }
    LRESULT OnEnUpdate(WPARAM w, UINT, LPARAM l) override { return Note(w, EN_UPDATE, l); }
};

struct CommandParent : KvWindow {
    LRESULT handled = 0;
    LRESULT OnCommand(UINT, UINT, KvWindow*) override { return handled; }
};

std::vector<std::string> seen;
LRESULT N(const char* name) { return seen.push_back(name), 1; }

struct RecordingList : KvListView {
    LRESULT OnDblClk(NMITEMACTIVATE*) override { return N("DblClk"); }
    LRESULT OnGetDispInfo(NMLVDISPINFOA*) override { return N("GetDispInfo"); }
};

struct RecordingTree : KvTreeView {
    LRESULT OnSelChanged(NMTREEVIEWA*) override { return N("SelChanged"); }
    LRESULT OnItemExpanding(NMTREEVIEWA*) override { return N("ItemExpanding"); }
    LRESULT OnGetDispInfo(NMTVDISPINFOA*) override { return N("GetDispInfo"); }
};

}  // namespace

TEST(Notify, ParentAnswersFirstThenTheSendersObject)
{
    Notified parent, child;
    WindowGuard guard(Parent(parent));
    Parent(child, parent.GetHandle());
    HWND orphan = fwtest::RawWindow(fwtest::FrameClass(), parent.GetHandle());
    const struct {
        HWND from;
        LRESULT parentAnswer, childAnswer, result;
        int childCalls;
    } cases[] = {
        {child.GetHandle(), 5, 77, 1, 0},   // the parent handled it: 1, no reflection
        {child.GetHandle(), 0, 77, 77, 1},  // the sender's object answers
        {orphan, 0, 77, 0, 0},              // a sender without object
        {parent.GetHandle(), 0, 77, 0, 0},  // a window notifying itself is asked once
    };
    for (const auto& c : cases) {
        NMHDR header{c.from, 12, static_cast<UINT>(-999)};
        parent.answer = c.parentAnswer, child.answer = c.childAnswer;
        parent.calls = child.calls = 0;
        EXPECT_EQ(c.result, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 12, (LPARAM)&header));
        EXPECT_EQ(1, parent.calls);
        EXPECT_EQ(c.childCalls, child.calls);
    }
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 1, 0));  // no header
}

TEST(EditNotifications, CommandsTheParentLeavesReachTheEditOperations)
{
    CommandParent parent;
    WindowGuard guard(Parent(parent));
    RecordingEdit edit;
    ASSERT_NE(nullptr, edit.Create(0, "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent.GetHandle(), (HMENU)33,
                                   GetModuleHandleA(nullptr), nullptr));
    edit.codes.clear();
    SetWindowTextA(edit.GetHandle(), "abc");
    EXPECT_EQ((std::vector<UINT>{EN_UPDATE, EN_CHANGE}), edit.codes);

    // A command the parent handled, and the edit's own WM_KEYDOWN whose number
    // equals EN_SETFOCUS: nothing.
    parent.handled = 1;
    edit.codes.clear();
    SetWindowTextA(edit.GetHandle(), "abcd");
    edit.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_TRUE(edit.codes.empty());
}

// Through the parent: the code reaches its operation; wide and foreign codes give 0.
TEST(ControlNotifications, CodesReachTheirOperationOthersGiveZero)
{
    KvWindow parent;
    WindowGuard guard(Parent(parent));
    RecordingList list;
    RecordingTree tree;
    for (KvControl* c : std::initializer_list<KvControl*>{&list, &tree})
        ASSERT_NE(nullptr, c->Create(0, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, parent.GetHandle(), (HMENU)9,
                                     GetModuleHandleA(nullptr), nullptr));
    const struct {
        KvWindow& control;
        UINT code;
        const char* operation;  // nullptr: none
    } cases[] = {
        {list, NM_DBLCLK, "DblClk"}, {list, LVN_GETDISPINFOA, "GetDispInfo"}, {list, LVN_GETDISPINFOW, nullptr},
        {list, TVN_SELCHANGEDA, nullptr}, {tree, TVN_SELCHANGEDA, "SelChanged"},
        {tree, TVN_ITEMEXPANDINGA, "ItemExpanding"}, {tree, TVN_GETDISPINFOA, "GetDispInfo"},
        {tree, TVN_SELCHANGEDW, nullptr}, {tree, NM_DBLCLK, nullptr},
    };
    alignas(8) unsigned char record[512] = {};
    NMHDR* header = reinterpret_cast<NMHDR*>(record);
    for (const auto& c : cases) {
        seen.clear();
        *header = NMHDR{c.control.GetHandle(), 9, c.code};
        EXPECT_EQ(c.operation ? 1 : 0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 9, (LPARAM)header));
        EXPECT_EQ(c.operation ? std::vector<std::string>{c.operation} : std::vector<std::string>{}, seen) << c.code;
    }
}
