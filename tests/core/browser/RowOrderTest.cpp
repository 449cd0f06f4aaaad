// The order of the file list's rows: kinds first, then the chosen column.
#include "core/browser/RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

struct Row {
    const char* name;
    RowKeys keys;
};

// kind, size, time, type, format, sequence name, copyright
const Row kRows[] = {
    {"d2", {1, 0, 50, "folder", -1, "", ""}},
    {"a", {2, (4ull << 30) + 10, 30, "text", -1, "", ""}},  // low 32 bits: 10
    {"n", {0, 0, 0, "", -1, "", ""}},
    {"c", {2, 100, 10, "MIDI", 1, "zeta", "(c) B"}},
    {"e", {2, 100, 40, "midi", 0, "Alpha", "(c) a"}},
    {"b", {2, 0xFFFFFFFFull, 20, "Text", 2, "beta", ""}},
    {"d1", {1, 0, 60, "folder", -1, "", ""}},
};

std::string Sorted(const RowOrder& order)
{
    const Row* rows[std::size(kRows)];
    for (size_t i = 0; i < std::size(kRows); ++i) rows[i] = &kRows[i];
    std::sort(std::begin(rows), std::end(rows), [&](const Row* x, const Row* y) {
        return order.Compare(x->keys, y->keys, std::strcmp(x->name, y->name)) < 0;
    });
    std::string text;
    for (const Row* row : rows) text += std::string(row->name) + " ";
    return text;
}

TEST(RowOrder, EachColumnOrdersWithinTheKindsAndTiesFallToTheName)
{
    const struct {
        int column;
        const char* ascending;
        const char* descending;
    } cases[] = {
        {RowOrder::kName, "n d1 d2 a b c e ", "n d2 d1 e c b a "},
        {RowOrder::kSize, "n d1 d2 c e b a ", "n d2 d1 a b e c "},
        {RowOrder::kType, "n d1 d2 c e a b ", "n d2 d1 b a e c "},
        {RowOrder::kModified, "n d2 d1 c b a e ", "n d1 d2 e a b c "},
        {RowOrder::kFormat, "n d1 d2 a e c b ", "n d2 d1 b c e a "},
        {RowOrder::kSequenceName, "n d1 d2 a e b c ", "n d2 d1 c b e a "},
        {RowOrder::kCopyright, "n d1 d2 a b e c ", "n d2 d1 c e b a "},
    };
    RowOrder order;
    EXPECT_EQ(0, order.Compare(kRows[1].keys, kRows[3].keys, -1)) << "by default only the kind counts";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        order.Arrange(c.column);
        order.Click(RowOrder::kColumns);  // no such column: nothing changes
        EXPECT_EQ(c.ascending, Sorted(order));
        order.Click(c.column);
        EXPECT_TRUE(order.Descending());
        EXPECT_EQ(c.descending, Sorted(order));
    }
}

TEST(RowOrder, TextsIgnoreAsciiCaseButNeverFoldASecondByte)
{
    EXPECT_EQ(0, CompareTexts("Midi", "mIDI"));
    EXPECT_EQ(0, CompareTexts("", nullptr));
    EXPECT_LT(CompareTexts(nullptr, "a"), 0);
    EXPECT_LT(CompareTexts("a", "\x82\xa0"), 0);
    // The second bytes 'A' (0x41) and 'a' (0x61) make different characters.
    EXPECT_LT(CompareTexts("\x83\x41", "\x83\x61"), 0);
}

}  // namespace
