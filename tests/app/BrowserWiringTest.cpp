// The browser inside the main window: the MIDI-only filter, a selected row's
// file, opening a file from outside, folders opened in the list or dropped
// with the history and its greyed buttons, renaming in place, the view modes,
// and sorting by the arrangement commands and the header clicks.
#include "AppTestSupport.h"

#include "app/MainToolbar.h"
#include "app/RightFrame.h"
#include "app/browser/FolderTreeView.h"
#include "app/browser/MidiListView.h"
#include "app/browser/ShellTestSupport.h"
#include "app/dataview/DataFrame.h"
#include "app/dataview/DataView.h"
#include "resources/resource.h"

#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

// A main window that starts in a folder of the test's own: a sub-folder, a
// MIDI file, a text file and a file one past 4 GiB, changed on days of their
// own.
class BrowserTest : public AppWindowTest {
protected:
    void Prepare() override
    {
        folder.Folder("sub");
        SYSTEMTIME day[4] = {};  // of January 2020
        for (WORD d = 1; d < 4; ++d) day[d] = {2020, 1, 0, d, 12, 0, 0, 0};
        folder.File("song.mid", TwoChannels(), 0, &day[1]);
        folder.File("big.bin", {}, (4LL << 30) + 10, &day[2]);  // its low 32 bits say 10 bytes
        folder.File("notes.txt", {}, 0, &day[3]);
        WriteText("LastPath", folder.path());
    }
    MidiListView* list() { return main->GetRightFrame()->GetFileList(); }
    DataView* view() { return main->GetRightFrame()->GetDataFrame()->GetDataView(); }

    shelltest::TestFolder folder{"app-browse"};
};

// Each time the data view's text is set its parent hears EN_CHANGE: one a
// load; each time the list is emptied: one listing.
HWND countedList = nullptr;
int loads = 0, listings = 0;
LRESULT CALLBACK CountLoadsAndListings(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND && HIWORD(call->wParam) == EN_CHANGE &&
        LOWORD(call->wParam) == DataFrame::kViewId)
        ++loads;
    if (code == HC_ACTION && call->hwnd == countedList && call->message == LVM_DELETEALLITEMS) ++listings;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(BrowserTest, SelectingARowLoadsItsFileOnce)
{
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountLoadsAndListings, nullptr, GetCurrentThreadId());
    const struct {
        const char* what;
        int row;
        UINT state;
        int loads;
    } cases[] = {
        {"selecting song.mid", 3, LVIS_SELECTED | LVIS_FOCUSED, 1},
        {"selecting it again", 3, LVIS_SELECTED | LVIS_FOCUSED, 0},
        {"focusing another row", 2, LVIS_FOCUSED, 0},
        {"selecting notes.txt", 2, LVIS_SELECTED | LVIS_FOCUSED, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loads = 0;
        list()->SetItemState(c.row, c.state, LVIS_SELECTED | LVIS_FOCUSED);
        Pump();
        EXPECT_EQ(c.loads, loads);
    }
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(folder / "song.mid", view()->GetLoadedPath());
}

// The MIDI-only button lists the folder again without the other files. A
// file opened from outside is the one selected row, focused in the focused
// list: its folder is listed again (a file made since is found) and a
// MIDI-only filter that hides it is turned off.
TEST_F(BrowserTest, AFileFromOutsideIsTheOneSelectedRowOfItsFolderListedAgain)
{
    const struct {
        const char* made;  // before the opening, in the folder shown
        bool midiOnly;
    } cases[] = {{"song.mid", false}, {"later.mid", false}, {"LOUD.MID", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made);
        main->GetMainToolbar()->SetState(IDM_MIDIONLY, TBSTATE_ENABLED | (c.midiOnly ? TBSTATE_CHECKED : 0));
        main->SendMessage(WM_COMMAND, IDM_MIDIONLY, 0);
        EXPECT_EQ(c.midiOnly ? 3 : 4, list()->GetItemCount());  // with MIDI only: later.mid, no other file
        folder.File(c.made, TwoChannels());
        list()->SetItemState(shelltest::RowNamed(*list(), "sub"), LVIS_SELECTED, LVIS_SELECTED);
        main->OpenPath(folder / c.made);
        const LRESULT both = LVIS_SELECTED | LVIS_FOCUSED;
        EXPECT_EQ(1, list()->SendMessage(LVM_GETSELECTEDCOUNT, 0, 0));
        EXPECT_EQ(both, list()->SendMessage(LVM_GETITEMSTATE, shelltest::RowNamed(*list(), c.made), both));
        EXPECT_FALSE(main->IsMidiOnly());
        EXPECT_EQ(list()->GetHandle(), GetFocus());
        EXPECT_EQ(folder / c.made, view()->GetLoadedPath());
    }
}

// F2 edits the focused row's name. Enter renames through the shell: the row
// takes the new name and path, a MIDI row keeps its columns and the data
// view keeps showing its file. A name the shell refuses snaps back with a
// box that says why; an unchanged name and Escape do nothing.
TEST_F(BrowserTest, RenamingInPlaceGoesToTheShellOrSaysWhyAndSnapsBack)
{
    main->OpenPath(folder / "song.mid");
    ASSERT_EQ(std::string(kCh0) + kCh2, view()->GetTextBuffer());
    const struct {
        const char* row;
        const char* typed;
        WPARAM key;
        const char* name;  // afterwards
        bool box;
    } cases[] = {
        {"notes.txt", "memo.txt", VK_RETURN, "memo.txt", false},
        {"song.mid", "tune.mid", VK_RETURN, "tune.mid", false},
        {"sub", "inner", VK_RETURN, "inner", false},
        {"memo.txt", "tune.mid", VK_RETURN, "memo.txt", true},
        {"memo.txt", "a?b", VK_RETURN, "memo.txt", true},
        {"memo.txt", "memo.txt", VK_RETURN, "memo.txt", false},
        {"memo.txt", "other.txt", VK_ESCAPE, "memo.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const int row = shelltest::RowNamed(*list(), c.row);
        ASSERT_GE(row, 0);
        list()->SetFocus();
        list()->SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
        list()->SendMessage(WM_KEYDOWN, VK_F2, 0);
        const HWND edit = HWND(list()->SendMessage(LVM_GETEDITCONTROL, 0, 0));
        ASSERT_NE(nullptr, edit);
        SetWindowTextA(edit, c.typed);
        MessageBoxAnswer box(IDOK);
        SendMessageA(edit, WM_KEYDOWN, c.key, 0);
        if (c.box) box.join();
        EXPECT_EQ(c.box, box.seen && !box.text.empty());  // a box that says why, or none
        const int now = shelltest::RowNamed(*list(), c.name);
        ASSERT_EQ(row, now) << "the row keeps its place";
        EXPECT_EQ(folder / c.name, list()->RecordAt(now)->path);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder / c.name).c_str()));
        if (c.name == std::string("tune.mid")) {  // the file the data view shows (an edit selects its row)
            EXPECT_EQ("SMF Format 0", shelltest::RowTexts(*list(), 5)[now][4]);
            EXPECT_EQ(folder / "tune.mid", view()->GetLoadedPath());
            EXPECT_EQ(std::string(kCh0) + kCh2, view()->GetTextBuffer());
        }
    }
}

TEST_F(BrowserTest, ViewCommandsSwitchTheListAndMoveTheRadioMark)
{
    // The command of each list view (LV_VIEW_ICON, _DETAILS, _SMALLICON, _LIST, _TILE).
    const UINT commandOf[] = {IDM_VIEW_THUMBNAILS, IDM_VIEW_DETAILS, IDM_VIEW_ICONS, IDM_VIEW_LIST, IDM_VIEW_TILES};
    for (UINT command : {IDM_VIEW_TILES, IDM_VIEW_THUMBNAILS, IDM_VIEW_ICONS, IDM_VIEW_LIST, IDM_VIEW_DETAILS}) {
        SCOPED_TRACE(command);
        main->SendMessage(WM_COMMAND, command, 0);
        // Tiles draw from the large icons, also where they are refused.
        EXPECT_TRUE(command != IDM_VIEW_TILES || list()->SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL, 0) != 0);
        const DWORD view = DWORD(list()->SendMessage(LVM_GETVIEW, 0, 0));
        ASSERT_LT(view, 5u);
        EXPECT_EQ(command == IDM_VIEW_TILES ? commandOf[view] : command, commandOf[view]);  // Wine refuses tiles
        for (UINT id = IDM_VIEW_THUMBNAILS; id <= IDM_VIEW_DETAILS; ++id)
            EXPECT_EQ(id == commandOf[view], (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0) << id;
    }
}

// A double-click or Enter on a folder row and a dropped folder open it like a
// path, listed once, and the tree follows; Back, Forward and Up walk the
// folders shown and grey when they cannot.
TEST_F(BrowserTest, OpenedFoldersAreListedOnceAndBackForwardAndUpGreyWhenTheyCannot)
{
    const std::string top = folder.path(), sub = folder / "sub";
    const std::string above = std::filesystem::path(top).parent_path().string();
    enum { kStart, kDoubleClick, kEnter, kDrop };  // the ways to open the sub-folder
    struct Step {
        UINT command;  // or a way to open the sub-folder
        std::string folder;
        bool back, forward, up;
    } steps[] = {
        {kStart, top, false, false, true},  // the history starts with the folder of the last run
        {kDoubleClick, sub, true, false, true},
        {IDM_BACK, top, false, true, true},
        {IDM_FORWARD, sub, true, false, true},
        {IDM_BACK, top, false, true, true},
        {IDM_REFRESH, top, false, true, true},  // the same folder again is no move
        {kEnter, sub, true, false, true},       // a new move drops what lay ahead
        {IDM_UP, top, true, false, true},
        {IDM_UP, above, true, false, true},
        {kDrop, sub, true, false, true},
    };
    auto enabled = [&](UINT id) { return main->GetMainToolbar()->SendMessage(TB_ISBUTTONENABLED, id, 0) != 0; };
    countedList = list()->GetHandle();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountLoadsAndListings, nullptr, GetCurrentThreadId());
    std::string before = top;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.command);
        if (s.command == kDoubleClick || s.command == kEnter)
            list()->SetItemState(shelltest::RowNamed(*list(), "sub"), LVIS_SELECTED, LVIS_SELECTED);
        listings = 0;
        if (s.command == kDoubleClick) list()->OnDblClk(nullptr);
        if (s.command == kEnter) list()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        if (s.command == kDrop) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sub.size() + 2);
            auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
            drop->pFiles = sizeof(DROPFILES);
            std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), sub.c_str(), sub.size());
            GlobalUnlock(block);
            main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        }
        if (s.command > kDrop) main->SendMessage(WM_COMMAND, s.command, 0);
        EXPECT_EQ(s.folder, main->GetFolderTree()->SelectedPath());
        EXPECT_EQ(s.folder != before || s.command == IDM_REFRESH ? 1 : 0, listings);
        EXPECT_EQ(s.back, enabled(IDM_BACK));
        EXPECT_EQ(s.forward, enabled(IDM_FORWARD));
        EXPECT_EQ(s.up, enabled(IDM_UP));
        before = s.folder;
    }
    UnhookWindowsHookEx(hook);
}

// The arrangement commands and the header's clicks on the browser's folder,
// with the state shown as a line of text.
class ListSort : public BrowserTest {
protected:
    // "sub big.bin ... |0^|N": the rows' file names, the header's arrows ("v"
    // downward) and the arrangement command with the radio mark.
    std::string State()
    {
        std::string state;
        for (const auto& row : shelltest::RowTexts(*list(), 1)) state += row[0] + " ";
        state += "|";
        for (int column = 0; column < 7; ++column) {
            HDITEMA item{};
            item.mask = HDI_FORMAT;
            SendMessageA(HWND(list()->SendMessage(LVM_GETHEADER, 0, 0)), HDM_GETITEMA, column, LPARAM(&item));
            if (item.fmt & HDF_SORTUP) state += std::to_string(column) + "^";
            if (item.fmt & HDF_SORTDOWN) state += std::to_string(column) + "v";
        }
        state += "|";
        for (UINT id = IDM_ARRANGE_NAME; id <= IDM_ARRANGE_DATE; ++id)
            if (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) state += "NSTM"[id - IDM_ARRANGE_NAME];
        return state;
    }
};

TEST_F(ListSort, CommandsAndHeaderClicksOrderTheRowsFoldersFirstAndMarkTheColumn)
{
    enum { kCommand, kClick, kRefresh, kRevisit };
    const struct {
        int action;
        int what;  // a command or a column
        const char* state;
    } steps[] = {
        {kCommand, IDM_ARRANGE_SIZE, "sub notes.txt song.mid big.bin |1^|S"},
        {kCommand, IDM_ARRANGE_DATE, "sub song.mid big.bin notes.txt |3^|M"},
        {kCommand, IDM_ARRANGE_TYPE, "sub big.bin song.mid notes.txt |2^|T"},
        {kCommand, IDM_ARRANGE_NAME, "sub big.bin notes.txt song.mid |0^|N"},
        {kClick, 0, "sub song.mid notes.txt big.bin |0v|N"},
        {kClick, 1, "sub notes.txt song.mid big.bin |1^|S"},
        {kClick, 1, "sub big.bin song.mid notes.txt |1v|S"},
        {kRefresh, 0, "sub big.bin song.mid notes.txt |1v|S"},
        {kRevisit, 0, "sub big.bin song.mid notes.txt |1v|S"},
    };
    for (const auto& s : steps) {
        if (s.action == kCommand) main->SendMessage(WM_COMMAND, s.what, 0);
        NMLISTVIEW click{};  // as the header's click comes to the list's parent
        click.hdr = {list()->GetHandle(), 30, UINT(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = s.what;
        if (s.action == kClick) SendMessageA(GetParent(click.hdr.hwndFrom), WM_NOTIFY, 30, LPARAM(&click));
        if (s.action == kRefresh) main->SendMessage(WM_COMMAND, IDM_REFRESH, 0);
        if (s.action == kRevisit) {
            main->OpenPath(folder / "sub");
            main->OpenPath(folder.path());
        }
        EXPECT_EQ(s.state, State()) << s.action << " " << s.what;
    }
}

}  // namespace
