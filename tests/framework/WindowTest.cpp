// The window procedure's fallbacks, the dispatcher's table, WM_NOTIFY's
// answer and its reflection to the sender's object, and the tab-stop walk (in
// registry order). (The program's own tests see binding at creation and the
// quit message: it ends when its main window goes; the list's and the tree's
// notification codes reach their operations in the browser's tests.)
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <memory>

using fwtest::WindowGuard;

namespace {

std::string Line(const char* name, ULONG_PTR a = 0, ULONG_PTR b = 0, ULONG_PTR c = 0)
{
    return name + (" " + std::to_string(a)) + " " + std::to_string(b) + " " + std::to_string(c);
}

// Logs each typed operation with its arguments, and answers `answer`.
struct Recorder : KvWindow {
    std::vector<std::string> log;
    LRESULT answer = 0, otherAnswer = 0, setAnswer = 0;
    using U = ULONG_PTR;
    LRESULT N(const char* name, U a = 0, U b = 0, U c = 0) { log.push_back(Line(name, a, b, c)); return answer; }
    LRESULT OnKeyDown(WPARAM v, LPARAM k) override { return N("KeyDown", v, k); }
    LRESULT OnCommand(UINT c, UINT id, KvWindow* w) override { return N("Command", c, id, U(w->GetHandle())); }
    LRESULT OnMouseMove(UINT k, UINT x, UINT y) override { return N("MouseMove", k, x, y); }
    LRESULT OnNotify(WPARAM w, NMHDR*) override { return N("Notify", w); }
    LRESULT OnOtherMessage(HWND, UINT m, WPARAM w, LPARAM) override
    {
        N("Other", m, w);
        if (setAnswer) SetAnswer(GetHandle(), setAnswer);
        return otherAnswer;
    }
};

// Objects bound to made-up handles 1, 2, ... in registry order; their styles
// come from a table instead of windows.
std::vector<LONG_PTR> styles;
LONG_PTR TableStyle(HWND window) { return styles.at(reinterpret_cast<size_t>(window) - 1); }
std::vector<std::unique_ptr<KvWindow>> Registry(std::vector<LONG_PTR> list)
{
    styles = list;
    std::vector<std::unique_ptr<KvWindow>> objects;
    while (objects.size() < list.size()) objects.push_back(std::make_unique<KvWindow>((HWND)(objects.size() + 1)));
    return objects;
}
const LONG_PTR kStop = WS_TABSTOP | WS_VISIBLE;

}  // namespace

// Through the procedure: unhandled messages go to OnOtherMessage, then to
// the default procedure; a handled one answers what its handler left in the
// extra memory. Through Dispatch: the table's operations, decoded.
TEST(WindowProcedure, DispatchesTheTableThenOtherMessageThenTheDefault)
{
    Recorder object;
    HWND window = object.Create(0, fwtest::FrameClass(), "Hello", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    WindowGuard guard(window);
    object.log.clear();
    EXPECT_EQ(5, object.SendMessage(WM_GETTEXTLENGTH, 0, 0));  // the default procedure's answer
    EXPECT_EQ((std::vector<std::string>{Line("Other", WM_GETTEXTLENGTH)}), object.log);
    object.otherAnswer = 1;  // handled: the answer the handler left at index 0 of the extra memory
    object.SetWindowLong(0, 77);  // left before the message: no answer to it
    EXPECT_EQ(0, object.SendMessage(WM_GETTEXTLENGTH, 0, 0));
    object.setAnswer = -1234567890123LL;
    EXPECT_EQ(-1234567890123LL, object.SendMessage(WM_GETTEXTLENGTH, 0, 0));
    object.otherAnswer = 0;
    object.log.clear();
    object.SendMessage(WM_KEYDOWN, 'A', 1);  // in the table, not handled: both are asked
    EXPECT_EQ((std::vector<std::string>{Line("KeyDown", 'A', 1), Line("Other", WM_KEYDOWN, 'A')}), object.log);

    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    WindowGuard otherGuard(other);
    const ULONG_PTR o = reinterpret_cast<ULONG_PTR>(other);
    const LPARAM xy = MAKELPARAM(0xFFFD, 20);  // x = -3, y = 20
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string expected;
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(30, 0x300), (LPARAM)other, Line("Command", 0x300, 30, o)},
        {WM_MOUSEMOVE, 0x12345, xy, Line("MouseMove", 0x2345, 0x14FFFD, 0x14)},
    };
    object.answer = 9;
    for (const auto& c : cases) {
        object.log.clear();
        EXPECT_EQ(9, object.Dispatch(window, c.message, c.wParam, c.lParam)) << std::hex << c.message;
        EXPECT_EQ(std::vector<std::string>{c.expected}, object.log) << std::hex << c.message;
    }
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(other));  // the temporaries that carried it are gone
    object.log.clear();
    EXPECT_EQ(0, object.Dispatch(window, WM_TIMER, 0, 0));  // outside the table: nothing, 0
    EXPECT_TRUE(object.log.empty());
}

TEST(Notify, ParentAnswersFirstThenTheSendersObject)
{
    Recorder parent, child;
    WindowGuard guard(fwtest::Parent(parent));
    fwtest::Parent(child, parent.GetHandle());
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
        parent.answer = c.parentAnswer;
        child.answer = c.childAnswer;
        parent.log.clear();
        child.log.clear();
        EXPECT_EQ(c.result, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 12, (LPARAM)&header));
        EXPECT_EQ(1u, parent.log.size());
        EXPECT_EQ(size_t(c.childCalls), child.log.size());
    }
    EXPECT_EQ(0, parent.Dispatch(parent.GetHandle(), WM_NOTIFY, 1, 0));  // no header
}

TEST(TabStopSearch, WalksBothWaysWrappingAndSkipsNonStops)
{
    auto r = Registry({kStop, WS_VISIBLE, WS_CHILD | kStop, WS_TABSTOP, kStop});
    KvWindow unbound;
    const struct {
        KvWindow* from;
        bool backwards;
        KvWindow* to;
    } cases[] = {
        {r[0].get(), false, r[2].get()}, {r[2].get(), false, r[4].get()}, {r[4].get(), false, r[0].get()},
        {r[0].get(), true, r[4].get()},  {r[2].get(), true, r[0].get()},  {r[1].get(), false, r[2].get()},
        {r[3].get(), false, r[4].get()}, {&unbound, false, r[0].get()},   {nullptr, false, r[0].get()},
        {nullptr, true, r[4].get()},
    };
    for (const auto& c : cases) EXPECT_EQ(c.to, KvWindow::FindTabStop(c.from, c.backwards, TableStyle));
    // The only stop finds no other; with no stop at all the walk ends.
    r.clear();
    const auto one = Registry({kStop, WS_VISIBLE});
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(one[0].get(), true, TableStyle));
    styles[0] = WS_VISIBLE;
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(nullptr, false, TableStyle));
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(one[1].get(), true, TableStyle));
}
