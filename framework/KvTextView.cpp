#include "framework/KvTextView.h"

#include "framework/KvApplication.h"
#include "framework/KvDC.h"
#include "framework/KvGlobalMemory.h"
#include "framework/KvPaintDC.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char kClassName[] = "KVSDK_TextView";
const int kMargin = 1;  // pixels left of the first column

int Signed16(UINT value) { return static_cast<short>(value & 0xFFFF); }
bool KeyDown(int key) { return GetKeyState(key) < 0; }

ATOM RegisterTextViewClass(HINSTANCE instance)
{
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    if (GetClassInfoExA(instance, kClassName, &description)) return 1;
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = WindowProc;
    description.cbWndExtra = sizeof(LONG_PTR);  // the answer of a handled message
    description.hInstance = instance;
    description.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    description.lpszClassName = kClassName;
    return RegisterClassExA(&description);
}

}  // namespace

KvTextView::KvTextView() = default;
KvTextView::~KvTextView() = default;

HWND KvTextView::Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent, HMENU id)
{
    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    RegisterTextViewClass(instance);
    const HWND window =
        KvWindow::Create(exStyle, kClassName, "", style, x, y, width, height, parent, id, instance, nullptr);
    if (window && !font_) Measure();  // the system font's cells until a font is set
    return window;
}

LRESULT KvTextView::Answer(LRESULT value)
{
    SetWindowLong(0, value);
    return 1;
}

// ---- the text and the selection -----------------------------------------

void KvTextView::ShowText()
{
    layout_.Index();
    caret_.Set(layout_, 0, 0);
    top_ = 0;
    left_ = 0;
    if (!GetHandle()) return;
    UpdateScrollBars();
    PlaceCaret();
    InvalidateRect(GetHandle(), nullptr, FALSE);
    ::SendMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(GetHandle()), EN_CHANGE),
                   reinterpret_cast<LPARAM>(GetHandle()));
}

void KvTextView::Select(size_t anchor, size_t caret)
{
    caret_.Set(layout_, anchor, caret);
    InvalidateRect(GetHandle(), nullptr, FALSE);
    PlaceCaret();
}

void KvTextView::SelectAll() { Select(0, layout_.Size()); }

void KvTextView::CopySelection()
{
    if (caret_.Empty()) return;
    CopyText(GetHandle(), Text().data() + caret_.Start(), caret_.End() - caret_.Start());
}

bool KvTextView::CopyText(HWND owner, const char* text, size_t size)
{
    KvGlobalMemory memory;
    if (!memory.Alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1)) return false;
    char* block = static_cast<char*>(memory.Lock());
    if (!block) return false;
    std::memcpy(block, text, size);
    memory.Unlock();
    if (!::OpenClipboard(owner)) {
        GlobalFree(memory.GetHandle());  // nobody took it
        return false;
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_TEXT, memory.GetHandle()) != nullptr;
    if (!taken) GlobalFree(memory.GetHandle());
    CloseClipboard();
    return taken;
}

// ---- geometry -------------------------------------------------------------

void KvTextView::Measure()
{
    HDC dc = GetDC(GetHandle());
    const HGDIOBJ before = SelectObject(dc, font_ ? font_ : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc, &metrics)) {
        cell_ = std::max<int>(1, metrics.tmAveCharWidth);
        lineHeight_ = std::max<int>(1, metrics.tmHeight);
    }
    SelectObject(dc, before);
    ReleaseDC(GetHandle(), dc);
}

int KvTextView::VisibleLines() const { return std::max(1, GetClientHeight() / lineHeight_); }

size_t KvTextView::OffsetAtPoint(int x, int y) const
{
    const long long line = static_cast<long long>(top_) + (y < 0 ? -1 : y / lineHeight_);
    const size_t last = layout_.LineCount() - 1;
    const size_t clamped = line < 0 ? 0 : std::min<size_t>(size_t(line), last);
    return layout_.OffsetAt(clamped, x - kMargin + left_, cell_);
}

void KvTextView::ScrollTo(size_t top, int left)
{
    const size_t lines = layout_.LineCount();
    const size_t page = size_t(VisibleLines());
    top = std::min(top, lines > page ? lines - page : 0);
    const int widest = layout_.Columns() * cell_ + kMargin + cell_;
    left = std::max(0, std::min(left, widest - GetClientWidth()));
    if (top == top_ && left == left_) return;
    top_ = top;
    left_ = left;
    UpdateScrollBars();
    InvalidateRect(GetHandle(), nullptr, FALSE);
    PlaceCaret();
}

void KvTextView::ScrollCaretIntoView()
{
    const size_t line = layout_.LineOf(caret_.Caret());
    const size_t page = size_t(VisibleLines());
    size_t top = top_;
    if (line < top) top = line;
    if (line >= top + page) top = line - page + 1;
    const int x = layout_.ColumnOf(caret_.Caret()) * cell_;
    const int width = std::max(cell_, GetClientWidth() - kMargin - cell_);
    int left = left_;
    if (x < left) left = std::max(0, x - width / 4);
    if (x > left + width) left = x - width + width / 4;
    ScrollTo(top, left);
}

void KvTextView::UpdateScrollBars()
{
    // Each bar is set only when it changes: setting one draws it.
    auto set = [this](int bar, int maximum, int page, int position) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (GetScrollInfo(GetHandle(), bar, &info) && info.nMin == 0 && info.nMax == maximum &&
            info.nPage == UINT(page) && info.nPos == position)
            return;
        info.fMask |= SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = maximum;
        info.nPage = UINT(page);
        info.nPos = position;
        SetScrollInfo(GetHandle(), bar, &info, TRUE);
    };
    set(SB_VERT, int(std::min<size_t>(layout_.LineCount() - 1, 0x7FFFFFFF)), VisibleLines(), int(top_));
    set(SB_HORZ, layout_.Columns() * cell_ + kMargin + cell_ - 1, std::max(0, GetClientWidth()), left_);
}

void KvTextView::PlaceCaret()
{
    if (!focused_) return;
    const size_t line = layout_.LineOf(caret_.Caret());
    const long long y = (static_cast<long long>(line) - static_cast<long long>(top_)) * lineHeight_;
    const int x = kMargin + layout_.ColumnOf(caret_.Caret()) * cell_ - left_;
    // Far out of sight the caret waits just outside the window.
    SetCaretPos(x, int(std::max<long long>(-lineHeight_, std::min<long long>(y, GetClientHeight()))));
}

// ---- drawing --------------------------------------------------------------

LRESULT KvTextView::OnEraseBkgnd(KvDC*) { return Answer(1); }

LRESULT KvTextView::OnPaint(KvPaintDC* paint)
{
    const HDC dc = paint->GetHandle();
    const RECT& dirty = paint->GetPaintStruct()->rcPaint;
    const HGDIOBJ before = SelectObject(dc, font_ ? font_ : GetStockObject(SYSTEM_FONT));
    const int width = GetClientWidth();
    for (int y = dirty.top - dirty.top % lineHeight_; y < dirty.bottom; y += lineHeight_)
        PaintLine(dc, top_ + size_t(y / lineHeight_), y, width);
    SelectObject(dc, before);
    return Answer(0);
}

void KvTextView::PaintLine(HDC dc, size_t line, int y, int width)
{
    const bool enabled = IsWindowEnabled(GetHandle()) != FALSE;
    RECT row{0, y, width, y + lineHeight_};
    FillRect(dc, &row, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    // As in an edit, a line that does not fit whole is not drawn.
    if (line >= layout_.LineCount() || y + lineHeight_ > GetClientHeight()) return;
    const size_t start = layout_.LineStart(line), end = layout_.LineEnd(line);
    const size_t from = std::max(start, caret_.Start()), to = std::min(end, caret_.End());
    if (!caret_.Empty() && caret_.Start() <= end && caret_.End() > start && from <= to) {
        // The selection's cells, tabs too; a selected line break shows as one more cell.
        RECT marked{kMargin + layout_.ColumnOf(from) * cell_ - left_, y,
                    kMargin + layout_.ColumnOf(to) * cell_ - left_ + (caret_.End() > end ? cell_ : 0),
                    y + lineHeight_};
        FillRect(dc, &marked, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    SetBkMode(dc, TRANSPARENT);
    std::vector<TextLayout::Run> runs;
    layout_.Runs(line, runs);
    for (const TextLayout::Run& run : runs) {
        const int x = kMargin + run.column * cell_ - left_;
        if (x > width) break;
        const size_t runEnd = run.offset + run.length;
        const size_t cut[] = {run.offset, std::clamp(caret_.Start(), run.offset, runEnd),
                              std::clamp(caret_.End(), run.offset, runEnd), runEnd};
        for (int piece = 0; piece < 3; ++piece) {
            if (cut[piece] < cut[piece + 1])
                DrawPiece(dc, cut[piece], cut[piece + 1], layout_.ColumnOf(cut[piece]), y, piece == 1);
        }
    }
}

void KvTextView::DrawPiece(HDC dc, size_t from, size_t to, int column, int y, bool selected)
{
    const bool enabled = IsWindowEnabled(GetHandle()) != FALSE;
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // Every byte one cell wide puts each character on the grid, whatever the font.
    const std::vector<INT> cells(to - from, cell_);
    ExtTextOutA(dc, kMargin + column * cell_ - left_, y, 0, nullptr, Text().data() + from, UINT(to - from),
                cells.data());
}

// ---- scrolling ------------------------------------------------------------

LRESULT KvTextView::OnSize(WPARAM, UINT, UINT)
{
    UpdateScrollBars();
    ScrollTo(top_, left_);  // a larger window may show more of the end
    return Answer(0);
}

LRESULT KvTextView::OnVScroll(UINT code, UINT, KvWindow*)
{
    const size_t page = size_t(VisibleLines());
    size_t top = top_;
    switch (code) {
    case SB_LINEUP: top = top ? top - 1 : 0; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top = top > page ? top - page : 0; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = layout_.LineCount(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit position: the message's own is cut to 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(GetHandle(), SB_VERT, &info);
        top = size_t(std::max(0, info.nTrackPos));
        break;
    }
    default: return Answer(0);
    }
    ScrollTo(top, left_);
    return Answer(0);
}

LRESULT KvTextView::OnHScroll(UINT code, UINT position, KvWindow*)
{
    const int page = std::max(cell_, GetClientWidth() - cell_);
    int left = left_;
    switch (code) {
    case SB_LINELEFT: left -= cell_; break;
    case SB_LINERIGHT: left += cell_; break;
    case SB_PAGELEFT: left -= page; break;
    case SB_PAGERIGHT: left += page; break;
    case SB_LEFT: left = 0; break;
    case SB_RIGHT: left = layout_.Columns() * cell_; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: left = int(position); break;
    default: return Answer(0);
    }
    ScrollTo(top_, left);
    return Answer(0);
}

// ---- keyboard and mouse ---------------------------------------------------

LRESULT KvTextView::OnKeyDown(WPARAM key, LPARAM)
{
    const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
    if (control && key == 'A') {
        SelectAll();
        return Answer(0);
    }
    if (control && (key == 'C' || key == VK_INSERT)) {
        CopySelection();
        return Answer(0);
    }
    CaretMove move;
    switch (key) {
    case VK_LEFT: move = CaretMove::Left; break;
    case VK_RIGHT: move = CaretMove::Right; break;
    case VK_UP: move = CaretMove::Up; break;
    case VK_DOWN: move = CaretMove::Down; break;
    case VK_PRIOR: move = CaretMove::PageUp; break;
    case VK_NEXT: move = CaretMove::PageDown; break;
    case VK_HOME: move = control ? CaretMove::TextStart : CaretMove::Home; break;
    case VK_END: move = control ? CaretMove::TextEnd : CaretMove::End; break;
    default: return 0;
    }
    const size_t page = size_t(VisibleLines());
    caret_.Move(layout_, move, shift, page, cell_);
    InvalidateRect(GetHandle(), nullptr, FALSE);
    // A page key turns the page, as the caret does.
    if (move == CaretMove::PageDown) ScrollTo(top_ + page, left_);
    if (move == CaretMove::PageUp) ScrollTo(top_ > page ? top_ - page : 0, left_);
    ScrollCaretIntoView();
    PlaceCaret();
    return Answer(0);
}

LRESULT KvTextView::OnLButtonDown(WPARAM keys, UINT x, UINT y)
{
    SetFocus();
    const size_t offset = OffsetAtPoint(Signed16(x), Signed16(y));
    Select((keys & MK_SHIFT) ? caret_.Anchor() : offset, offset);
    ScrollCaretIntoView();
    SetCapture();
    dragging_ = true;
    return Answer(0);
}

LRESULT KvTextView::OnMouseMove(UINT, UINT x, UINT y)
{
    if (!dragging_ || ::GetCapture() != GetHandle()) return Answer(0);
    Select(caret_.Anchor(), OffsetAtPoint(Signed16(x), Signed16(y)));
    ScrollCaretIntoView();
    return Answer(0);
}

LRESULT KvTextView::OnLButtonUp(WPARAM, UINT, UINT)
{
    if (dragging_ && ::GetCapture() == GetHandle()) ReleaseCapture();
    dragging_ = false;
    return Answer(0);
}

LRESULT KvTextView::OnLButtonDblClk(WPARAM, UINT x, UINT y)
{
    const std::pair<size_t, size_t> word = layout_.WordAt(OffsetAtPoint(Signed16(x), Signed16(y)));
    Select(word.first, word.second);
    return Answer(0);
}

LRESULT KvTextView::OnSetFocus(KvWindow*)
{
    focused_ = true;
    CreateCaret(GetHandle(), nullptr, 1, lineHeight_);
    PlaceCaret();
    ShowCaret(GetHandle());
    return Answer(0);
}

LRESULT KvTextView::OnKillFocus(KvWindow*)
{
    focused_ = false;
    DestroyCaret();
    return Answer(0);
}

HMENU KvTextView::CreateContextMenu() const
{
    const HMENU menu = CreatePopupMenu();
    const bool all = caret_.Start() == 0 && caret_.End() == layout_.Size();
    AppendMenuA(menu, MF_STRING | (caret_.Empty() ? MF_GRAYED : 0), kCopyCommand, "コピー(&C)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (all ? MF_GRAYED : 0), kSelectAllCommand, "すべて選択(&A)");
    return menu;
}

void KvTextView::ShowContextMenu(int x, int y)
{
    SetFocus();
    if (x == -1 && y == -1) {  // from the keyboard: at the caret
        POINT caret{};
        GetCaretPos(&caret);
        ClientToScreen(&caret);
        x = caret.x;
        y = caret.y + lineHeight_;
    }
    const HMENU menu = CreateContextMenu();
    const UINT chosen = UINT(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0,
                                              GetHandle(), nullptr));
    DestroyMenu(menu);
    if (chosen == kCopyCommand) CopySelection();
    if (chosen == kSelectAllCommand) SelectAll();
}

// ---- messages -------------------------------------------------------------

LRESULT KvTextView::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A handled message answers 0 unless its handler leaves another answer.
    if (GetHandle() == window) SetWindowLong(0, 0);
    return KvWindow::Dispatch(window, message, wParam, lParam);
}

LRESULT KvTextView::OnOtherMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETTEXTLENGTH: return Answer(LRESULT(Text().size()));
    case WM_GETTEXT: {
        if (!wParam || !lParam) return Answer(0);
        const size_t count = std::min<size_t>(wParam - 1, Text().size());
        std::memcpy(reinterpret_cast<char*>(lParam), Text().data(), count);
        reinterpret_cast<char*>(lParam)[count] = '\0';
        return Answer(LRESULT(count));
    }
    case WM_SETTEXT:
        TextBuffer().assign(lParam ? reinterpret_cast<const char*>(lParam) : "");
        ShowText();
        return Answer(TRUE);
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        Measure();
        UpdateScrollBars();
        if (focused_) OnSetFocus(nullptr);  // a caret of the new height
        if (lParam) InvalidateRect(GetHandle(), nullptr, FALSE);
        return Answer(0);
    case WM_GETFONT: return Answer(reinterpret_cast<LRESULT>(font_));
    case EM_GETSEL: {
        const DWORD start = DWORD(caret_.Start()), end = DWORD(caret_.End());
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
        return Answer(start > 0xFFFF || end > 0xFFFF ? -1 : LRESULT(MAKELONG(start, end)));
    }
    case EM_SETSEL: {
        // -1 as the start keeps the caret and drops the selection; a
        // negative end is the end of the text.
        const long long start = static_cast<int>(wParam), end = static_cast<int>(lParam);
        if (start < 0) Select(caret_.Caret(), caret_.Caret());
        else Select(size_t(start), end < 0 ? layout_.Size() : size_t(end));
        return Answer(0);
    }
    case EM_SCROLLCARET: ScrollCaretIntoView(); return Answer(1);
    case WM_COPY: CopySelection(); return Answer(0);
    case WM_GETDLGCODE: return Answer(DLGC_WANTARROWS | DLGC_WANTCHARS);
    case WM_CAPTURECHANGED: dragging_ = false; return Answer(0);
    case WM_ENABLE: InvalidateRect(GetHandle(), nullptr, FALSE); return Answer(0);
    case WM_CONTEXTMENU: ShowContextMenu(Signed16(KvLow32(lParam)), Signed16(KvLow32(lParam) >> 16)); return Answer(0);
    case WM_MOUSEWHEEL: {
        UINT perNotch = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
        wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam) * int(perNotch);
        const int lines = wheelRest_ / WHEEL_DELTA;
        wheelRest_ -= lines * WHEEL_DELTA;
        const long long top = static_cast<long long>(top_) - lines;
        ScrollTo(top < 0 ? 0 : size_t(top), left_);
        return Answer(0);
    }
    default: return 0;
    }
}
