#pragma once
// TextCaret: the selection of a text view, as an edit control keeps it: the
// anchor where it began and the caret where it ends, both on character
// boundaries of a TextLayout; and the caret's moves by the keys.
#include "core/text/TextLayout.h"

#include <cstddef>

enum class CaretMove { Left, Right, Up, Down, Home, End, PageUp, PageDown, TextStart, TextEnd };

class TextCaret {
public:
    size_t Anchor() const { return anchor_; }
    size_t Caret() const { return caret_; }
    size_t Start() const { return anchor_ < caret_ ? anchor_ : caret_; }
    size_t End() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool Empty() const { return anchor_ == caret_; }

    // Both ends snapped to boundaries of `text` (and cut to its size).
    void Set(const TextLayout& text, size_t anchor, size_t caret);
    // Puts the caret at `offset`; the anchor stays when `extend`.
    void MoveTo(const TextLayout& text, size_t offset, bool extend);
    // Up and down keep the x where they started (columns `cell` wide);
    // a page is `pageLines` lines.
    void Move(const TextLayout& text, CaretMove move, bool extend, size_t pageLines, int cell);

private:
    size_t anchor_ = 0;
    size_t caret_ = 0;
    int goalX_ = -1;  // of a run of up and down moves
};
