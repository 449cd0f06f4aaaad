// The complete-reading button of the channel toolbar: its stored state, the
// file read again when it is pressed, and the status bar's hint.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "framework/KvStatusBar.h"
#include "midi/SmfTracks.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace

class CompleteReadingButton : public AppWindowTest {
protected:
    DataView* view() { return main->GetRightFrame()->GetDataFrame()->GetDataView(); }
    ChannelToolBar* toolbar() { return main->GetRightFrame()->GetDataFrame()->GetChannelToolBar(); }
    int load(const Bytes& bytes)
    {
        song.reset(new TempFile(bytes, "song.mid"));  // kept: a press reads it again
        const ItemRecord r = RecordOf(song->path());
        return view()->loadFile(&r);
    }
    std::unique_ptr<TempFile> song;
    std::string status() { return main->GetStatusBar()->GetText(); }
};

class CompleteReadingStored : public CompleteReadingButton {
protected:
    void Prepare() override { WriteNumber("CompleteReading", 1); }
};

TEST_F(CompleteReadingButton, PressingReadsTheShownFileAgainTheHintTellsWhyAndTheStateIsStored)
{
    EXPECT_FALSE(toolbar()->IsChecked(IDM_COMPLETE_READING));
    ASSERT_EQ(1, load(NotesInTheSecondTrack()));
    EXPECT_EQ("", view()->GetText());
    EXPECT_EQ("2 トラック目以降に 2 ノート、ランニングステータスのイベント 1 個、ノートオフ (8n) 1 個があります。"
              "[完全読み込み] で読めます。",
              status());
    ClickButton(toolbar(), IDM_COMPLETE_READING);
    EXPECT_EQ(kBoth, view()->GetText());
    EXPECT_EQ("", status());
    ClickButton(toolbar(), IDM_COMPLETE_READING);
    EXPECT_EQ("", view()->GetText());
    EXPECT_NE("", status());
    ClickButton(toolbar(), IDM_COMPLETE_READING);
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD stored = 0;
    ASSERT_TRUE(ReadNumber("CompleteReading", stored));
    EXPECT_EQ(1u, stored);
}

TEST_F(CompleteReadingButton, NoHintForAFormat0FileAndATooltipThatNamesTheButton)
{
    ASSERT_EQ(1, load(SmfWithTrack({0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00})));
    EXPECT_EQ("\tdb\t60,$AC\t\t;00 060 00480 100\r\n", view()->GetText());
    EXPECT_EQ("", status());
    NMTTDISPINFOA info{};
    info.hdr = {toolbar()->GetHandle(), IDM_COMPLETE_READING, UINT(TTN_GETDISPINFOA)};
    main->GetRightFrame()->GetDataFrame()->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("完全読み込み", info.lpszText);
}

TEST_F(CompleteReadingStored, StartsCheckedAndReadsCompletely)
{
    EXPECT_TRUE(toolbar()->IsChecked(IDM_COMPLETE_READING));
    ASSERT_EQ(1, load(NotesInTheSecondTrack()));
    EXPECT_EQ(kBoth, view()->GetText());
    EXPECT_EQ("", status());
}

TEST(CompleteReadingHint, GroupsTheCountsAndNamesOnlyWhatIsThere)
{
    ReadingHints later;
    later.laterTrackNotes = 2974;
    EXPECT_EQ("2 トラック目以降に 2,974 ノートがあります。[完全読み込み] で読めます。", DataView::HintText(later));
}
