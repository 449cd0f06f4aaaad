#include "core/text/TextCaret.h"

void TextCaret::Set(const TextLayout& text, size_t anchor, size_t caret)
{
    anchor_ = text.Snap(anchor);
    caret_ = text.Snap(caret);
    goalX_ = -1;
}

void TextCaret::MoveTo(const TextLayout& text, size_t offset, bool extend)
{
    Set(text, extend ? anchor_ : offset, offset);
}

void TextCaret::Move(const TextLayout& text, CaretMove move, bool extend, size_t pageLines, int cell)
{
    const size_t line = text.LineOf(caret_);
    size_t lines = 0;  // down when positive
    bool up = false;
    switch (move) {
    case CaretMove::Left: return MoveTo(text, text.Previous(caret_), extend);
    case CaretMove::Right: return MoveTo(text, text.Next(caret_), extend);
    case CaretMove::Home: return MoveTo(text, text.LineStart(line), extend);
    case CaretMove::End: return MoveTo(text, text.LineEnd(line), extend);
    case CaretMove::TextStart: return MoveTo(text, 0, extend);
    case CaretMove::TextEnd: return MoveTo(text, text.Size(), extend);
    case CaretMove::Up: up = true; lines = 1; break;
    case CaretMove::Down: lines = 1; break;
    case CaretMove::PageUp: up = true; lines = pageLines ? pageLines : 1; break;
    case CaretMove::PageDown: lines = pageLines ? pageLines : 1; break;
    }
    const int goal = goalX_ >= 0 ? goalX_ : text.ColumnOf(caret_) * cell;
    const size_t last = text.LineCount() - 1;
    const size_t target = up ? (line > lines ? line - lines : 0) : (last - line > lines ? line + lines : last);
    MoveTo(text, text.OffsetAt(target, goal, cell), extend);
    goalX_ = goal;
}
