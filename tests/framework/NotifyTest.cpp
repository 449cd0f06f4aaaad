// WM_NOTIFY's answer and its reflection to the sender's object. (The list's
// and the tree's notification codes reach their operations in the browser's
// tests.)
#include "TestWindows.h"

#include <gtest/gtest.h>

using namespace fwtest;

namespace {

struct Notified : KvWindow {
    LRESULT answer = 0;
    int calls = 0;
    LRESULT OnNotify(WPARAM, NMHDR*) override { return ++calls, answer; }
};

}  // namespace

TEST(Notify, ParentAnswersFirstThenTheSendersObject)
{
    Notified parent, child;
    WindowGuard guard(Parent(parent));
    Parent(child, parent.GetHandle());
    HWND orphan = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 9, 9, parent.GetHandle(), 0, 0, 0);
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
