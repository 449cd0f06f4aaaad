// The data view on a main window made as the program makes it: which files
// it loads, the channel buttons, its font, the busy state, the
// reading buttons with the status bar's line, and Save As.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "app/browser/ItemRecord.h"
#include "app/browser/ShellTestSupport.h"
#include "core/encode/NoteEncoder.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataFrame.h"
#include "app/dataview/DataView.h"
#include "framework/KvStatusBar.h"
#include "resources/resource.h"

#include <prsht.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kBoth = std::string(kCh0) + kCh2;

// What the thread's capture and cursor were each time the view's text was
// set (its parent hears EN_CHANGE) or the status bar's line.
HWND watchedView = nullptr, watchedStatus = nullptr;
std::vector<std::pair<HWND, HCURSOR>> seen;

LRESULT CALLBACK WatchSetText(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool viewText = call->message == WM_COMMAND && HWND(call->lParam) == watchedView &&
                          HIWORD(call->wParam) == EN_CHANGE;
    const bool hint = call->hwnd == watchedStatus && (call->message == WM_SETTEXT || call->message == SB_SETTEXTA);
    if (code == HC_ACTION && (viewText || hint)) seen.push_back({GetCapture(), GetCursor()});
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
        ItemRecord record{};
        std::strncpy(record.path, path.c_str(), sizeof record.path - 1);
        return view()->loadFile(&record);
    }
    std::string shown() { return view()->GetText(); }
    std::string status() { return main->GetStatusBar()->GetText(); }
};

// The channel buttons choose the lines shown and the options button the
// options' channel set. While real-time encoding is on, Apply on the options
// encodes the shown file again at once with the channels the options now
// hold; off, the view waits for the next encoding.
TEST_F(DataViewTest, ChannelButtonsTheOptionsButtonAndApplyInRealTime)
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
    for (const bool realTime : {false, true}) {
        SCOPED_TRACE(realTime);
        GetSettings().EncodeChannel = 0xFDFF;
        view()->showEncoding();
        ASSERT_EQ(kBoth, shown());
        GetSettings().RealTimeEncode = realTime;
        GetSettings().EncodeChannel = 0x0004;  // what the channel page shows and applies
        std::thread applier([] {
            HWND sheet = nullptr;
            for (int i = 0; i < 500 && !(sheet = FindWindowA("#32770", "オプション")); ++i) Sleep(10);
            SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
            SendMessageA(sheet, PSM_APPLY, 0, 0);
            PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
        });
        main->SendMessage(WM_COMMAND, IDM_OPTIONS, 0);
        applier.join();
        Pump();
        EXPECT_EQ(realTime ? kCh2 : kBoth, shown());
    }
}

// Each load shows what could be read, under the busy state that every path
// leaves; a file of another extension keeps the one loaded before.
TEST_F(DataViewTest, LoadsMidFilesAsFarAsTheyReadWhileBusyAndAnotherExtensionKeepsTheFile)
{
    const Bytes whole = TwoChannels();
    TempFile song(whole, "SONG.MID");
    TempFile midi(whole, "song.midi");
    TempFile riff(Bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4}, "riff.mid");
    TempFile cut(Bytes(whole.begin(), whole.begin() + 30), "cut.mid");  // both note-ons, then the end
    const std::string cutLines =
        "\tdb\t60,$0C,$00,$00\t;00 060 00000 100\r\n\tdb\t64,$08,$00,$00\t;02 064 00000 064\r\n";
    const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT), arrow = LoadCursorA(nullptr, IDC_ARROW);
    watchedView = view()->GetHandle();
    watchedStatus = main->GetStatusBar()->GetHandle();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSetText, nullptr, GetCurrentThreadId());
    const std::function<int()> encode = [&] { return view()->showEncoding(); };
    auto file = [&](const std::string& path) { return std::function<int()>([this, path] { return load(path); }); };
    const struct {
        const char* what;
        std::function<int()> work;
        int result;
        std::string shown;
        std::string again;  // shown when the channel set is applied afterwards
    } cases[] = {
        {"encoding without a file", encode, 0, "", ""},
        {"a MIDI file", file(song.path()), 1, kBoth, kBoth},
        {"encoding it again", encode, 1, kBoth, kBoth},
        {"reading it again", [&] { return view()->reloadFile(); }, 1, kBoth, kBoth},
        {"another extension", file(midi.path()), 0, "", kBoth},
        {"no extension", file("C:\\windows"), 0, "", kBoth},
        {"no item", [&] { return view()->loadFile(nullptr); }, 0, "", kBoth},
        {"a missing file", file(riff.path() + "x.mid"), 0, "", ""},
        {"a track cut inside its first events", file(cut.path()), 1, cutLines, cutLines},
        {"no MIDI file", file(riff.path()), 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetCursor(arrow);
        seen.clear();
        EXPECT_EQ(c.result, c.work());
        EXPECT_EQ(c.shown, shown());
        EXPECT_EQ(view()->GetTextBuffer(), shown());
        ASSERT_FALSE(seen.empty());
        for (const auto& s : seen) EXPECT_TRUE(s.first == watchedView && s.second == wait);
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_EQ(arrow, GetCursor());
        frame()->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);
        EXPECT_EQ(c.again, shown());
    }
    UnhookWindowsHookEx(hook);
    watchedView = watchedStatus = nullptr;
}

// The status bar shows the facts of the file shown and the hints of what the
// reading leaves out; each reading button reads the file again its way.
TEST_F(DataViewTest, StatusBarShowsTheFileAndTheReadingButtonsReadItAgain)
{
    const Bytes quarter = {0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00};  // 96 ticks
    const std::string long96 = "\tdb\t60,$0C,$D0,$02\t;00 060 00096 100\r\n";
    const std::string at96 = "SMF 0・1 トラック・分解能 96・音符 1";
    const struct {
        const char* what;
        Bytes file;
        UINT button;
        std::string status, shown, pressedStatus, pressedShown;
    } cases[] = {
        {"96", Cat({HeaderChunk(0, 1, 96), TrackChunk(quarter)}), IDM_NORMALIZE_RESOLUTION,
         at96 + "　分解能 96 では長さコードが使えません。[480 に揃える] で使えます。", long96, at96, kCh0},
        // A conductor track, then key 60 on channel 0 for 480 ticks, ended by
        // a note-off, and a second note-on under running status.
        {"format 1",
         Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x03, 0x01, 'x', 0x00, 0xFF, 0x2F, 0x00}),
              TrackChunk({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0x40, 0x00, 0x90, 62, 100, 0x83, 0x60, 62, 0x00,
                          0x00, 0xFF, 0x2F, 0x00})}),
         IDM_COMPLETE_READING,
         "SMF 1・2 トラック・分解能 480・音符 0　2 トラック目以降に 2 ノート、ランニングステータスのイベント 1 個、"
         "ノートオフ (8n) 1 個があります。[完全読み込み] で読めます。",
         "", "SMF 1・2 トラック・分解能 480・音符 2",
         std::string(kCh0) + "\tdb\t62,$AC\t\t;00 062 00480 100\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile file(c.file, "song.mid");  // kept: a press reads it again
        ASSERT_EQ(1, load(file.path()));
        EXPECT_EQ(c.status, status());
        EXPECT_EQ(c.shown, shown());
        ClickButton(toolbar(), c.button);
        EXPECT_EQ(c.pressedStatus, status());
        EXPECT_EQ(c.pressedShown, shown());
        ClickButton(toolbar(), c.button);
        EXPECT_EQ(c.status, status());
        EXPECT_EQ(c.shown, shown());
    }
    load("C:\\song.midi");  // another extension: not read
    EXPECT_EQ("", status());  // the view was emptied
}

// Save As is grey without lines; it writes the data view's lines whole, the
// very bytes the copy button puts on the clipboard; a write that fails says
// why and leaves nothing behind.
TEST_F(DataViewTest, SaveAsIsGreyWithoutLinesWritesTheCopiedBytesWholeOrSaysWhyAndLeavesNothing)
{
    const shelltest::TestFolder folder("app-save");
    TempFile song(TwoChannels(), "song.mid");
    GetSettings().PrintFormat2 = std::string(NoteEncoder::kDefaultFormat2) + " ドレミ";  // Shift-JIS in the lines
    for (const bool lines : {false, true}) {
        main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(main->GetMenu(), 0)), 0);
        EXPECT_EQ(lines, (GetMenuState(main->GetMenu(), IDM_SAVE_AS, MF_BYCOMMAND) & MF_GRAYED) == 0);
        if (!lines) load(song.path());
    }
    KvTextView::CopyText(main->GetHandle(), "before", 6);
    frame()->SendMessage(WM_COMMAND, IDM_COPY, 0);
    const std::string copied = ClipboardText();
    ASSERT_NE(std::string::npos, copied.find("ドレミ\r\n"));
    folder.Folder("taken.inc");
    // What the folder holds, for "nothing was left behind".
    const auto entries = [&] { return std::distance(std::filesystem::directory_iterator(folder.path()), {}); };
    const struct {
        std::string path;
        std::string before;  // empty: no file yet
        bool written;
    } cases[] = {
        {folder / "new.inc", "", true},
        {folder / "old.inc", std::string(5000, 'x'), true},
        {folder / "missing\\song.inc", "", false},  // no such folder
        {folder / "taken.inc", "", false},           // a folder of that name: the rename fails
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        if (!c.before.empty()) std::ofstream(c.path, std::ios::binary) << c.before;
        const auto before = entries();
        MessageBoxAnswer box(IDOK);  // only a failure shows one
        EXPECT_EQ(c.written, main->SaveTo(c.path));
        if (c.written) {
            EXPECT_FALSE(box.seen) << box.text;
            const Bytes written = ReadAll(c.path);
            EXPECT_EQ(copied, std::string(written.begin(), written.end()));
            continue;
        }
        box.join();
        EXPECT_EQ(0u, box.text.find("ファイル " + c.path + " に書き込めませんでした。\n")) << box.text;
        EXPECT_GT(box.text.size(), box.text.find('\n') + 1) << "the system's reason is missing";
        EXPECT_EQ(before, entries());
    }
    EXPECT_EQ(3, entries());  // two files and a folder: no temporary file left
}

// The view as a read-only edit: the mouse and the keys select, Ctrl+C copies
// the selected bytes, the context menu offers what applies, and the keys, the
// wheel and the scroll bar scroll. The text comes in through WM_SETTEXT.
class TextView : public DataViewTest {
protected:
    void SetUp() override
    {
        DataViewTest::SetUp();
        const HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, HFONT(view()->SendMessage(WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        DeleteDC(dc);
        cell = metrics.tmAveCharWidth;
        lineHeight = metrics.tmHeight;
        view()->SetFocus();
    }
    // A quarter into the cell of `column` on line `line` of the screen.
    LPARAM at(int line, int column) { return MAKELPARAM(1 + column * cell + cell / 4, line * lineHeight + 2); }
    void mouse(UINT message, LPARAM where, WPARAM keys = 0) { view()->SendMessage(message, keys, where); }
    void click(int line, int column, WPARAM keys = 0)
    {
        mouse(WM_LBUTTONDOWN, at(line, column), MK_LBUTTON | keys);
        mouse(WM_LBUTTONUP, at(line, column), keys);
    }
    void key(WPARAM code, BYTE shift = 0, BYTE control = 0)
    {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift;
        keys[VK_CONTROL] = control;
        SetKeyboardState(keys);
        view()->SendMessage(WM_KEYDOWN, code, 0);
        keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    std::string selected()
    {
        DWORD start = 0, end = 0;
        view()->SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return shown().substr(start, end - start);
    }
    int cell = 8, lineHeight = 16;
};

TEST_F(TextView, MouseKeysWheelAndScrollBarSelectWholeCharactersCopyThemAndScroll)
{
    // 表 ends in 5C; ド is 83 68.
    std::string text = "\tdb\t60\t;ドレミ\r\n表\tx\r\nend";
    for (int line = 0; line < 1000; ++line) text += "\r\nline " + std::to_string(line);
    UINT notch = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &notch, 0);
    const size_t page = size_t(view()->GetClientHeight() / lineHeight), last = 1003 - page;
    const BYTE down = 0x80;
    const struct {
        const char* what;
        std::function<void()> act;
        std::string selection;
        size_t top;
    } cases[] = {
        {"a click", [&] { click(0, 9); }, "", 0},
        {"a drag over a tab", [&] {
             mouse(WM_LBUTTONDOWN, at(0, 8), MK_LBUTTON);
             mouse(WM_MOUSEMOVE, at(0, 16), MK_LBUTTON);
             mouse(WM_LBUTTONUP, at(0, 16));
         }, "db\t", 0},
        {"Shift+click over the line break", [&] { click(0, 25); click(1, 8, MK_SHIFT); }, "ドレミ\r\n表\t", 0},
        {"the right half of a double-byte character and Shift+Left", [&] { click(1, 1); key(VK_LEFT, down); },
         "表", 0},
        {"a double-click", [&] {
             click(0, 27);
             mouse(WM_LBUTTONDBLCLK, at(0, 27), MK_LBUTTON);
             mouse(WM_LBUTTONUP, at(0, 27));
         }, "ドレミ", 0},
        {"Ctrl+A", [&] { key('A', 0, down); }, text, 0},
        {"Ctrl+End", [&] { key(VK_END, 0, down); }, "", last},
        {"Page Down", [&] { key(VK_NEXT); }, "", page},
        {"a notch of the wheel", [&] { view()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); }, "",
         notch},
        {"a page of the scroll bar", [&] { view()->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0); }, "", page},
        {"the bar's end", [&] { view()->SendMessage(WM_VSCROLL, SB_BOTTOM, 0); }, "", last},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view()->SendMessage(WM_SETTEXT, 0, LPARAM(text.c_str()));
        c.act();
        EXPECT_EQ(c.selection, selected());
        EXPECT_EQ(c.top, view()->TopLine());
        KvTextView::CopyText(view()->GetHandle(), "before", 6);
        key('C', 0, down);
        EXPECT_EQ(c.selection.empty() ? "before" : c.selection, ClipboardText());
        // Copy applies to a selection, Select All while something is left out.
        const HMENU menu = view()->CreateContextMenu();
        auto grey = [&](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
        EXPECT_EQ(c.selection.empty(), grey(KvTextView::kCopyCommand));
        EXPECT_EQ(c.selection == text, grey(KvTextView::kSelectAllCommand));
        DestroyMenu(menu);
    }
}
