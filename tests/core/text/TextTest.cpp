#include "core/text/KvText.h"
#include "core/text/TextCaret.h"
#include "core/text/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// 表 is 95 5C (a trail byte that looks like a backslash), あ is 82 A0.
//   line 0: a b TAB 表 c          offsets 0-5, CR LF at 6-7, columns 0 1 2 8 10
//   line 1: TAB あ SP x _ 1 , y   offsets 8-16, CR LF at 17-18, columns 0 8 10 11 ...
//   line 2: (empty)               offset 19, CR LF
//   line 3: e n d                 offsets 21-23, no break
const char kText[] = "ab\t\x95\x5C" "c\r\n\t\x82\xA0 x_1,y\r\n\r\nend";

TextLayout Layout(const std::string& text = kText)
{
    TextLayout layout;
    layout.Assign(text);
    return layout;
}

}  // namespace

TEST(TextLayout, IndexesLinesAtLineFeedsInFourBytesALineWithTheCarriageReturnInTheBreak)
{
    const std::pair<std::string, std::vector<std::pair<size_t, size_t>>> cases[] = {  // lines: start, end
        {kText, {{0, 6}, {8, 17}, {19, 19}, {21, 24}}},
        {"", {{0, 0}}},
        {"a\nb\r\n", {{0, 1}, {2, 3}, {5, 5}}},
        {"a\rb", {{0, 3}}},
    };
    for (const auto& [text, lines] : cases) {
        SCOPED_TRACE(text);
        TextLayout layout;
        layout.Buffer().reserve(1000);  // as appending lines leaves it
        layout.Buffer() = text;
        layout.Index();
        ASSERT_EQ(lines.size(), layout.LineCount());
        EXPECT_EQ(lines.size() * 4, layout.IndexBytes());
        EXPECT_LE(layout.Text().capacity() - layout.Size(), 4 * layout.LineCount() + 15);  // 15: the string's own
        for (size_t line = 0; line < lines.size(); ++line) {
            EXPECT_EQ(lines[line], std::make_pair(layout.LineStart(line), layout.LineEnd(line)));
            EXPECT_EQ(line, layout.LineOf(lines[line].first));
            EXPECT_EQ(line, layout.LineOf(lines[line].second));
        }
    }
}

TEST(TextLayout, ColumnsExpandTabsToEightsAndCountDoubleBytesTwice)
{
    const TextLayout layout = Layout();
    EXPECT_EQ(16, layout.Columns());
    const std::pair<size_t, int> cases[] = {{0, 0}, {2, 2}, {3, 8}, {5, 10}, {6, 11}, {9, 8}, {11, 10}, {17, 16},
                                            {19, 0}, {24, 3}};
    for (const auto& c : cases) EXPECT_EQ(c.second, layout.ColumnOf(c.first)) << c.first;
}

TEST(TextLayout, APointFallsBeforeTheCharacterWhoseLeftHalfItIsIn)
{
    const TextLayout layout = Layout();
    const struct {
        size_t line;
        int x;
        int cell;
        size_t offset;
    } cases[] = {
        {0, -5, 1, 0}, {0, 0, 1, 0},  {0, 1, 1, 1},  {0, 2, 1, 2},  {0, 5, 1, 3},  {0, 9, 1, 5},
        {0, 100, 1, 6}, {0, 70, 8, 3}, {0, 72, 8, 5}, {1, 24, 8, 8}, {1, 32, 8, 9},  {2, 50, 8, 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.offset, layout.OffsetAt(c.line, c.x, c.cell)) << c.line << " " << c.x << " " << c.cell;
}

TEST(TextLayout, StepsNeverSplitADoubleByteCharacterOrALineBreak)
{
    const TextLayout layout = Layout();
    const struct {
        size_t offset;
        size_t next, previous, snapped;
    } cases[] = {
        {0, 1, 0, 0},     {3, 5, 2, 3},     {4, 5, 2, 3},      {5, 6, 3, 5},     {6, 8, 5, 6},
        {7, 8, 5, 6},     {8, 9, 6, 8},     {9, 11, 8, 9},     {19, 21, 17, 19}, {21, 22, 19, 21},
        {24, 24, 23, 24}, {99, 24, 23, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(c.next, layout.Next(c.offset));
        EXPECT_EQ(c.previous, layout.Previous(c.offset));
        EXPECT_EQ(c.snapped, layout.Snap(c.offset));
    }
}

TEST(TextLayout, AWordIsARunOfOneKindOfCharacter)
{
    const TextLayout layout = Layout();
    const std::pair<size_t, std::pair<size_t, size_t>> cases[] = {
        {0, {0, 2}},   {1, {0, 2}},   {2, {2, 3}},   {4, {3, 6}},   {6, {3, 6}},
        {9, {9, 11}},  {12, {12, 15}}, {15, {15, 16}}, {19, {19, 19}}, {24, {21, 24}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.second, layout.WordAt(c.first)) << c.first;
}

// Runs written as "offset+length@column".
TEST(TextLayout, RunsAreThePiecesBetweenTabsAtTheirColumns)
{
    const TextLayout layout = Layout();
    for (const auto& [line, expected] : {std::pair<size_t, std::string>{0, "0+2@0 3+3@8 "}, {1, "9+8@8 "}, {2, ""}}) {
        std::vector<TextLayout::Run> runs;
        layout.Runs(line, runs);
        std::string text;
        for (const TextLayout::Run& r : runs)
            text += std::to_string(r.offset) + "+" + std::to_string(r.length) + "@" + std::to_string(r.column) + " ";
        EXPECT_EQ(expected, text) << line;
    }
}

// Both ends snap to character boundaries inside the text, then keys move
// the caret and extend the selection from the anchor.
TEST(TextCaret, KeysMoveTheCaretAndExtendTheSelectionFromTheAnchor)
{
    const TextLayout layout = Layout();
    const struct {
        size_t anchor, caret;
        std::vector<CaretMove> moves;
        bool extend;
        size_t pageLines;
        size_t anchorAfter, caretAfter;
    } cases[] = {
        {4, 7, {}, false, 1, 3, 6},
        {7, 4, {}, false, 1, 6, 3},
        {100, 100, {}, false, 1, 24, 24},
        {0, 0, {CaretMove::Right}, false, 1, 1, 1},
        {5, 5, {CaretMove::Left}, true, 1, 5, 3},
        {0, 5, {CaretMove::Right}, false, 1, 6, 6},
        {5, 5, {CaretMove::Down}, false, 1, 11, 11},
        {12, 12, {CaretMove::Up}, true, 1, 12, 6},
        {0, 0, {CaretMove::Up}, false, 1, 0, 0},
        {5, 5, {CaretMove::Down, CaretMove::Down, CaretMove::Up}, false, 1, 11, 11},
        {5, 5, {CaretMove::Down, CaretMove::Down, CaretMove::Down}, true, 1, 5, 24},
        {9, 9, {CaretMove::Home}, false, 1, 8, 8},
        {9, 9, {CaretMove::End}, true, 1, 9, 17},
        {9, 9, {CaretMove::TextEnd}, true, 1, 9, 24},
        {9, 12, {CaretMove::TextStart}, false, 1, 0, 0},
        {0, 0, {CaretMove::PageDown}, false, 2, 19, 19},
        {0, 0, {CaretMove::PageDown}, false, 10, 21, 21},
        {22, 22, {CaretMove::PageUp}, true, 2, 22, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        TextCaret caret;
        caret.Set(layout, c.anchor, c.caret);
        for (CaretMove move : c.moves) caret.Move(layout, move, c.extend, c.pageLines, 1);
        EXPECT_EQ(c.anchorAfter, caret.Anchor());
        EXPECT_EQ(c.caretAfter, caret.Caret());
        EXPECT_EQ(std::min(c.anchorAfter, c.caretAfter), caret.Start());
        EXPECT_EQ(std::max(c.anchorAfter, c.caretAfter), caret.End());
    }
}

// Lead bytes are 81-9F and E0-EF: each makes one character with the byte
// after it, even at the end of the text.
TEST(KvText, CharCountTakesLeadAndTrailAsOne)
{
    const std::pair<const char*, int> cases[] = {
        {"\x80" "A", 2}, {"\x81" "A", 1}, {"\x9F" "A", 1}, {"\xA0" "A", 2}, {"\xDF" "A", 2},
        {"\xE0" "A", 1}, {"\xEF" "A", 1}, {"\xF0" "A", 2}, {"A\x82\xA0" "B", 3}, {"A\x82", 2},
    };
    for (const auto& [text, count] : cases) EXPECT_EQ(count, KvText(text).CharCount()) << text;
}

TEST(KvText, ReplaceAllSkipsTrailBytesAndRestartsFromTheStart)
{
    const struct {
        const char* text;
        const char* from;
        const char* to;
        int result;
        const char* after;
    } cases[] = {
        {"\\tdb\\t%d", "\\t", "\t", 6, "\tdb\t%d"},
        {"abc", "\\t", "\t", -1, "abc"},
        {"abc", "", "x", -1, "abc"},
        // 表 is 95 5C: its trail byte followed by "t" is not a backslash-t pair.
        {"\x95\x5Ct\\t", "\\t", "\t", 3, "\x95\x5Ct\t"},
        {"\x95\x5Ct", "\\t", "\t", -1, "\x95\x5Ct"},
        // Each pass searches from the start again: a join into a new occurrence is replaced too.
        {"aab", "ab", "b", 1, "b"},
        {"xax", "a", "aa", 4, "xaax"},  // a replacement holding the searched text is replaced once
        // A searched text ending in a lead byte takes the byte after the match with it.
        {"\x82\x82\x82", "\x82", "\x82" "a", 3, "\x82" "a\x82\x82" "a"},
    };
    for (const auto& c : cases) {
        KvText text(c.text);
        EXPECT_EQ(c.result, text.ReplaceAll(c.from, c.to)) << c.text;
        EXPECT_STREQ(c.after, text.CStr());
    }
}
