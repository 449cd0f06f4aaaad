#pragma once
// KvWindow: the object that drives one window. Every live object sits in a
// process-wide registry in construction order; the window procedures look the
// object up by handle and turn each message into one typed virtual operation.
// The object never owns its window.
#include <windows.h>

#include <string>

class KvDC;
class KvPaintDC;
class KvMenu;
class KvDropFiles;

// Decoding of packed message parameters. A pair packed in lParam is handed
// on as the whole low 32 bits and as those bits shifted right by 16 (zero
// filled); handlers read each as a signed 16-bit value.
struct KvPackedPair {
    UINT first;
    UINT second;
};
KvPackedPair KvSplitParam(LPARAM value);
inline UINT KvLow32(LPARAM value) { return static_cast<UINT>(static_cast<ULONG_PTR>(value)); }
inline UINT KvHigh16(ULONG_PTR value) { return static_cast<UINT>(value) >> 16; }
inline UINT KvLow16(ULONG_PTR value) { return static_cast<UINT>(value) & 0xFFFF; }

class KvWindow {
public:
    KvWindow();
    explicit KvWindow(HWND window);
    virtual ~KvWindow();
    KvWindow(const KvWindow&) = delete;
    KvWindow& operator=(const KvWindow&) = delete;

    // Typed operations: nonzero means handled. Defaults return 0 (OnDestroy 1).
    virtual LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(WPARAM controlId, NMHDR* header);
    virtual LRESULT OnMoving(WPARAM edge, RECT* rect);
    virtual LRESULT OnMove(UINT x, UINT y);
    virtual LRESULT OnMouseMove(UINT keys, UINT x, UINT y);
    virtual LRESULT OnMenuChar(UINT character, UINT menuFlag, KvMenu* menu);
    virtual LRESULT OnMeasureItem(WPARAM controlId, MEASUREITEMSTRUCT* item);
    virtual LRESULT OnInitMenuPopup(KvMenu* menu, UINT position, UINT windowMenu);
    virtual LRESULT OnActivate(UINT state, UINT minimized, KvWindow* other);
    virtual LRESULT OnActivateApp(WPARAM active, LPARAM threadId);
    virtual LRESULT OnChar(WPARAM code, LPARAM keyData);
    virtual LRESULT OnClose();
    virtual LRESULT OnCommand(UINT code, UINT id, KvWindow* control);
    virtual LRESULT OnCreate(CREATESTRUCTA* create);
    virtual LRESULT OnDestroy();
    virtual LRESULT OnDisplayChange(WPARAM bitsPerPixel, UINT width, UINT height);
    virtual LRESULT OnDrawItem(WPARAM controlId, DRAWITEMSTRUCT* item);
    virtual LRESULT OnDropFiles(KvDropFiles* drop);
    virtual LRESULT OnEraseBkgnd(KvDC* dc);
    virtual LRESULT OnHScroll(UINT code, UINT position, KvWindow* scrollBar);
    virtual LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeComposition(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeCompositionFull();
    virtual LRESULT OnImeControl(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeEndComposition();
    virtual LRESULT OnImeKeyDown(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeKeyUp(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeNotify(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeSelect(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeSetContext(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnImeStartComposition();
    virtual LRESULT OnKeyDown(WPARAM virtualKey, LPARAM keyData);
    virtual LRESULT OnKillFocus(KvWindow* gaining);
    virtual LRESULT OnLButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnLButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnPaint(KvPaintDC* dc);
    virtual LRESULT OnRButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnRButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnRButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnSetCursor(KvWindow* window, UINT hitTest, UINT mouseMessage);
    virtual LRESULT OnSetFocus(KvWindow* losing);
    virtual LRESULT OnSize(WPARAM type, UINT width, UINT height);
    virtual LRESULT OnVScroll(UINT code, UINT position, KvWindow* scrollBar);
    virtual LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The answer of `window` (of a class that uses WindowProc and has extra
    // memory) to the message it is handling, e.g. a notification's result;
    // handlers set it last, as each message starts with 0.
    static void SetAnswer(HWND window, LRESULT answer);

    // Puts this object into the pending-window slot and creates the window;
    // the class must use WindowProc. Stores and returns the new handle (null
    // on failure). The slot never outlives the call.
    HWND Create(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);

    HWND GetHandle() const { return handle_; }
    void SetHandle(HWND window) { handle_ = window; }
    KvWindow* GetNext() const { return next_; }
    KvWindow* GetPrevious() const { return previous_; }

    // Registry queries.
    static KvWindow* FindWindowObject(HWND window);
    static KvWindow* FirstWindowObject();
    static KvWindow* LastWindowObject();
    static bool IsRegistered(const KvWindow* object);
    static KvWindow* NextTabStop();
    static KvWindow* PrevTabStop();
    // Reads a window's style; the tab-stop walk asks it for every candidate.
    using StyleReader = LONG_PTR (*)(HWND window);
    static LONG_PTR WindowStyle(HWND window);
    // A style that makes a tab stop: WS_TABSTOP and WS_VISIBLE both set.
    static bool IsTabStopStyle(LONG_PTR style);
    // The tab-stop walk from `focused` (the object of the focused window, or
    // null when the focus has none): the next (previous) bound object whose
    // style is a tab stop's, wrapping around; null when none other exists.
    // Without a focused object the whole registry is searched once from the
    // head (from the tail backwards).
    static KvWindow* FindTabStop(KvWindow* focused, bool backwards, StyleReader readStyle = WindowStyle);

    // The pending-window slot.
    static KvWindow* PendingWindow();
    static void SetPendingWindow(KvWindow* object);
    // Binds the pending object to `window` and empties the slot; returns it.
    static KvWindow* BindPendingWindow(HWND window);

    // Window-level operations: the platform call on this window's handle.
    HMENU GetMenu() const;
    HWND GetParent() const;
    int GetWindowText(LPSTR buffer, int size) const;
    int GetWindowTextLength() const;
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    // The window exists and is visible (false for an object without a window).
    bool IsShown() const;
    // The window's own visible style: it is on screen whenever its parent is,
    // true also while the parent is still hidden.
    bool HasShowStyle() const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL SetWindowText(LPCSTR text);
    BOOL ShowWindow(int command);
    BOOL ClientToScreen(POINT* point) const;
    BOOL ScreenToClient(POINT* point) const;
    BOOL UpdateWindow();
    LONG_PTR GetWindowLong(int index) const;
    LONG_PTR SetWindowLong(int index, LONG_PTR value);
    BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int MessageBox(LPCSTR text, LPCSTR caption, UINT type);
    BOOL EnableScrollBar(UINT which, UINT arrows);
    HWND SetFocus();
    HWND SetCapture();
    [[nodiscard]] BOOL OpenClipboard();

    // Convenience operations.
    std::string GetText() const;
    BOOL SetText(const char* text);
    int GetClientWidth() const;
    int GetClientHeight() const;
    int GetWindowWidth() const;
    int GetWindowHeight() const;
    LRESULT SendSize(WPARAM type, int width, int height);
    LRESULT Relayout();

    // A command notification the parent leaves unhandled is offered to the
    // sending control's own object through OnOtherMessage under this number
    // (wParam and lParam as the parent got them).
    static const UINT kReflectedCommand = 0x2000 + WM_COMMAND;

    // The WM_NOTIFY rule: 1 when the parent handled it, else the answer of
    // the sending window's object, else 0.
    static LRESULT NotifyWithReflection(KvWindow* parent, WPARAM wParam, LPARAM lParam);

private:
    void Register();
    void Unregister();
    LRESULT DispatchCommand(WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    KvWindow* next_ = nullptr;
    KvWindow* previous_ = nullptr;
};

// The window procedure for classes the application registers. Binds the
// pending object at a window's first message, dispatches, and answers the
// value at index 0 of the window's extra memory for handled messages.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Called by the window procedures once a window's last message
// (WM_NCDESTROY) is through: the object lets go of the dead handle, so a
// later window that gets the same handle value never reaches it.
void KvForgetDestroyedWindow(KvWindow* object, HWND window, UINT message);
