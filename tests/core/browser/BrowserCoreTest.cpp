// Path parts and bounded field copies; the folders shown, back and forward,
// and the parent of an item id list.
#include "core/browser/IdListBytes.h"
#include "core/browser/ItemTexts.h"
#include "core/browser/NavigationHistory.h"
#include "core/browser/PathUtilities.h"
#include "core/browser/RowOrder.h"
#include "core/browser/StatusLine.h"
#include "core/midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

TEST(ItemTexts, CopyToFieldStopsBeforeTheEndAndNeverSplitsACharacter)
{
    const struct {
        const char* text;
        size_t capacity;
        const char* expected;
    } cases[] = {
        {"abcdefgh", 4, "abc"}, {"ab\x95\x5C", 4, "ab"}, {"a\x95\x5C", 4, "a\x95\x5C"}, {"ab\x95", 8, "ab"},
        {nullptr, 4, ""},
    };
    for (const auto& c : cases) {
        char field[16];
        std::memset(field, 'x', sizeof field);
        CopyToField(field, c.capacity, c.text);
        EXPECT_STREQ(field, c.expected);
        EXPECT_EQ(field[c.capacity], 'x') << "nothing written past the field";
    }
}

// 表 ends in the byte 0x5C: it is no separator.
TEST(PathUtilities, PartsSplitAtTheLastSeparatorAndTheNamesLastDot)
{
    const struct {
        const char* path;
        const char* directory;
        const char* extension;
    } cases[] = {
        {"C:\\MIDI\\song.mid", "C:\\MIDI\\", "mid"},   {"C:\\MIDI.OLD\\readme", "C:\\MIDI.OLD\\", ""},
        {"a.tar.MID", "", "MID"},                      {"C:song.", "C:", ""},
        {"/home/u/.bashrc", "/home/u/", "bashrc"},     {"C:\\a.\x95\x5C", "C:\\", "\x95\x5C"},
        {"C:\\\x95\x5C" "a\\x.mid", "C:\\\x95\x5C" "a\\", "mid"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.directory, DirectoryOf(c.path)) << c.path;
        EXPECT_EQ(c.extension, ExtensionOf(c.path)) << c.path;
    }
    EXPECT_EQ("song.mid", PathParts("C:\\MIDI\\song.mid", kPathFileName | kPathExtension));
    EXPECT_EQ("C:\\MIDI\\.mid", PathParts("C:\\MIDI\\song.mid", kPathDirectory | kPathExtension));
}

// ソ and 表 end in 0x5C, the character 0x8B 0x7C in "|": parts of characters, not separators or bars.
TEST(PathUtilities, AnItemNameHoldsNoSeparatorWildcardOrControlCharacter)
{
    const std::pair<const char*, bool> cases[] = {
        {"song.mid", true},    {"\x83\x5C\x95\x5C.mid", true}, {"\x8B\x7C", true}, {"a b (1)", true},
        {"", false},           {"a?b", false},                {"a\\b", false},  {"a/b", false},
        {"a:b", false},        {"*", false},                  {"\"q\"", false}, {"<a>", false},
        {"a|b", false},        {"tab\t", false},             {"\x83", false},
    };
    for (const auto& [name, valid] : cases) EXPECT_EQ(valid, IsValidItemName(name)) << name;
}

TEST(NavigationHistory, StepsBackAndForwardAVisitDropsWhatLiesAheadAndTheNewestPlacesAreKept)
{
    NavigationHistory h;
    EXPECT_EQ(nullptr, h.Current());
    EXPECT_FALSE(h.CanGoBack());
    for (const char* place : {"a", "b", "b", "c"}) h.Visit(place);  // the same place twice is one step
    EXPECT_EQ("b", *h.Back());
    EXPECT_EQ("a", *h.Back());
    EXPECT_EQ(nullptr, h.Back());
    EXPECT_EQ("b", *h.Forward());
    h.Visit("b");  // the current place again keeps what lies ahead
    EXPECT_TRUE(h.CanGoForward());
    h.Visit("d");
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ("b", *h.Back());
    // Past its limit the history keeps the newest places.
    const size_t visits = NavigationHistory::kMaxPlaces + 10;
    for (size_t i = 0; i < visits; ++i) h.Visit(std::to_string(i));
    size_t steps = 0;
    const std::string* place = h.Current();
    for (const std::string* back; (back = h.Back()) != nullptr; ++steps) place = back;
    EXPECT_EQ(NavigationHistory::kMaxPlaces - 1, steps);
    EXPECT_EQ(std::to_string(visits - NavigationHistory::kMaxPlaces), *place);
}

TEST(IdListBytes, ParentDropsTheLastItemAndNeverReadsPastTheBytes)
{
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"\x04\0AB\x03\0C\0\0"s, "\x04\0AB\0\0"s},  // two items: the first stays
        {"\x04\0AB\0\0"s, "\0\0"s},                 // one item: the desktop's empty list
        {"\0\0"s, ""s},                             // the desktop: no parent
        {"\x04\0AB\x09\0C\0\0"s, "\0\0"s},          // a size past the end ends the walk
        {"\x04\0AB\x01\0"s, "\0\0"s},               // a size below 2 too
        {"\x05"s, ""s},
    };
    for (const auto& [list, parent] : cases) EXPECT_EQ(parent, ParentIdList(list)) << list.size();
}

// The order of the file list's rows: kinds first, then the chosen column.
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
    std::vector<Row> rows(std::begin(kRows), std::end(kRows));
    std::sort(rows.begin(), rows.end(), [&](const Row& x, const Row& y) {
        return order.Compare(x.keys, y.keys, std::strcmp(x.name, y.name)) < 0;
    });
    std::string text;
    for (const Row& row : rows) text += std::string(row.name) + " ";
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

// The status bar's line: the file's facts, then the hints of what the
// reading leaves out.
TEST(StatusLine, FactsThenWhatTheReadingLeavesOut)
{
    // Format 1 at 96: one note in the first track, two in the second.
    const Bytes note = {0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0}, end = {0x00, 0xFF, 0x2F, 0x00};
    const Bytes twoTracks =
        Cat({HeaderChunk(1, 2, 96), TrackChunk(Cat({note, end})), TrackChunk(Cat({note, note, end}))});
    const char kResolution[] = "分解能 96 では長さコードが使えません。[480 に揃える] で使えます。";
    const struct {
        const char* what;
        Bytes file;
        bool complete, normalized;
        std::string line;
    } cases[] = {
        {"both hints", twoTracks, false, false,
         "SMF 1・2 トラック・分解能 96・音符 1　2 トラック目以降に 2 ノートがあります。[完全読み込み] で読めます。　" +
             std::string(kResolution)},
        {"complete reading", twoTracks, true, false, "SMF 1・2 トラック・分解能 96・音符 3　" + std::string(kResolution)},
        {"normalised", twoTracks, false, true,
         "SMF 1・2 トラック・分解能 96・音符 1　2 トラック目以降に 2 ノートがあります。[完全読み込み] で読めます。"},
        {"SMPTE", Cat({HeaderChunk(0, 1, 0xE728), TrackChunk(Cat({note, end}))}), false, false,
         "SMF 0・1 トラック・分解能 SMPTE 25 fps × 40・音符 1"},
        {"division 0", Cat({HeaderChunk(0, 1, 0), TrackChunk(Cat({note, end}))}), false, false,
         "SMF 0・1 トラック・分解能 0・音符 1"},
    };
    for (const auto& c : cases) {
        ReaderOn<SmfNoteFile> notes(c.file);
        notes.readNotes(c.complete, c.normalized);
        EXPECT_EQ(c.line, StatusLine::Of(notes, c.complete, c.normalized)) << c.what;
    }
    // The complete-reading hint groups digits; no running status: the hint does not name it.
    ReadingHints later;
    later.laterTrackNotes = 2974;
    later.noteOffs = 1;
    EXPECT_EQ("2 トラック目以降に 2,974 ノート、ノートオフ (8n) 1 個があります。[完全読み込み] で読めます。",
              StatusLine::CompleteReadingHint(later));
}
