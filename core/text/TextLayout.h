#pragma once
// TextLayout: a read-only Shift-JIS text held as one buffer with the offsets
// where its lines start (4 bytes a line), and the arithmetic a text view does
// on it: columns with tabs expanded, a point to a character, character and
// word boundaries that never split a lead byte from its trail byte.
//
// A line ends at LF; a CR right before the LF belongs to the break. A tab
// moves to the next multiple of kTabColumns, a double-byte character takes
// two columns, every other byte one. Offsets are bytes from the start.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TextLayout {
public:
    static constexpr int kTabColumns = 8;

    // The buffer itself, for filling in place; Index() must follow a change.
    std::string& Buffer() { return text_; }
    const std::string& Text() const { return text_; }
    void Assign(std::string text);
    // Finds the line starts and the widest line, and gives back the
    // buffer's spare room beyond 4 bytes a line. Lines past 4 GiB are not
    // indexed: they show as part of the last line indexed.
    void Index();

    size_t Size() const { return text_.size(); }
    size_t LineCount() const { return starts_.size(); }  // at least 1
    size_t LineStart(size_t line) const;
    size_t LineEnd(size_t line) const;  // before the line's break
    size_t LineOf(size_t offset) const;
    int Columns() const { return columns_; }  // of the widest line
    size_t IndexBytes() const { return starts_.capacity() * sizeof starts_[0]; }

    // The column where the character at `offset` starts.
    int ColumnOf(size_t offset) const;
    // The character boundary on `line` nearest to `x`, with columns `cell` wide.
    size_t OffsetAt(size_t line, int x, int cell) const;
    // The boundary after (before) `offset`; a line break is one step.
    size_t Next(size_t offset) const;
    size_t Previous(size_t offset) const;
    // The boundary at or before `offset` (never inside a break).
    size_t Snap(size_t offset) const;
    // The run of characters of one kind around `offset`: spaces and tabs,
    // letters, digits and double-byte characters, or other signs.
    std::pair<size_t, size_t> WordAt(size_t offset) const;

    // The pieces of a line between its tabs, for drawing.
    struct Run {
        size_t offset;
        size_t length;
        int column;
    };
    void Runs(size_t line, std::vector<Run>& runs) const;

private:
    // Calls step(offset, length, column, width) for each character of the
    // line until it answers false.
    template <class Step>
    void Walk(size_t line, Step step) const;

    std::string text_;
    std::vector<uint32_t> starts_{0};
    int columns_ = 0;
};
