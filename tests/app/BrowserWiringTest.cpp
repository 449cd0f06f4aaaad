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

#include <cstdio>
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

std::string TestFolder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    return fs::path(exe).parent_path().string() + "\\browse-" + std::to_string(GetCurrentProcessId());
}

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

}  // namespace
