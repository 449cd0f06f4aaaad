// The browser inside the main window: the folder of the last run at
// start-up, the title and LastPath that follow the tree, the list that
// follows the tree and the MIDI-only button.
#include "AppTestSupport.h"

#include "app/MainToolbar.h"
#include "app/RightFrame.h"
#include "browser/shell/FolderTreeView.h"
#include "browser/shell/MidiListView.h"
#include "resources/resource.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string DesktopPath()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOP, nullptr, 0, path);
    return path;
}

std::string TestFolder() { return ::TestFolder("browse"); }

enum class Start { Empty, Existing, Vanished };

class StartFolder : public AppWindowTest, public ::testing::WithParamInterface<Start> {
protected:
    void Prepare() override
    {
        fs::remove_all(TestFolder());
        fs::create_directories(TestFolder() + "\\sub");
        for (const char* name : {"song.mid", "notes.txt"}) std::fclose(std::fopen((TestFolder() + "\\" + name).c_str(), "wb"));
        const std::string last[] = {"", TestFolder(), TestFolder() + "\\vanished"};
        WriteText("LastPath", last[int(GetParam())]);
    }
    void TearDown() override
    {
        AppWindowTest::TearDown();
        fs::remove_all(TestFolder());
    }
};

TEST_P(StartFolder, TreeTitleAndSavedPathFollowTheFolderOfTheLastRun)
{
    const std::string expected = GetParam() == Start::Existing ? TestFolder() : DesktopPath();
    EXPECT_EQ(expected, main->GetFolderTree()->SelectedPath());
    EXPECT_EQ("velmora - [" + expected + "]", main->GetText());
    main->SendMessage(WM_CLOSE, 0, 0);
    std::string saved;
    ASSERT_TRUE(ReadText("LastPath", saved));
    EXPECT_EQ(expected, saved);
}

INSTANTIATE_TEST_SUITE_P(Browser, StartFolder, ::testing::Values(Start::Empty, Start::Existing, Start::Vanished));

using MidiOnlyButton = StartFolder;

TEST_P(MidiOnlyButton, ListsTheFolderAgainWithTheFilter)
{
    MidiListView* list = main->GetRightFrame()->GetFileList();
    ASSERT_EQ(3, list->GetItemCount());  // sub, notes.txt, song.mid
    main->GetMainToolbar()->SetState(IDM_MIDIONLY, TBSTATE_ENABLED | TBSTATE_CHECKED);
    main->SendMessage(WM_COMMAND, IDM_MIDIONLY, 0);
    EXPECT_EQ(2, list->GetItemCount());  // the folder stays
    main->GetMainToolbar()->SetState(IDM_MIDIONLY, TBSTATE_ENABLED);
    main->SendMessage(WM_COMMAND, IDM_MIDIONLY, 0);
    EXPECT_EQ(3, list->GetItemCount());
}

INSTANTIATE_TEST_SUITE_P(Browser, MidiOnlyButton, ::testing::Values(Start::Existing));

using FromOutside = StartFolder;

// The path of the list's selected row, or "" when none is selected.
std::string SelectedRowPath(MidiListView* list)
{
    const int row = int(list->GetNextItem(-1, LVNI_SELECTED));
    const ItemRecord* record = list->RecordAt(row);
    return record ? record->path : "";
}

TEST_P(FromOutside, OpenPathShowsAFolderOrSelectsAFileAndIgnoresWhatIsMissing)
{
    struct Case {
        std::string path;
        std::string folder;
        std::string row;
    } cases[] = {
        {TestFolder() + "\\song.mid", TestFolder(), TestFolder() + "\\song.mid"},
        {TestFolder() + "\\sub", TestFolder() + "\\sub", ""},
        {TestFolder() + "\\missing.mid", TestFolder() + "\\sub", ""},
    };
    MidiListView* list = main->GetRightFrame()->GetFileList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        main->OpenPath(c.path);
        EXPECT_EQ(c.folder, main->GetFolderTree()->SelectedPath());
        EXPECT_EQ(c.row, SelectedRowPath(list));
    }
}

TEST_P(FromOutside, ADroppedFolderOpensLikeAPath)
{
    const std::string path = TestFolder() + "\\sub";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + path.size() + 2);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(block);
    main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    EXPECT_EQ(path, main->GetFolderTree()->SelectedPath());
}

TEST_P(FromOutside, RefreshListsAFileAddedSince)
{
    MidiListView* list = main->GetRightFrame()->GetFileList();
    ASSERT_EQ(3, list->GetItemCount());
    std::fclose(std::fopen((TestFolder() + "\\later.mid").c_str(), "wb"));
    main->SendMessage(WM_COMMAND, IDM_REFRESH, 0);
    EXPECT_EQ(4, list->GetItemCount());
}

TEST_P(FromOutside, ViewCommandsSwitchTheListAndMoveTheRadioMark)
{
    constexpr DWORD kAny = ~DWORD{0};
    struct Case {
        UINT command;
        DWORD view;  // kAny: whatever the list accepts (Wine refuses tiles)
    } cases[] = {
        {IDM_VIEW_THUMBNAILS, LV_VIEW_ICON}, {IDM_VIEW_ICONS, LV_VIEW_SMALLICON}, {IDM_VIEW_LIST, LV_VIEW_LIST},
        {IDM_VIEW_TILES, kAny},              {IDM_VIEW_DETAILS, LV_VIEW_DETAILS},
    };
    const UINT commandOf[] = {IDM_VIEW_THUMBNAILS, IDM_VIEW_DETAILS, IDM_VIEW_ICONS, IDM_VIEW_LIST, IDM_VIEW_TILES};
    MidiListView* list = main->GetRightFrame()->GetFileList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        main->SendMessage(WM_COMMAND, c.command, 0);
        const DWORD view = DWORD(list->SendMessage(LVM_GETVIEW, 0, 0));
        if (c.view != kAny) {
            EXPECT_EQ(c.view, view);
        }
        ASSERT_LT(view, 5u);
        for (UINT id = IDM_VIEW_THUMBNAILS; id <= IDM_VIEW_DETAILS; ++id)
            EXPECT_EQ(id == commandOf[view], (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0) << id;
    }
}

TEST_P(FromOutside, BackForwardAndUpWalkTheFoldersShownAndGreyWhenTheyCannot)
{
    const std::string top = TestFolder(), sub = TestFolder() + "\\sub", desktop = DesktopPath();
    const std::string above = fs::path(top).parent_path().string();
    struct Step {
        UINT command;  // 0: open the sub-folder
        std::string folder;
        bool back, forward, up;
    } steps[] = {
        {0, sub, true, false, true},
        {IDM_BACK, top, true, true, true},
        {IDM_BACK, desktop, false, true, false},
        {IDM_BACK, desktop, false, true, false},
        {IDM_FORWARD, top, true, true, true},
        {IDM_FORWARD, sub, true, false, true},
        {IDM_FORWARD, sub, true, false, true},
        {IDM_BACK, top, true, true, true},
        {IDM_UP, above, true, false, true},  // a new move drops what lay ahead
    };
    MainToolbar* toolbar = main->GetMainToolbar();
    auto enabled = [&](UINT id) { return toolbar->SendMessage(TB_ISBUTTONENABLED, id, 0) != 0; };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.command);
        if (s.command) {
            main->SendMessage(WM_COMMAND, s.command, 0);
        } else {
            main->OpenPath(sub);
        }
        EXPECT_EQ(s.folder, main->GetFolderTree()->SelectedPath());
        EXPECT_EQ(s.back, enabled(IDM_BACK));
        EXPECT_EQ(s.forward, enabled(IDM_FORWARD));
        EXPECT_EQ(s.up, enabled(IDM_UP));
    }
}

INSTANTIATE_TEST_SUITE_P(Browser, FromOutside, ::testing::Values(Start::Existing));

}  // namespace
