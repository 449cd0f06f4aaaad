#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "browser/shell/ItemRecord.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

Bytes TwoChannels()
{
    // Channel 0: key 60 for 480 ticks; channel 2: key 64 for 500 ticks.
    return SmfWithTrack({0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64, 0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0,
                         0x00, 0xFF, 0x2F, 0x00});
}

const char kCh0[] = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const char kCh2[] = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";

ItemRecord Record(const std::string& path)
{
    ItemRecord r{};
    std::strncpy(r.path, path.c_str(), sizeof r.path - 1);
    return r;
}

// Clicks a toolbar button as the mouse would, so the check group applies.
void Click(ChannelToolBar* toolbar, UINT id)
{
    const LRESULT index = toolbar->SendMessage(TB_COMMANDTOINDEX, id, 0);
    RECT r{};
    toolbar->SendMessage(TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    toolbar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    toolbar->SendMessage(WM_LBUTTONUP, 0, at);
    Pump();
}

}  // namespace

class DataViewTest : public AppWindowTest {
protected:
    DataFrame* frame() { return main->GetRightFrame()->GetDataFrame(); }
    DataView* view() { return frame()->GetDataView(); }
    ChannelToolBar* toolbar() { return frame()->GetChannelToolBar(); }
    std::string shown() { return view()->GetText(); }
};

TEST_F(DataViewTest, LoadsEncodesAndShowsAMidiFile)
{
    TempFile song(TwoChannels(), "SONG.MID");
    const ItemRecord r = Record(song.path());
    EXPECT_EQ(1, view()->loadFile(&r));
    EXPECT_EQ(std::string(kCh0) + kCh2, view()->GetTextBuffer());
    EXPECT_EQ(std::string(kCh0) + kCh2, shown());
}

TEST_F(DataViewTest, OtherExtensionsEmptyTheViewButKeepTheLoadedFile)
{
    TempFile song(TwoChannels(), "song.mid");
    TempFile midi(TwoChannels(), "song.midi");
    const ItemRecord r = Record(song.path());
    ASSERT_EQ(1, view()->loadFile(&r));
    for (const std::string& other : {midi.path(), song.path() + ".smf", std::string("C:\\windows")}) {
        const ItemRecord o = Record(other);
        EXPECT_EQ(0, view()->loadFile(&o)) << other;
        EXPECT_EQ("", shown());
    }
    // A channel command shows the file loaded before again.
    frame()->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);
    EXPECT_EQ(std::string(kCh0) + kCh2, shown());
}

TEST_F(DataViewTest, MalformedAndMissingFilesLeaveTheViewEmpty)
{
    TempFile riff(Bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4}, "riff.mid");
    const Bytes whole = TwoChannels();
    TempFile cut(Bytes(whole.begin(), whole.begin() + 30), "cut.mid");  // both note-ons, then the end
    const ItemRecord bad = Record(riff.path());
    EXPECT_EQ(0, view()->loadFile(&bad));
    EXPECT_EQ("", shown());
    const ItemRecord gone = Record(riff.path() + "x.mid");
    EXPECT_EQ(0, view()->loadFile(&gone));
    EXPECT_EQ("", shown());
    // A track cut inside its first events: what was read is encoded.
    const ItemRecord truncated = Record(cut.path());
    EXPECT_EQ(1, view()->loadFile(&truncated));
    EXPECT_EQ("\tdb\t60,$0C,$00,$00\t;00 060 00000 100\r\n\tdb\t64,$08,$00,$00\t;02 064 00000 064\r\n", shown());
    // A channel command after a failed open encodes nothing.
    EXPECT_EQ(0, view()->loadFile(&bad));
    frame()->SendMessage(WM_COMMAND, IDM_CHANNEL_FIRST, 0);
    EXPECT_EQ("", shown());
}

TEST_F(DataViewTest, ChannelButtonsAndTheOptionsButton)
{
    TempFile song(TwoChannels(), "song.mid");
    const ItemRecord r = Record(song.path());
    ASSERT_TRUE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));  // ExportChannel 0
    view()->loadFile(&r);

    Click(toolbar(), IDM_CHANNEL_FIRST + 2);  // CH 3
    EXPECT_FALSE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));
    EXPECT_EQ(kCh2, shown());
    Click(toolbar(), IDM_CHANNEL_FIRST + 1);  // CH 2: nothing there
    EXPECT_FALSE(toolbar()->IsChecked(IDM_CHANNEL_FIRST + 2));
    EXPECT_EQ("", shown());

    // Back to the options' channel set, which the options may change.
    GetSettings().EncodeChannel = 0x0004;
    Click(toolbar(), IDM_OPTION_CHANNELS);
    EXPECT_TRUE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));
    for (UINT n = 0; n < 16; ++n) EXPECT_FALSE(toolbar()->IsChecked(IDM_CHANNEL_FIRST + n));
    EXPECT_EQ(kCh2, shown());
    GetSettings().EncodeChannel = 0xFDFF;
    frame()->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);
    EXPECT_EQ(std::string(kCh0) + kCh2, shown());
}

TEST_F(DataViewTest, CopyPutsExactlyTheTextOnTheClipboard)
{
    TempFile song(TwoChannels(), "song.mid");
    const ItemRecord r = Record(song.path());
    view()->loadFile(&r);
    SetClipboardTextForTest("something else");
    Click(toolbar(), IDM_COPY);
    const std::string copied = ClipboardText();
    EXPECT_EQ(std::string(kCh0) + kCh2, copied);
    EXPECT_EQ("\r\n", copied.substr(copied.size() - 2));
    // Copying does not encode again, and an empty view copies an empty text.
    const ItemRecord none = Record("C:\\nothing.txt");
    view()->loadFile(&none);
    frame()->SendMessage(WM_COMMAND, IDM_COPY, 0);
    EXPECT_EQ("", ClipboardText());
}

TEST_F(DataViewTest, LongEncodingsAreShownWhole)
{
    Bytes track;
    for (int i = 0; i < 3000; ++i) track.insert(track.end(), {0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    TempFile song(SmfWithTrack(track), "long.mid");
    const ItemRecord r = Record(song.path());
    view()->loadFile(&r);
    EXPECT_EQ(3000u * std::strlen(kCh0), view()->GetTextBuffer().size());
    EXPECT_EQ(view()->GetTextBuffer().size(), size_t(view()->GetWindowTextLength()));
}

class ExportChannelAtStart : public AppWindowTest {
protected:
    void Prepare() override { WriteNumber("ExportChannel", 0x0005); }
};

TEST_F(ExportChannelAtStart, PressesItsButtonsAndTheyAreCapturedAtExit)
{
    ChannelToolBar* toolbar = main->GetRightFrame()->GetDataFrame()->GetChannelToolBar();
    EXPECT_FALSE(toolbar->IsChecked(IDM_OPTION_CHANNELS));
    EXPECT_TRUE(toolbar->IsChecked(IDM_CHANNEL_FIRST));
    EXPECT_TRUE(toolbar->IsChecked(IDM_CHANNEL_FIRST + 2));
    EXPECT_FALSE(toolbar->IsChecked(IDM_CHANNEL_FIRST + 1));

    TempFile song(TwoChannels(), "song.mid");
    const ItemRecord r = Record(song.path());
    main->GetRightFrame()->GetDataFrame()->GetDataView()->loadFile(&r);
    EXPECT_EQ(std::string(kCh0) + kCh2, main->GetRightFrame()->GetDataFrame()->GetDataView()->GetText());

    // A click in the group releases one checked button; what the buttons
    // then show is what is stored.
    Click(toolbar, IDM_CHANNEL_FIRST + 15);
    DWORD shownMask = 0;
    for (UINT n = 0; n < 16; ++n)
        if (toolbar->SendMessage(TB_GETSTATE, IDM_CHANNEL_FIRST + n, 0) & TBSTATE_CHECKED) shownMask |= 1u << n;
    EXPECT_TRUE(shownMask & 0x8000);
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD stored = 0;
    ASSERT_TRUE(ReadNumber("ExportChannel", stored));
    EXPECT_EQ(shownMask, stored);
}
