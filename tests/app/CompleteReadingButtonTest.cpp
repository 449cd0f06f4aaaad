// The complete-reading button of the channel toolbar: its stored state, the
// file read again when it is pressed, and the status bar's hint.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "browser/shell/ItemRecord.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "framework/KvStatusBar.h"
#include "midi/SmfTracks.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Format 1: a conductor track, then key 60 on channel 0 for 480 ticks,
// ended by a note-off, and a second note-on under running status.
Bytes NotesInTheSecondTrack()
{
    return Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x03, 0x01, 'x', 0x00, 0xFF, 0x2F, 0x00}),
                TrackChunk({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0x40, 0x00, 0x90, 62, 100, 0x83, 0x60, 62,
                            0x00, 0x00, 0xFF, 0x2F, 0x00})});
}

const char kBoth[] = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n\tdb\t62,$AC\t\t;00 062 00480 100\r\n";

ItemRecord Record(const std::string& path)
{
    ItemRecord r{};
    std::strncpy(r.path, path.c_str(), sizeof r.path - 1);
    return r;
}

}  // namespace

class CompleteReadingButton : public AppWindowTest {
protected:
    DataFrame* frame() { return main->GetRightFrame()->GetDataFrame(); }
    bool checked() { return frame()->GetChannelToolBar()->IsChecked(IDM_COMPLETE_READING); }
    void press()
    {
        // With the mouse, so that the toolbar itself toggles the check.
        ChannelToolBar* toolbar = frame()->GetChannelToolBar();
        RECT r{};
        toolbar->SendMessage(TB_GETRECT, IDM_COMPLETE_READING, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        toolbar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        toolbar->SendMessage(WM_LBUTTONUP, 0, at);
        Pump();
    }
    std::string status() { return main->GetStatusBar()->GetText(); }
};

class CompleteReadingStored : public CompleteReadingButton {
protected:
    void Prepare() override { WriteNumber("CompleteReading", 1); }
};

TEST_F(CompleteReadingButton, StartsUncheckedWithoutAStoredValueAndIsStoredAtExit)
{
    EXPECT_FALSE(checked());
    EXPECT_EQ(0u, GetSettings().CompleteReading);
    press();
    EXPECT_EQ(1u, GetSettings().CompleteReading);
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD stored = 0;
    ASSERT_TRUE(ReadNumber("CompleteReading", stored));
    EXPECT_EQ(1u, stored);
}

TEST_F(CompleteReadingButton, ItsTooltipNamesIt)
{
    NMTTDISPINFOA info{};
    info.hdr = {frame()->GetChannelToolBar()->GetHandle(), IDM_COMPLETE_READING, UINT(TTN_GETDISPINFOA)};
    frame()->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("完全読み込み", info.lpszText);
}

TEST_F(CompleteReadingStored, StartsCheckedAndReadsCompletely)
{
    EXPECT_TRUE(checked());
    TempFile song(NotesInTheSecondTrack(), "song.mid");
    const ItemRecord r = Record(song.path());
    ASSERT_EQ(1, frame()->GetDataView()->loadFile(&r));
    EXPECT_EQ(kBoth, frame()->GetDataView()->GetText());
    EXPECT_EQ("", status());
}

TEST_F(CompleteReadingButton, PressingReadsTheShownFileAgainAndTheHintTellsWhy)
{
    TempFile song(NotesInTheSecondTrack(), "song.mid");
    const ItemRecord r = Record(song.path());
    ASSERT_EQ(1, frame()->GetDataView()->loadFile(&r));
    EXPECT_EQ("", frame()->GetDataView()->GetText());
    EXPECT_EQ("2 トラック目以降に 2 ノート、ランニングステータスのイベント 1 個、ノートオフ (8n) 1 個があります。"
              "[完全読み込み] で読めます。",
              status());

    press();
    EXPECT_EQ(kBoth, frame()->GetDataView()->GetText());
    EXPECT_EQ("", status());
    press();
    EXPECT_EQ("", frame()->GetDataView()->GetText());
    EXPECT_NE("", status());
}

TEST_F(CompleteReadingButton, NoHintForAFileBothWaysReadAlike)
{
    TempFile song(SmfWithTrack({0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00}), "song.mid");
    const ItemRecord r = Record(song.path());
    ASSERT_EQ(1, frame()->GetDataView()->loadFile(&r));
    EXPECT_EQ("\tdb\t60,$AC\t\t;00 060 00480 100\r\n", frame()->GetDataView()->GetText());
    EXPECT_EQ("", status());
}

TEST(CompleteReadingHint, GroupsTheCountsAndNamesOnlyWhatIsThere)
{
    ReadingHints later;
    later.laterTrackNotes = 2974;
    EXPECT_EQ("2 トラック目以降に 2,974 ノートがあります。[完全読み込み] で読めます。", DataView::HintText(later));
}
