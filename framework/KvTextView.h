#pragma once
// KvTextView: a read-only text view that does what a read-only multi-line
// edit does (select with the mouse and the caret keys, copy, select all, a
// context menu, the edit's text and selection messages) at a cost that does
// not grow with the text: it keeps the text as one buffer with an index of
// line starts and draws only the lines in sight, each on a grid of cells the
// width of the font's average character. It owns its text, not its font.
#include "core/text/TextCaret.h"
#include "core/text/TextLayout.h"
#include "framework/KvWindow.h"

#include <string>

class KvTextView : public KvWindow {
public:
    // The context menu's commands.
    static const UINT kCopyCommand = 1;
    static const UINT kSelectAllCommand = 2;

    KvTextView();
    ~KvTextView() override;

    // A child window of the application's instance.
    HWND Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent, HMENU id);

    // The text itself, to be filled in place; ShowText() shows what it holds.
    std::string& TextBuffer() { return layout_.Buffer(); }
    const std::string& Text() const { return layout_.Text(); }
    // Indexes the buffer, puts the caret at the start and the first line at
    // the top, and tells the parent (EN_CHANGE, as an edit does).
    void ShowText();
    const TextLayout& Layout() const { return layout_; }
    const TextCaret& Selection() const { return caret_; }
    size_t TopLine() const { return top_; }

    // The context menu with its items greyed as they apply; the caller owns it.
    HMENU CreateContextMenu() const;
    // Puts `size` bytes on the clipboard as CF_TEXT; false when it could not.
    static bool CopyText(HWND owner, const char* text, size_t size);

    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(KvPaintDC* dc) override;
    LRESULT OnEraseBkgnd(KvDC* dc) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;
    LRESULT OnVScroll(UINT code, UINT position, KvWindow* scrollBar) override;
    LRESULT OnHScroll(UINT code, UINT position, KvWindow* scrollBar) override;
    LRESULT OnKeyDown(WPARAM virtualKey, LPARAM keyData) override;
    LRESULT OnLButtonDown(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnLButtonDblClk(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnMouseMove(UINT keys, UINT x, UINT y) override;
    LRESULT OnSetFocus(KvWindow* losing) override;
    LRESULT OnKillFocus(KvWindow* gaining) override;

private:
    LRESULT Answer(LRESULT value);
    void Measure();
    int VisibleLines() const;
    size_t OffsetAtPoint(int x, int y) const;
    void Select(size_t anchor, size_t caret);
    void SelectAll();
    void CopySelection();
    void ScrollTo(size_t top, int left);
    void ScrollCaretIntoView();
    void UpdateScrollBars();
    void PlaceCaret();
    void ShowContextMenu(int x, int y);
    void PaintLine(HDC dc, size_t line, int y, int width);
    void DrawPiece(HDC dc, size_t from, size_t to, int column, int y, bool selected);

    TextLayout layout_;
    TextCaret caret_;
    HFONT font_ = nullptr;
    int cell_ = 8;        // pixels a column
    int lineHeight_ = 16;
    size_t top_ = 0;      // first line in sight
    int left_ = 0;        // pixels scrolled to the right
    int wheelRest_ = 0;   // of wheel turns smaller than a line
    bool dragging_ = false;
    bool focused_ = false;
};
