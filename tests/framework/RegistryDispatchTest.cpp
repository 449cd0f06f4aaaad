// The window registry, binding at creation, the window procedure's fallbacks,
// the dispatcher's table, the quit message and the tab-stop search.
#include "TestWindows.h"

#include "framework/KvDC.h"
#include "framework/KvDropFiles.h"
#include "framework/KvMenu.h"
#include "framework/KvPaintDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using fwtest::FrameClass;
using fwtest::RawWindow;
using fwtest::WindowGuard;

namespace {

// Logs every typed operation with its arguments, and answers `answer`.
class Recorder : public KvWindow {
public:
    using KvWindow::KvWindow;
    std::vector<std::string> log;
    LRESULT answer = 0;

    LRESULT Note(const char* name, ULONG_PTR a = 0, ULONG_PTR b = 0, ULONG_PTR c = 0);
    static ULONG_PTR H(KvWindow* w) { return reinterpret_cast<ULONG_PTR>(w->GetHandle()); }

    LRESULT OnMoving(WPARAM e, RECT* r) override { return Note("Moving", e, (ULONG_PTR)r); }
    LRESULT OnMove(UINT x, UINT y) override { return Note("Move", x, y); }
    LRESULT OnMouseMove(UINT k, UINT x, UINT y) override { return Note("MouseMove", k, x, y); }
    LRESULT OnMenuChar(UINT c, UINT f, KvMenu* m) override { return Note("MenuChar", c, f, (ULONG_PTR)m->GetHandle()); }
    LRESULT OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* m) override { return Note("MeasureItem", id, (ULONG_PTR)m); }
    LRESULT OnInitMenuPopup(KvMenu* m, UINT p, UINT s) override { return Note("InitMenuPopup", (ULONG_PTR)m->GetHandle(), p, s); }
    LRESULT OnActivate(UINT s, UINT m, KvWindow* o) override { return Note("Activate", s, m, H(o)); }
    LRESULT OnActivateApp(WPARAM a, LPARAM t) override { return Note("ActivateApp", a, t); }
    LRESULT OnChar(WPARAM c, LPARAM k) override { return Note("Char", c, k); }
    LRESULT OnClose() override { return Note("Close"); }
    LRESULT OnCommand(UINT c, UINT id, KvWindow* w) override { return Note("Command", c, id, H(w)); }
    LRESULT OnCreate(CREATESTRUCTA* cs) override { return Note("Create", (ULONG_PTR)cs); }
    LRESULT OnDestroy() override { Note("Destroy"); return destroyAnswer; }
    LRESULT OnDisplayChange(WPARAM b, UINT w, UINT h) override { return Note("DisplayChange", b, w, h); }
    LRESULT OnDrawItem(WPARAM id, DRAWITEMSTRUCT* d) override { return Note("DrawItem", id, (ULONG_PTR)d); }
    LRESULT OnDropFiles(KvDropFiles* d) override { return Note("DropFiles", (ULONG_PTR)d->GetHandle()); }
    LRESULT OnEraseBkgnd(KvDC* dc) override { return Note("EraseBkgnd", (ULONG_PTR)dc->GetHandle(), (ULONG_PTR)dc->GetWindow()); }
    LRESULT OnHScroll(UINT c, UINT p, KvWindow* w) override { return Note("HScroll", c, p, H(w)); }
    LRESULT OnImeChar(WPARAM w, LPARAM l) override { return Note("ImeChar", w, l); }
    LRESULT OnImeComposition(WPARAM w, LPARAM l) override { return Note("ImeComposition", w, l); }
    LRESULT OnImeCompositionFull() override { return Note("ImeCompositionFull"); }
    LRESULT OnImeControl(WPARAM w, LPARAM l) override { return Note("ImeControl", w, l); }
    LRESULT OnImeEndComposition() override { return Note("ImeEndComposition"); }
    LRESULT OnImeKeyDown(WPARAM w, LPARAM l) override { return Note("ImeKeyDown", w, l); }
    LRESULT OnImeKeyUp(WPARAM w, LPARAM l) override { return Note("ImeKeyUp", w, l); }
    LRESULT OnImeNotify(WPARAM w, LPARAM l) override { return Note("ImeNotify", w, l); }
    LRESULT OnImeSelect(WPARAM w, LPARAM l) override { return Note("ImeSelect", w, l); }
    LRESULT OnImeSetContext(WPARAM w, LPARAM l) override { return Note("ImeSetContext", w, l); }
    LRESULT OnImeStartComposition() override { return Note("ImeStartComposition"); }
    LRESULT OnKeyDown(WPARAM v, LPARAM k) override { return Note("KeyDown", v, k); }
    LRESULT OnKillFocus(KvWindow* w) override { return Note("KillFocus", H(w)); }
    LRESULT OnLButtonDblClk(WPARAM k, UINT x, UINT y) override { return Note("LButtonDblClk", k, x, y); }
    LRESULT OnLButtonDown(WPARAM k, UINT x, UINT y) override { return Note("LButtonDown", k, x, y); }
    LRESULT OnLButtonUp(WPARAM k, UINT x, UINT y) override { return Note("LButtonUp", k, x, y); }
    LRESULT OnMButtonDblClk(WPARAM k, UINT x, UINT y) override { return Note("MButtonDblClk", k, x, y); }
    LRESULT OnMButtonDown(WPARAM k, UINT x, UINT y) override { return Note("MButtonDown", k, x, y); }
    LRESULT OnMButtonUp(WPARAM k, UINT x, UINT y) override { return Note("MButtonUp", k, x, y); }
    LRESULT OnPaint(KvPaintDC* dc) override { return Note("Paint", dc->GetHandle() != nullptr, (ULONG_PTR)dc->GetWindow()); }
    LRESULT OnRButtonDblClk(WPARAM k, UINT x, UINT y) override { return Note("RButtonDblClk", k, x, y); }
    LRESULT OnRButtonDown(WPARAM k, UINT x, UINT y) override { return Note("RButtonDown", k, x, y); }
    LRESULT OnRButtonUp(WPARAM k, UINT x, UINT y) override { return Note("RButtonUp", k, x, y); }
    LRESULT OnSetCursor(KvWindow* w, UINT h, UINT m) override { return Note("SetCursor", H(w), h, m); }
    LRESULT OnSetFocus(KvWindow* w) override { return Note("SetFocus", H(w)); }
    LRESULT OnSize(WPARAM t, UINT w, UINT h) override { return Note("Size", t, w, h); }
    LRESULT OnVScroll(UINT c, UINT p, KvWindow* w) override { return Note("VScroll", c, p, H(w)); }
    LRESULT OnOtherMessage(HWND, UINT m, WPARAM w, LPARAM) override { Note("Other", m, w);
        return otherAnswers;
    }

    LRESULT destroyAnswer = 1;
    LRESULT otherAnswers = 0;
};

std::string Line(const char* name, ULONG_PTR a = 0, ULONG_PTR b = 0, ULONG_PTR c = 0)
{
    char line[160];
    std::snprintf(line, sizeof line, "%s %llx %llx %llx", name, (unsigned long long)a,
                  (unsigned long long)b, (unsigned long long)c);
    return line;
}

LRESULT Recorder::Note(const char* name, ULONG_PTR a, ULONG_PTR b, ULONG_PTR c)
{
    log.push_back(Line(name, a, b, c));
    return answer;
}

}  // namespace

TEST(WindowRegistry, KeepsConstructionOrderAndUnlinksOnDestruction)
{
    auto a = std::make_unique<KvWindow>();
    auto b = std::make_unique<KvWindow>();
    auto c = std::make_unique<KvWindow>();
    EXPECT_EQ((std::vector<KvWindow*>{a.get(), b.get(), c.get()}), fwtest::RegistryContents());
    EXPECT_EQ(c.get(), KvWindow::LastWindowObject());
    EXPECT_EQ(c.get(), b->GetNext());

    b.reset();
    EXPECT_EQ((std::vector<KvWindow*>{a.get(), c.get()}), fwtest::RegistryContents());
    EXPECT_EQ(a.get(), c->GetPrevious());
    a.reset();
    EXPECT_EQ(c.get(), KvWindow::FirstWindowObject());
    EXPECT_EQ(nullptr, c->GetPrevious());
    c.reset();
    EXPECT_EQ(nullptr, KvWindow::FirstWindowObject());
    EXPECT_EQ(nullptr, KvWindow::LastWindowObject());
}

TEST(WindowRegistry, TwoObjectsWithOneHandleFindTheEarliest)
{
    HWND window = RawWindow();
    WindowGuard guard(window);
    KvWindow unbound;
    auto first = std::make_unique<KvWindow>(window);
    KvWindow second(window);
    EXPECT_EQ(first.get(), KvWindow::FindWindowObject(window));
    first.reset();
    EXPECT_EQ(&second, KvWindow::FindWindowObject(window));
    // An unbound object never stands for "no window".
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(nullptr));
    // Destroying the object leaves the window alone.
    EXPECT_TRUE(IsWindow(window));
}

TEST(WindowCreate, BindsAtTheFirstMessageBeforeWmCreate)
{
    struct Probe : Recorder {
        HWND handleAtFirst = nullptr;
        UINT firstMessage = 0;
        void* createParam = nullptr;
        LRESULT Dispatch(HWND w, UINT m, WPARAM wp, LPARAM lp) override
        {
            if (!firstMessage) {
                firstMessage = m;
                handleAtFirst = GetHandle();
            }
            return Recorder::Dispatch(w, m, wp, lp);
        }
        LRESULT OnCreate(CREATESTRUCTA* cs) override
        {
            createParam = cs->lpCreateParams;
            return Recorder::OnCreate(cs);
        }
    } probe;
    int param = 7;
    HWND window = probe.Create(0, FrameClass(), "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), &param);
    WindowGuard guard(window);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, probe.GetHandle());
    EXPECT_EQ(window, probe.handleAtFirst);
    EXPECT_NE(static_cast<UINT>(WM_CREATE), probe.firstMessage);
    EXPECT_EQ(&param, probe.createParam);
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());
}

TEST(WindowCreate, FailureLeavesNoPendingObjectBehind)
{
    // A class that does not exist: no message ever reaches a window.
    KvWindow missing;
    EXPECT_EQ(nullptr, missing.Create(0, "VelmoraNoSuchClass", "", 0, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(nullptr, missing.GetHandle());
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());

    // A system class never binds its object either; the next window of ours
    // that has no object must not be handed to it.
    KvWindow foreign;
    HWND stat = foreign.Create(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    WindowGuard staticGuard(stat);
    EXPECT_NE(nullptr, stat);
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());
    HWND raw = RawWindow();
    WindowGuard rawGuard(raw);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(raw));

    // Creation refused by a handler (WM_NCCREATE answered 0).
    struct Refuser : KvWindow {
        LRESULT OnOtherMessage(HWND, UINT m, WPARAM, LPARAM) override { return m == WM_NCCREATE; }
    } refuser;
    EXPECT_EQ(nullptr, refuser.Create(0, FrameClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(nullptr, refuser.GetHandle());
    EXPECT_EQ(nullptr, KvWindow::PendingWindow());
}

TEST(WindowProcedure, UnhandledMessagesFallToOtherMessageThenDefault)
{
    Recorder object;
    HWND window = object.Create(0, FrameClass(), "Hello", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    WindowGuard guard(window);
    object.log.clear();
    // Not in the table: OnOtherMessage, then the default procedure answers.
    EXPECT_EQ(5, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ((std::vector<std::string>{Line("Other", WM_GETTEXTLENGTH)}), object.log);

    // Handled by OnOtherMessage: the class has no extra memory, so 0, and
    // the default procedure is not asked.
    object.otherAnswers = 1;
    EXPECT_EQ(0, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));

    // In the table but not handled: both the operation and OnOtherMessage.
    object.otherAnswers = 0;
    object.log.clear();
    SendMessageA(window, WM_KEYDOWN, 'A', 0x1E0001);
    EXPECT_EQ((std::vector<std::string>{Line("KeyDown", 'A', 0x1E0001), Line("Other", WM_KEYDOWN, 'A')}),
              object.log);
}

TEST(WindowProcedure, HandledMessageAnswersTheExtraMemoryValue)
{
    struct Answerer : KvWindow {
        LRESULT OnChar(WPARAM, LPARAM) override
        {
            SetWindowLong(0, -1234567890123LL);
            return 1;
        }
    } object;
    HWND window = object.Create(0, FrameClass(sizeof(LONG_PTR)), "", WS_OVERLAPPEDWINDOW, 0, 0, 50,
                                50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    WindowGuard guard(window);
    EXPECT_EQ(-1234567890123LL, SendMessageA(window, WM_CHAR, 'x', 0));
}

TEST(WindowProcedure, WindowWithoutObjectGetsTheDefaultProcedure)
{
    HWND window = RawWindow();
    WindowGuard guard(window);
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(window));
    EXPECT_EQ(3, SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

TEST(WindowProcedure, ObjectLetsGoOfItsHandleWhenTheWindowIsGone)
{
    Recorder object;
    HWND window = fwtest::Parent(object);
    KvWindow head;  // not the head: no quit message
    ASSERT_EQ(window, object.GetHandle());
    DestroyWindow(window);
    EXPECT_EQ(nullptr, object.GetHandle());
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(window));
}

TEST(Dispatch, EveryTableEntryReachesItsOperationWithDecodedArguments)
{
    Recorder object;
    HWND window = fwtest::Parent(object);
    WindowGuard guard(window);
    HWND other = RawWindow();
    WindowGuard otherGuard(other);
    const ULONG_PTR o = reinterpret_cast<ULONG_PTR>(other);
    const LPARAM xy = MAKELPARAM(0xFFFD, 20);  // x = -3, y = 20
    HMENU menu = CreatePopupMenu();
    RECT rect{};
    MEASUREITEMSTRUCT measure{};
    DRAWITEMSTRUCT draw{};
    CREATESTRUCTA create{};
    HDC dc = GetDC(window);

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {WM_CREATE, 0, (LPARAM)&create, Line("Create", (ULONG_PTR)&create)},
        {WM_MOVE, 0, xy, Line("Move", 0x14FFFD, 0x14)},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), Line("Size", 2, 0x01E00280, 0x1E0)},
        {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), (LPARAM)other, Line("Activate", 0x10002, 1, o)},
        {WM_SETFOCUS, (WPARAM)other, 0, Line("SetFocus", o)},
        {WM_KILLFOCUS, 0, 0, Line("KillFocus", 0)},
        {WM_PAINT, 0, 0, Line("Paint", 1, (ULONG_PTR)window)},
        {WM_CLOSE, 0, 0, Line("Close")},
        {WM_ERASEBKGND, (WPARAM)dc, 0, Line("EraseBkgnd", (ULONG_PTR)dc, 0)},
        {WM_ACTIVATEAPP, 1, 0x1234, Line("ActivateApp", 1, 0x1234)},
        {WM_SETCURSOR, (WPARAM)other, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), Line("SetCursor", o, 0x2000001, 0x200)},
        {WM_DRAWITEM, 9, (LPARAM)&draw, Line("DrawItem", 9, (ULONG_PTR)&draw)},
        {WM_MEASUREITEM, 8, (LPARAM)&measure, Line("MeasureItem", 8, (ULONG_PTR)&measure)},
        {WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024), Line("DisplayChange", 32, 0x04000500, 0x400)},
        {WM_KEYDOWN, VK_TAB, 0x000F0001, Line("KeyDown", VK_TAB, 0xF0001)},
        {WM_CHAR, 'a', 0x1E0001, Line("Char", 'a', 0x1E0001)},
        {WM_IME_STARTCOMPOSITION, 0, 0, Line("ImeStartComposition")},
        {WM_IME_ENDCOMPOSITION, 0, 0, Line("ImeEndComposition")},
        {WM_IME_COMPOSITION, 0x82A0, 0x800, Line("ImeComposition", 0x82A0, 0x800)},
        {WM_COMMAND, MAKEWPARAM(40001, 1), 0, Line("Command", 1, 40001, 0)},
        {WM_COMMAND, MAKEWPARAM(30, 0x300), (LPARAM)other, Line("Command", 0x300, 30, o)},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), (LPARAM)other, Line("HScroll", SB_THUMBTRACK, 77, o)},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 3), 0, Line("VScroll", SB_LINEDOWN, 3, 0)},
        {WM_INITMENUPOPUP, (WPARAM)menu, MAKELPARAM(2, 1), Line("InitMenuPopup", (ULONG_PTR)menu, 2, 1)},
        {WM_MENUCHAR, MAKEWPARAM('f', MF_POPUP), (LPARAM)menu, Line("MenuChar", 0x100066, MF_POPUP, (ULONG_PTR)menu)},
        {WM_MOUSEMOVE, 0x12345, xy, Line("MouseMove", 0x2345, 0x14FFFD, 0x14)},
        {WM_LBUTTONDOWN, MK_LBUTTON, xy, Line("LButtonDown", MK_LBUTTON, 0x14FFFD, 0x14)},
        {WM_LBUTTONUP, 0, xy, Line("LButtonUp", 0, 0x14FFFD, 0x14)},
        {WM_LBUTTONDBLCLK, 1, xy, Line("LButtonDblClk", 1, 0x14FFFD, 0x14)},
        {WM_RBUTTONDOWN, 2, xy, Line("RButtonDown", 2, 0x14FFFD, 0x14)},
        {WM_RBUTTONUP, 0, xy, Line("RButtonUp", 0, 0x14FFFD, 0x14)},
        {WM_RBUTTONDBLCLK, 2, xy, Line("RButtonDblClk", 2, 0x14FFFD, 0x14)},
        {WM_MBUTTONDOWN, 16, xy, Line("MButtonDown", 16, 0x14FFFD, 0x14)},
        {WM_MBUTTONUP, 0, xy, Line("MButtonUp", 0, 0x14FFFD, 0x14)},
        {WM_MBUTTONDBLCLK, 16, xy, Line("MButtonDblClk", 16, 0x14FFFD, 0x14)},
        {WM_MOVING, WMSZ_LEFT, (LPARAM)&rect, Line("Moving", WMSZ_LEFT, (ULONG_PTR)&rect)},
        {WM_IME_SETCONTEXT, 1, 0xC000000F, Line("ImeSetContext", 1, 0xC000000F)},
        {WM_IME_NOTIFY, 5, 6, Line("ImeNotify", 5, 6)},
        {WM_IME_CONTROL, 7, 8, Line("ImeControl", 7, 8)},
        {WM_IME_COMPOSITIONFULL, 0, 0, Line("ImeCompositionFull")},
        {WM_IME_SELECT, 1, 0x411, Line("ImeSelect", 1, 0x411)},
        {WM_IME_CHAR, 0x82A0, 1, Line("ImeChar", 0x82A0, 1)},
        {WM_IME_KEYDOWN, VK_PROCESSKEY, 2, Line("ImeKeyDown", VK_PROCESSKEY, 2)},
        {WM_IME_KEYUP, VK_PROCESSKEY, 3, Line("ImeKeyUp", VK_PROCESSKEY, 3)},
    };
    object.answer = 9;
    for (const Case& c : cases) {
        object.log.clear();
        const LRESULT result = object.Dispatch(window, c.message, c.wParam, c.lParam);
        ASSERT_EQ(1u, object.log.size()) << std::hex << c.message;
        EXPECT_EQ(c.expected, object.log[0]) << std::hex << c.message;
        EXPECT_EQ(9, result) << std::hex << c.message;
    }
    // Messages outside the table reach nothing and give 0.
    for (UINT message : {(UINT)WM_TIMER, (UINT)WM_NCCREATE, (UINT)WM_GETTEXT, (UINT)WM_USER}) {
        object.log.clear();
        EXPECT_EQ(0, object.Dispatch(window, message, 0, 0));
        EXPECT_TRUE(object.log.empty());
    }
    ReleaseDC(window, dc);
    DestroyMenu(menu);
}

TEST(Dispatch, TemporariesAreRegisteredOnlyWhileTheirOperationRuns)
{
    struct Watcher : KvWindow {
        HWND control = nullptr;
        KvWindow* seenTemporary = nullptr;
        bool registeredDuring = false;
        KvWindow* foundDuring = nullptr;
        LRESULT OnCommand(UINT, UINT, KvWindow* window) override
        {
            seenTemporary = window;
            registeredDuring = IsRegistered(window);
            foundDuring = FindWindowObject(control);
            return 1;
        }
    } watcher;
    HWND parent = fwtest::Parent(watcher);
    WindowGuard guard(parent);
    watcher.control = RawWindow(FrameClass(), parent);
    const size_t before = fwtest::RegistryContents().size();
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), (LPARAM)watcher.control);
    EXPECT_TRUE(watcher.registeredDuring);
    EXPECT_EQ(watcher.seenTemporary, watcher.foundDuring);
    EXPECT_FALSE(KvWindow::IsRegistered(watcher.seenTemporary));
    EXPECT_EQ(nullptr, KvWindow::FindWindowObject(watcher.control));
    EXPECT_EQ(before, fwtest::RegistryContents().size());
}

TEST(Dispatch, DestroyPostsQuitOnlyForTheRegistryHead)
{
    Recorder head;
    Recorder second;
    const auto create = [](KvWindow& object) {
        return fwtest::Parent(object);
    };
    HWND headWindow = create(head);
    HWND secondWindow = create(second);
    fwtest::TakeQuitMessage();

    DestroyWindow(secondWindow);
    EXPECT_FALSE(fwtest::TakeQuitMessage());
    // The message goes on to OnOtherMessage (and the default procedure).
    EXPECT_NE(second.log.end(), std::find(second.log.begin(), second.log.end(), Line("Destroy")));
    EXPECT_NE(second.log.end(), std::find(second.log.begin(), second.log.end(), Line("Other", WM_DESTROY)));

    head.destroyAnswer = 0;
    HWND again = create(second);
    (void)again;
    KvWindow* saved = &head;
    ASSERT_EQ(saved, KvWindow::FirstWindowObject());
    DestroyWindow(headWindow);
    EXPECT_FALSE(fwtest::TakeQuitMessage());  // OnDestroy said 0

    head.destroyAnswer = 1;
    headWindow = create(head);
    DestroyWindow(headWindow);
    WPARAM code = 99;
    EXPECT_TRUE(fwtest::TakeQuitMessage(&code));
    EXPECT_EQ(0u, code);
    DestroyWindow(second.GetHandle());
}

namespace {

// Child windows of one hidden parent, each with an object, in a given order.
struct TabStopFixture {
    Recorder frame;
    std::vector<std::unique_ptr<KvWindow>> objects;
    HWND parent = nullptr;
    TabStopFixture()
    {
        parent = frame.Create(0, FrameClass(), "", WS_OVERLAPPEDWINDOW | WS_TABSTOP, 0, 0, 300, 300,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TabStopFixture()
    {
        objects.clear();
        DestroyWindow(parent);
    }
    KvWindow* Add(DWORD style)
    {
        HWND child = RawWindow(FrameClass(), parent, WS_CHILD | style);
        objects.push_back(std::make_unique<KvWindow>(child));
        return objects.back().get();
    }
};

}  // namespace

TEST(TabStops, FollowConstructionOrderAndWrapBothWays)
{
    TabStopFixture f;  // the hidden frame is no visible stop
    KvWindow* a = f.Add(WS_VISIBLE | WS_TABSTOP);
    KvWindow* notStop = f.Add(WS_VISIBLE);
    KvWindow* b = f.Add(WS_VISIBLE | WS_TABSTOP);
    KvWindow* hidden = f.Add(WS_TABSTOP);
    KvWindow* c = f.Add(WS_VISIBLE | WS_TABSTOP);
    KvWindow unbound;

    EXPECT_EQ(b, KvWindow::FindTabStop(a, false));
    EXPECT_EQ(c, KvWindow::FindTabStop(b, false));
    EXPECT_EQ(a, KvWindow::FindTabStop(c, false));  // wraps to the head
    EXPECT_EQ(c, KvWindow::FindTabStop(a, true));   // wraps to the tail
    EXPECT_EQ(a, KvWindow::FindTabStop(b, true));
    EXPECT_EQ(b, KvWindow::FindTabStop(notStop, false));
    EXPECT_EQ(c, KvWindow::FindTabStop(hidden, false));
    EXPECT_EQ(a, KvWindow::FindTabStop(&unbound, false));
    // Without a focused object: the first stop from the head (tail).
    EXPECT_EQ(a, KvWindow::FindTabStop(nullptr, false));
    EXPECT_EQ(c, KvWindow::FindTabStop(nullptr, true));
}

TEST(TabStops, OnlyStopOrNoStopGivesNull)
{
    TabStopFixture f;
    KvWindow* only = f.Add(WS_VISIBLE | WS_TABSTOP);
    KvWindow* plain = f.Add(WS_VISIBLE);
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(only, false));
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(only, true));
    EXPECT_EQ(only, KvWindow::FindTabStop(plain, true));
    SetWindowLongPtrA(only->GetHandle(), GWL_STYLE, WS_CHILD | WS_VISIBLE);
    // No stop at all, no focused object: the walk ends.
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(nullptr, false));
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(nullptr, true));
}

TEST(TabStops, NextAndPrevStartAtTheFocusedWindow)
{
    TabStopFixture f;
    KvWindow* a = f.Add(WS_VISIBLE | WS_TABSTOP);
    KvWindow* b = f.Add(WS_VISIBLE | WS_TABSTOP);
    HWND orphan = RawWindow(FrameClass(), f.parent, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    ShowWindow(f.parent, SW_SHOWNOACTIVATE);
    SetForegroundWindow(f.parent);
    ASSERT_EQ(b->GetHandle(), (b->SetFocus(), GetFocus()));
    EXPECT_EQ(&f.frame, KvWindow::NextTabStop());  // the shown frame is a stop now
    EXPECT_EQ(a, KvWindow::PrevTabStop());
    // The focus on a window that has no object: the first stop from the head.
    SetFocus(orphan);
    ASSERT_EQ(orphan, GetFocus());
    EXPECT_EQ(&f.frame, KvWindow::NextTabStop());
    EXPECT_EQ(b, KvWindow::PrevTabStop());
}
