// The data view on a main window made as the program makes it: loading,
// encoding, the channel buttons, copying, its font and the busy state.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

Bytes TwoChannels()
{
    // Channel 0: key 60 for 480 ticks; channel 2: key 64 for 500 ticks.
    return SmfWithTrack({0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64, 0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0,
                         0x00, 0xFF, 0x2F, 0x00});
}

const char kCh0[] = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const char kCh2[] = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";
const std::string kBoth = std::string(kCh0) + kCh2;

// What the thread's capture and cursor were each time the view's text was set.
HWND watchedView = nullptr;
std::vector<std::pair<HWND, HCURSOR>> seen;

LRESULT CALLBACK WatchSetText(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watchedView && call->message == WM_SETTEXT)
        seen.push_back({GetCapture(), GetCursor()});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

class DataViewTest : public AppWindowTest {
protected:
    DataFrame* frame() { return main->GetRightFrame()->GetDataFrame(); }
    DataView* view() { return frame()->GetDataView(); }
    ChannelToolBar* toolbar() { return frame()->GetChannelToolBar(); }
    int load(const std::string& path)
    {
        const ItemRecord r = RecordOf(path);
        return view()->loadFile(&r);
    }
    std::string shown() { return view()->GetText(); }
};

TEST_F(DataViewTest, LoadsOnlyMidFilesAndOtherExtensionsKeepTheLoadedFile)
{
    TempFile song(TwoChannels(), "SONG.MID");
    TempFile midi(TwoChannels(), "song.midi");
    EXPECT_EQ(1, load(song.path()));
    EXPECT_EQ(kBoth, view()->GetTextBuffer());
    EXPECT_EQ(kBoth, shown());
    for (const std::string& other : {midi.path(), song.path() + ".smf", std::string("C:\\windows")}) {
        EXPECT_EQ(0, load(other)) << other;
        EXPECT_EQ("", shown());
    }
    frame()->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);  // shows the file loaded before again
    EXPECT_EQ(kBoth, shown());
}

TEST_F(DataViewTest, MalformedAndMissingFilesLeaveTheViewEmpty)
{
    TempFile riff(Bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4}, "riff.mid");
    const Bytes whole = TwoChannels();
    TempFile cut(Bytes(whole.begin(), whole.begin() + 30), "cut.mid");  // both note-ons, then the end
    EXPECT_EQ(0, load(riff.path()));
    EXPECT_EQ("", shown());
    EXPECT_EQ(0, load(riff.path() + "x.mid"));
    EXPECT_EQ("", shown());
    // A track cut inside its first events: what was read is encoded.
    EXPECT_EQ(1, load(cut.path()));
    EXPECT_EQ("\tdb\t60,$0C,$00,$00\t;00 060 00000 100\r\n\tdb\t64,$08,$00,$00\t;02 064 00000 064\r\n", shown());
    // A channel command after a failed open encodes nothing.
    EXPECT_EQ(0, load(riff.path()));
    frame()->SendMessage(WM_COMMAND, IDM_CHANNEL_FIRST, 0);
    EXPECT_EQ("", shown());
}

TEST_F(DataViewTest, ChannelButtonsAndTheOptionsButton)
{
    TempFile song(TwoChannels(), "song.mid");
    ASSERT_TRUE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));  // ExportChannel 0
    load(song.path());
    ClickButton(toolbar(), IDM_CHANNEL_FIRST + 2);  // CH 3
    EXPECT_FALSE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));
    EXPECT_EQ(kCh2, shown());
    ClickButton(toolbar(), IDM_CHANNEL_FIRST + 1);  // CH 2: nothing there
    EXPECT_FALSE(toolbar()->IsChecked(IDM_CHANNEL_FIRST + 2));
    EXPECT_EQ("", shown());

    // Back to the options' channel set, which the options may change.
    GetSettings().EncodeChannel = 0x0004;
    ClickButton(toolbar(), IDM_OPTION_CHANNELS);
    EXPECT_TRUE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));
    for (UINT n = 0; n < 16; ++n) EXPECT_FALSE(toolbar()->IsChecked(IDM_CHANNEL_FIRST + n));
    EXPECT_EQ(kCh2, shown());
    GetSettings().EncodeChannel = 0xFDFF;
    frame()->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);
    EXPECT_EQ(kBoth, shown());
}

TEST_F(DataViewTest, CopyPutsExactlyTheTextOnTheClipboard)
{
    TempFile song(TwoChannels(), "song.mid");
    load(song.path());
    SetClipboardTextForTest("something else");
    ClickButton(toolbar(), IDM_COPY);
    EXPECT_EQ(kBoth, ClipboardText());
    // Copying does not encode again, and an empty view copies an empty text.
    load("C:\\nothing.txt");
    frame()->SendMessage(WM_COMMAND, IDM_COPY, 0);
    EXPECT_EQ("", ClipboardText());
}

TEST_F(DataViewTest, LongEncodingsAreShownWhole)
{
    Bytes track;
    for (int i = 0; i < 3000; ++i) track.insert(track.end(), {0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0});
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    TempFile song(SmfWithTrack(track), "long.mid");
    load(song.path());
    EXPECT_EQ(3000u * std::strlen(kCh0), view()->GetTextBuffer().size());
    EXPECT_EQ(view()->GetTextBuffer().size(), size_t(view()->GetWindowTextLength()));
}

TEST_F(DataViewTest, ShowsTheFixedPitchFontItMade)
{
    LOGFONTA font{};
    ASSERT_EQ(int(sizeof font), GetObjectA(HFONT(view()->SendMessage(WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_STREQ("FixedSys", font.lfFaceName);
    EXPECT_EQ(14, font.lfHeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);
}

TEST_F(DataViewTest, LoadingAndEncodingShowTheBusyStateAndLeaveItOnEveryPath)
{
    TempFile song(TwoChannels(), "busy.mid");
    TempFile riff(Bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4}, "riff.mid");
    const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT), arrow = LoadCursorA(nullptr, IDC_ARROW);
    watchedView = view()->GetHandle();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSetText, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    const struct {
        const char* what;
        std::function<int()> work;
        int result;
    } cases[] = {
        {"encoding without a file", [&] { return view()->showEncoding(); }, 0},
        {"a MIDI file", [&] { return load(song.path()); }, 1},
        {"encoding it again", [&] { return view()->showEncoding(); }, 1},
        {"another extension", [&] { return load(song.path() + ".txt"); }, 0},
        {"no item", [&] { return view()->loadFile(nullptr); }, 0},
        {"no MIDI file", [&] { return load(riff.path()); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetCursor(arrow);
        seen.clear();
        EXPECT_EQ(c.result, c.work());
        ASSERT_FALSE(seen.empty());
        for (const auto& s : seen) EXPECT_TRUE(s.first == watchedView && s.second == wait);
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_EQ(arrow, GetCursor());
    }
    UnhookWindowsHookEx(hook);
    watchedView = nullptr;
}

class ExportChannelAtStart : public DataViewTest {
protected:
    void Prepare() override { WriteNumber("ExportChannel", 0x0005); }
};

TEST_F(ExportChannelAtStart, PressesItsButtonsAndTheyAreCapturedAtExit)
{
    EXPECT_FALSE(toolbar()->IsChecked(IDM_OPTION_CHANNELS));
    for (UINT n = 0; n < 3; ++n) EXPECT_EQ(n != 1, toolbar()->IsChecked(IDM_CHANNEL_FIRST + n)) << n;
    TempFile song(TwoChannels(), "song.mid");
    load(song.path());
    EXPECT_EQ(kBoth, shown());

    // A click in the group releases one checked button; what the buttons
    // then show is what is stored.
    ClickButton(toolbar(), IDM_CHANNEL_FIRST + 15);
    DWORD shownMask = 0;
    for (UINT n = 0; n < 16; ++n)
        if (toolbar()->IsChecked(IDM_CHANNEL_FIRST + n)) shownMask |= 1u << n;
    EXPECT_TRUE(shownMask & 0x8000);
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD stored = 0;
    ASSERT_TRUE(ReadNumber("ExportChannel", stored));
    EXPECT_EQ(shownMask, stored);
}
