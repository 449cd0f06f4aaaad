#include "framework/KvWindow.h"

#include "framework/KvDC.h"
#include "framework/KvDropFiles.h"
#include "framework/KvMenu.h"
#include "framework/KvPaintDC.h"

#include <vector>

namespace {

// The registry and the pending-window slot belong to the user-interface thread.
KvWindow* registryHead = nullptr;
KvWindow* registryTail = nullptr;
KvWindow* pendingWindow = nullptr;

}  // namespace

KvPackedPair KvSplitParam(LPARAM value)
{
    const UINT low = KvLow32(value);
    return KvPackedPair{low, low >> 16};
}

// ---- construction and the registry ------------------------------------

KvWindow::KvWindow()
{
    Register();
}

KvWindow::KvWindow(HWND window)
{
    Register();
    handle_ = window;
}

KvWindow::~KvWindow()
{
    Unregister();
    if (pendingWindow == this) pendingWindow = nullptr;
}

void KvWindow::Register()
{
    handle_ = nullptr;
    next_ = nullptr;
    previous_ = nullptr;
    if (!registryHead) {
        registryHead = registryTail = this;
        return;
    }
    KvWindow* last = registryHead;
    for (;;) {
        if (last == this) return;
        if (!last->next_) break;
        last = last->next_;
    }
    last->next_ = this;
    previous_ = last;
    registryTail = this;
}

void KvWindow::Unregister()
{
    KvWindow* found = registryHead;
    while (found && found != this) found = found->next_;
    if (!found) return;
    if (registryHead == this) registryHead = next_;
    if (registryTail == this) registryTail = previous_;
    if (previous_) previous_->next_ = next_;
    if (next_) next_->previous_ = previous_;
    next_ = previous_ = nullptr;
}

KvWindow* KvWindow::FindWindowObject(HWND window)
{
    // Unbound objects carry a null handle; none of them stands for "no window".
    if (!window) return nullptr;
    for (KvWindow* object = registryHead; object; object = object->next_) {
        if (object->handle_ == window) return object;
    }
    return nullptr;
}

KvWindow* KvWindow::FirstWindowObject() { return registryHead; }
KvWindow* KvWindow::LastWindowObject() { return registryTail; }

bool KvWindow::IsRegistered(const KvWindow* object)
{
    if (!object) return false;
    for (KvWindow* each = registryHead; each; each = each->next_) {
        if (each == object) return true;
    }
    return false;
}

KvWindow* KvWindow::PendingWindow() { return pendingWindow; }
void KvWindow::SetPendingWindow(KvWindow* object) { pendingWindow = object; }

KvWindow* KvWindow::BindPendingWindow(HWND window)
{
    KvWindow* object = pendingWindow;
    if (object) {
        object->handle_ = window;
        pendingWindow = nullptr;
    }
    return object;
}

// ---- tab stops -----------------------------------------------------------

LONG_PTR KvWindow::WindowStyle(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

bool KvWindow::IsTabStopStyle(LONG_PTR style) { return (style & WS_TABSTOP) && (style & WS_VISIBLE); }

KvWindow* KvWindow::FindTabStop(KvWindow* focused, bool backwards, StyleReader readStyle)
{
    auto isStop = [readStyle](KvWindow* object) {
        return object->handle_ && IsTabStopStyle(readStyle(object->handle_));
    };
    if (!focused) {
        // One pass: a start that is not in the list would never be met again.
        for (KvWindow* object = backwards ? registryTail : registryHead; object;
             object = backwards ? object->previous_ : object->next_) {
            if (isStop(object)) return object;
        }
        return nullptr;
    }
    KvWindow* current = focused;
    for (;;) {
        current = backwards ? current->previous_ : current->next_;
        if (!current) current = backwards ? registryTail : registryHead;
        if (!current || current == focused) return nullptr;
        if (isStop(current)) return current;
    }
}

KvWindow* KvWindow::NextTabStop()
{
    return FindTabStop(FindWindowObject(::GetFocus()), false);
}

KvWindow* KvWindow::PrevTabStop()
{
    return FindTabStop(FindWindowObject(::GetFocus()), true);
}

// ---- creation and the window procedure -----------------------------------

HWND KvWindow::Create(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                      LPVOID param)
{
    pendingWindow = this;
    HWND window = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                                  parent, menu, instance, param);
    // When no message reached a window of ours (creation failed early, or the
    // class does not use our procedures) the slot would otherwise bind this
    // object to some later, unrelated window.
    if (pendingWindow == this) pendingWindow = nullptr;
    handle_ = window;
    return window;
}

void KvForgetDestroyedWindow(KvWindow* object, HWND window, UINT message)
{
    if (message != WM_NCDESTROY) return;
    if (KvWindow::IsRegistered(object) && object->GetHandle() == window) object->SetHandle(nullptr);
}

namespace {

// A class of the application's own with room for an answer; a control's
// extra memory is the control's.
bool HoldsAnswers(HWND window)
{
    return GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&WindowProc) &&
           GetClassLongPtrA(window, GCL_CBWNDEXTRA) >= sizeof(LONG_PTR);
}

// Puts `value` in the answer's place and gives what was there. The place is
// written only when it changes: a write costs Wine a call to its server,
// and every message comes through here.
LONG_PTR ExchangeAnswer(HWND window, LONG_PTR value)
{
    const LONG_PTR old = GetWindowLongPtrA(window, 0);
    if (old != value) SetWindowLongPtrA(window, 0, value);
    return old;
}

}  // namespace

void KvWindow::SetAnswer(HWND window, LRESULT answer)
{
    if (window && HoldsAnswers(window)) ExchangeAnswer(window, answer);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    KvWindow* object = KvWindow::FindWindowObject(window);
    if (!object) object = KvWindow::BindPendingWindow(window);
    if (!object) return DefWindowProcA(window, message, wParam, lParam);

    LRESULT result;
    // Each message's answer starts as 0; the answer of a message this one
    // interrupts is kept for it.
    const bool answers = HoldsAnswers(window);
    const LONG_PTR outer = answers ? ExchangeAnswer(window, 0) : 0;
    // A handler may delete its own object; the object is not called again then.
    if (object->Dispatch(window, message, wParam, lParam) ||
        (KvWindow::IsRegistered(object) && object->OnOtherMessage(window, message, wParam, lParam))) {
        // A handler leaves its answer at index 0 of the extra memory; a class
        // without extra memory answers 0.
        result = GetWindowLongPtrA(window, 0);
    } else {
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    if (answers && IsWindow(window)) ExchangeAnswer(window, outer);
    KvForgetDestroyedWindow(object, window, message);
    return result;
}

// ---- Dispatch ------------------------------------------------------------

LRESULT KvWindow::NotifyWithReflection(KvWindow* parent, WPARAM wParam, LPARAM lParam)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (parent->OnNotify(wParam, header)) return 1;
    if (!header) return 0;
    KvWindow* sender = FindWindowObject(header->hwndFrom);
    // A window notifying itself has had its say already.
    if (!sender || sender == parent) return 0;
    return sender->OnNotify(wParam, header);
}

LRESULT KvWindow::DispatchCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    LRESULT result;
    {
        KvWindow temporary(control);
        result = OnCommand(KvHigh16(wParam), KvLow16(wParam), &temporary);
    }
    if (result || !control) return result;
    KvWindow* sender = FindWindowObject(control);
    if (!sender || sender == this) return 0;
    return sender->OnOtherMessage(control, kReflectedCommand, wParam, lParam);
}

LRESULT KvWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const KvPackedPair pair = KvSplitParam(lParam);
    auto withWindow = [](ULONG_PTR handle, auto call) {
        KvWindow temporary(reinterpret_cast<HWND>(handle));
        return call(&temporary);
    };
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        if (OnDestroy() && registryHead == this) PostQuitMessage(0);
        return 0;
    case WM_MOVE:
        return OnMove(pair.first, pair.second);
    case WM_SIZE:
        return OnSize(wParam, pair.first, pair.second);
    case WM_ACTIVATE:
        return withWindow(lParam, [&](KvWindow* other) {
            return OnActivate(static_cast<UINT>(wParam), KvHigh16(wParam), other);
        });
    case WM_SETFOCUS:
        return withWindow(wParam, [&](KvWindow* losing) { return OnSetFocus(losing); });
    case WM_KILLFOCUS:
        return withWindow(wParam, [&](KvWindow* gaining) { return OnKillFocus(gaining); });
    case WM_PAINT: {
        KvPaintDC dc(window);
        return OnPaint(&dc);
    }
    case WM_CLOSE:
        return OnClose();
    case WM_ERASEBKGND: {
        KvDC dc(reinterpret_cast<HDC>(wParam));
        return OnEraseBkgnd(&dc);
    }
    case WM_ACTIVATEAPP:
        return OnActivateApp(wParam, lParam);
    case WM_SETCURSOR:
        return withWindow(wParam, [&](KvWindow* under) {
            return OnSetCursor(under, pair.first, pair.second);
        });
    case WM_DRAWITEM:
        return OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        return OnMeasureItem(wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_NOTIFY:
        return NotifyWithReflection(this, wParam, lParam);
    case WM_DISPLAYCHANGE:
        return OnDisplayChange(wParam, pair.first, pair.second);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam, lParam);
    case WM_IME_STARTCOMPOSITION:
        return OnImeStartComposition();
    case WM_IME_ENDCOMPOSITION:
        return OnImeEndComposition();
    case WM_IME_COMPOSITION:
        return OnImeComposition(wParam, lParam);
    case WM_COMMAND:
        return DispatchCommand(wParam, lParam);
    case WM_HSCROLL:
        return withWindow(lParam, [&](KvWindow* bar) {
            return OnHScroll(KvLow16(wParam), KvHigh16(wParam), bar);
        });
    case WM_VSCROLL:
        return withWindow(lParam, [&](KvWindow* bar) {
            return OnVScroll(KvLow16(wParam), KvHigh16(wParam), bar);
        });
    case WM_INITMENUPOPUP: {
        KvMenu menu(reinterpret_cast<HMENU>(wParam));
        return OnInitMenuPopup(&menu, KvLow16(lParam), KvHigh16(lParam));
    }
    case WM_MENUCHAR: {
        KvMenu menu(reinterpret_cast<HMENU>(lParam));
        return OnMenuChar(static_cast<UINT>(wParam), KvHigh16(wParam), &menu);
    }
    case WM_MOUSEMOVE:
        return OnMouseMove(KvLow16(wParam), pair.first, pair.second);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, pair.first, pair.second);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, pair.first, pair.second);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wParam, pair.first, pair.second);
    case WM_RBUTTONDOWN:
        return OnRButtonDown(wParam, pair.first, pair.second);
    case WM_RBUTTONUP:
        return OnRButtonUp(wParam, pair.first, pair.second);
    case WM_RBUTTONDBLCLK:
        return OnRButtonDblClk(wParam, pair.first, pair.second);
    case WM_MBUTTONDOWN:
        return OnMButtonDown(wParam, pair.first, pair.second);
    case WM_MBUTTONUP:
        return OnMButtonUp(wParam, pair.first, pair.second);
    case WM_MBUTTONDBLCLK:
        return OnMButtonDblClk(wParam, pair.first, pair.second);
    case WM_MOVING:
        return OnMoving(wParam, reinterpret_cast<RECT*>(lParam));
    case WM_DROPFILES: {
        KvDropFiles drop(reinterpret_cast<HDROP>(wParam));
        return OnDropFiles(&drop);
    }
    case WM_IME_SETCONTEXT:
        return OnImeSetContext(wParam, lParam);
    case WM_IME_NOTIFY:
        return OnImeNotify(wParam, lParam);
    case WM_IME_CONTROL:
        return OnImeControl(wParam, lParam);
    case WM_IME_COMPOSITIONFULL:
        return OnImeCompositionFull();
    case WM_IME_SELECT:
        return OnImeSelect(wParam, lParam);
    case WM_IME_CHAR:
        return OnImeChar(wParam, lParam);
    case WM_IME_KEYDOWN:
        return OnImeKeyDown(wParam, lParam);
    case WM_IME_KEYUP:
        return OnImeKeyUp(wParam, lParam);
    default:
        return 0;
    }
}

// ---- default operations --------------------------------------------------

LRESULT KvWindow::OnOtherMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnNotify(WPARAM, NMHDR*) { return 0; }
LRESULT KvWindow::OnMoving(WPARAM, RECT*) { return 0; }
LRESULT KvWindow::OnMove(UINT, UINT) { return 0; }
LRESULT KvWindow::OnMouseMove(UINT, UINT, UINT) { return 0; }
LRESULT KvWindow::OnMenuChar(UINT, UINT, KvMenu*) { return 0; }
LRESULT KvWindow::OnMeasureItem(WPARAM, MEASUREITEMSTRUCT*) { return 0; }
LRESULT KvWindow::OnInitMenuPopup(KvMenu*, UINT, UINT) { return 0; }
LRESULT KvWindow::OnActivate(UINT, UINT, KvWindow*) { return 0; }
LRESULT KvWindow::OnActivateApp(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnChar(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnClose() { return 0; }
LRESULT KvWindow::OnCommand(UINT, UINT, KvWindow*) { return 0; }
LRESULT KvWindow::OnCreate(CREATESTRUCTA*) { return 0; }
LRESULT KvWindow::OnDestroy() { return 1; }
LRESULT KvWindow::OnDisplayChange(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnDrawItem(WPARAM, DRAWITEMSTRUCT*) { return 0; }
LRESULT KvWindow::OnDropFiles(KvDropFiles*) { return 0; }
LRESULT KvWindow::OnEraseBkgnd(KvDC*) { return 0; }
LRESULT KvWindow::OnHScroll(UINT, UINT, KvWindow*) { return 0; }
LRESULT KvWindow::OnImeChar(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeComposition(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeCompositionFull() { return 0; }
LRESULT KvWindow::OnImeControl(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeEndComposition() { return 0; }
LRESULT KvWindow::OnImeKeyDown(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeKeyUp(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeNotify(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeSelect(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeSetContext(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnImeStartComposition() { return 0; }
LRESULT KvWindow::OnKeyDown(WPARAM, LPARAM) { return 0; }
LRESULT KvWindow::OnKillFocus(KvWindow*) { return 0; }
LRESULT KvWindow::OnLButtonDblClk(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnLButtonDown(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnLButtonUp(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnMButtonDblClk(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnMButtonDown(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnMButtonUp(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnPaint(KvPaintDC*) { return 0; }
LRESULT KvWindow::OnRButtonDblClk(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnRButtonDown(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnRButtonUp(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnSetCursor(KvWindow*, UINT, UINT) { return 0; }
LRESULT KvWindow::OnSetFocus(KvWindow*) { return 0; }
LRESULT KvWindow::OnSize(WPARAM, UINT, UINT) { return 0; }
LRESULT KvWindow::OnVScroll(UINT, UINT, KvWindow*) { return 0; }

// ---- window-level operations ---------------------------------------------

HMENU KvWindow::GetMenu() const { return ::GetMenu(handle_); }
HWND KvWindow::GetParent() const { return ::GetParent(handle_); }
int KvWindow::GetWindowText(LPSTR buffer, int size) const { return ::GetWindowTextA(handle_, buffer, size); }
int KvWindow::GetWindowTextLength() const { return ::GetWindowTextLengthA(handle_); }
BOOL KvWindow::IsIconic() const { return ::IsIconic(handle_); }
BOOL KvWindow::IsWindowVisible() const { return ::IsWindowVisible(handle_); }
bool KvWindow::IsShown() const { return handle_ && ::IsWindowVisible(handle_); }
bool KvWindow::HasShowStyle() const { return handle_ && (WindowStyle(handle_) & WS_VISIBLE); }
BOOL KvWindow::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(handle_, insertAfter, x, y, cx, cy, flags);
}
BOOL KvWindow::SetWindowText(LPCSTR text) { return ::SetWindowTextA(handle_, text); }
BOOL KvWindow::ShowWindow(int command) { return ::ShowWindow(handle_, command); }
BOOL KvWindow::ClientToScreen(POINT* point) const { return ::ClientToScreen(handle_, point); }
BOOL KvWindow::ScreenToClient(POINT* point) const { return ::ScreenToClient(handle_, point); }
BOOL KvWindow::UpdateWindow() { return ::UpdateWindow(handle_); }
LONG_PTR KvWindow::GetWindowLong(int index) const { return GetWindowLongPtrA(handle_, index); }
LONG_PTR KvWindow::SetWindowLong(int index, LONG_PTR value) { return SetWindowLongPtrA(handle_, index, value); }
BOOL KvWindow::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(handle_, message, wParam, lParam);
}
LRESULT KvWindow::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(handle_, message, wParam, lParam);
}
int KvWindow::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(handle_, text, caption, type);
}
BOOL KvWindow::EnableScrollBar(UINT which, UINT arrows) { return ::EnableScrollBar(handle_, which, arrows); }
HWND KvWindow::SetFocus() { return ::SetFocus(handle_); }
HWND KvWindow::SetCapture() { return ::SetCapture(handle_); }
BOOL KvWindow::OpenClipboard() { return ::OpenClipboard(handle_); }

// ---- convenience operations ----------------------------------------------

std::string KvWindow::GetText() const
{
    const int length = GetWindowTextLength();
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowText(buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

BOOL KvWindow::SetText(const char* text) { return SetWindowText(text ? text : ""); }

int KvWindow::GetClientWidth() const
{
    RECT rect{};
    ::GetClientRect(handle_, &rect);
    return rect.right - rect.left;
}

int KvWindow::GetClientHeight() const
{
    RECT rect{};
    ::GetClientRect(handle_, &rect);
    return rect.bottom - rect.top;
}

int KvWindow::GetWindowWidth() const
{
    RECT rect{};
    ::GetWindowRect(handle_, &rect);
    return rect.right - rect.left;
}

int KvWindow::GetWindowHeight() const
{
    RECT rect{};
    ::GetWindowRect(handle_, &rect);
    return rect.bottom - rect.top;
}

LRESULT KvWindow::SendSize(WPARAM type, int width, int height)
{
    const LPARAM packed = static_cast<LPARAM>((static_cast<UINT>(width) & 0xFFFF) |
                                              ((static_cast<UINT>(height) & 0xFFFF) << 16));
    return SendMessage(WM_SIZE, type, packed);
}

LRESULT KvWindow::Relayout() { return SendSize(0, GetClientWidth(), GetClientHeight()); }
