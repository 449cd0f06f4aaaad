// The MIDI columns, the MIDI-only filter and the links to the host, under
// Wine, on folders the test makes.
#include "ShellTestSupport.h"
#include "support/TestFiles.h"

#include "browser/shell/MidiListView.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

using namespace shelltest;

namespace {

Bytes Meta(uint8_t type, const std::string& text)
{
    return Cat({{0x00, 0xFF, type}, VarLen(static_cast<uint32_t>(text.size())), Bytes(text.begin(), text.end())});
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

class MidiListViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fixture.Create(list)); }
    void Show(const std::string& path) { fixture.Show(path); }

    RecordingHost host;
    ListFixture fixture;
    MidiListView list;
};

TEST_F(MidiListViewTest, ColumnsShowTheFormatSequenceNameAndCopyright)
{
    TestFolder folder("midi-columns");
    const std::string sjisName = "日本語の曲";
    const std::string sjisCopyright = "(C) 表示";
    const struct {
        const char* file;
        Bytes bytes;
        const char* format;
        std::string name, copyright;
    } cases[] = {
        {"zero.mid", SmfWithTrack(Cat({Meta(3, "Solo"), Meta(2, "(C) Zero"), kEnd})), "SMF Format 0", "Solo",
         "(C) Zero"},
        {"one.mid", Cat({HeaderChunk(1, 2), TrackChunk(Cat({Meta(3, "Demo"), Meta(2, "(C) One"), kEnd})),
                         TrackChunk(kEnd)}),
         "SMF Format 1", "Demo", "(C) One"},
        {"twice.mid", SmfWithTrack(Cat({Meta(3, "First"), Meta(3, "Second"), kEnd})), "SMF Format 0", "Second",
         ""},
        {"日本.mid", SmfWithTrack(Cat({Meta(3, sjisName), Meta(2, sjisCopyright), kEnd})), "SMF Format 0",
         sjisName, sjisCopyright},
        {"cut.mid", Cat({HeaderChunk(), {'M', 'T', 'r', 'k', 0, 0, 0, 40}, Meta(3, "Kept"), {0x00, 0xFF, 0x02}}),
         "SMF Format 0", "Kept", ""},
        {"text.txt", Bytes{'h', 'e', 'l', 'l', 'o'}, "", "", ""},
        {"header-only.mid", HeaderChunk(), "", "", ""},
    };
    for (const auto& c : cases) folder.File(c.file, c.bytes);
    folder.Folder("sub.mid");
    Show(folder.path());

    const auto rows = RowTexts(list, 7);
    ASSERT_EQ(rows.size(), std::size(cases) + 1);
    for (const auto& c : cases) {
        const int row = RowNamed(list, c.file);
        ASSERT_GE(row, 0) << c.file;
        EXPECT_FALSE(rows[row][1].empty()) << c.file << " has a size";
        EXPECT_EQ(rows[row][4], c.format) << c.file;
        EXPECT_EQ(rows[row][5], c.name) << c.file;
        EXPECT_EQ(rows[row][6], c.copyright) << c.file;
    }
    const int sub = RowNamed(list, "sub.mid");
    ASSERT_GE(sub, 0);
    EXPECT_EQ(rows[sub][4], "") << "a folder is never read";
}

TEST_F(MidiListViewTest, TheFilterKeepsExactlyMidAndEveryFolder)
{
    TestFolder folder("midi-filter");
    // Wine finds names ignoring case, so SONG.MID and song.mid cannot share a folder.
    for (const char* name : {"SONG.MID", "song.midi", "tune.mid", "notes.txt"}) folder.File(name);
    folder.Folder("folder");
    const struct {
        bool midiOnly;
        std::vector<std::string> listed, hidden;
    } cases[] = {
        {true, {"tune.mid", "folder"}, {"SONG.MID", "song.midi", "notes.txt"}},
        {false, {"tune.mid", "folder", "SONG.MID", "song.midi", "notes.txt"}, {}},
    };
    for (const auto& c : cases) {
        host.midiOnly = c.midiOnly;
        Show(folder.path());
        EXPECT_EQ(list.GetItemCount(), static_cast<LRESULT>(c.listed.size()));
        for (const auto& name : c.listed) EXPECT_GE(RowNamed(list, name), 0) << name;
        for (const auto& name : c.hidden) EXPECT_EQ(RowNamed(list, name), -1) << name;
    }
}

TEST_F(MidiListViewTest, AFifoIsListedWithoutBeingRead)
{
    // The build makes this folder and its FIFO (Wine cannot).
    const std::string folder = std::string(VELMORA_FIFO_FOLDER);
    Show(folder);
    const int row = RowNamed(list, "pipe");
    ASSERT_GE(row, 0);
    const auto rows = RowTexts(list, 7);
    EXPECT_EQ(rows[row][4], "");
    EXPECT_EQ(rows[row][5], "");
    EXPECT_FALSE(IsRegularFile(folder + "\\pipe"));
}

TEST_F(MidiListViewTest, DoubleClickAndEnterMakeTheTreeFollowAndBackspaceGoesUp)
{
    TestFolder folder("midi-open");
    folder.Folder("inner");
    const struct {
        bool doubleClick;
        int treeSelections;
    } cases[] = {{true, 1}, {false, 1}};
    for (const auto& c : cases) {
        host.treeSelections = 0;
        Show(folder.path());
        fixture.Select(RowNamed(list, "inner"));
        if (c.doubleClick) {
            list.OnDblClk(nullptr);
        } else {
            NMLVKEYDOWN key{};
            key.wVKey = VK_RETURN;
            EXPECT_EQ(list.OnListKeyDown(&key), 0);
        }
        EXPECT_EQ(fixture.CurrentPath(), folder / "inner");
        EXPECT_EQ(host.treeSelections, c.treeSelections);
    }
    NMLVKEYDOWN back{};
    back.wVKey = VK_BACK;
    list.OnListKeyDown(&back);
    EXPECT_EQ(1, host.upRequests);
}

TEST_F(MidiListViewTest, EachSelectedRowGoesToTheDataView)
{
    TestFolder folder("midi-select");
    folder.File("a.mid", SmfWithTrack(kEnd));
    folder.File("b.mid", SmfWithTrack(kEnd));
    Show(folder.path());
    host.opened.clear();
    list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(host.opened, (std::vector<std::string>{"a.mid", "b.mid"}));
    host.opened.clear();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_TRUE(host.opened.empty()) << "a row that loses its selection is not handed over";
}

}  // namespace
