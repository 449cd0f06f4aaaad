// The folder tree on a folder tree of the test's own, made beside the test
// program: its root, steering by path and by id list, lazy expansion, the
// order and the buttons of its nodes, and what it tells its host.
#include "browser/shell/BrowserHost.h"
#include "browser/shell/FolderTreeView.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RecordingHost : BrowserHost {
    std::vector<std::string> titles;
    std::vector<std::string> shown;  // paths of the folders shown in the list
    bool IsMidiOnly() override { return false; }
    void SelectFolderInTree(LPCITEMIDLIST) override {}
    void OpenItem(const ItemRecord&) override {}
    void SetTitleFolder(const std::string& path) override { titles.push_back(path); }
    void ShowFolderInList(LPCITEMIDLIST folder) override
    {
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(folder, path);
        shown.push_back(path);
    }
};

const char* ParentClass()
{
    static const char* name = [] {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = WindowProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "VelmoraTreeTestParent";
        RegisterClassExA(&c);
        return "VelmoraTreeTestParent";
    }();
    return name;
}

std::string DesktopPath()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOP, nullptr, 0, path);
    return path;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return fs::path(path).parent_path().string();
}

class FolderTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = ProgramFolder() + "\\tree-" + std::to_string(GetCurrentProcessId());
        fs::remove_all(root);
        for (const char* dir : {"alpha\\deep\\deeper", "Beta", "empty", ".hidden"}) fs::create_directories(Path(dir));
        std::fclose(std::fopen(Path("alpha\\file.txt").c_str(), "wb"));
        SetBrowserHost(&host);
        parent.Create(0, ParentClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr, nullptr,
                      GetModuleHandleA(nullptr), nullptr);
        tree.Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0, 300, 400,
                    parent.GetHandle(), reinterpret_cast<HMENU>(INT_PTR{20}), GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(parent.GetHandle())) DestroyWindow(parent.GetHandle());
        SetBrowserHost(nullptr);
        fs::remove_all(root);
    }
    std::string Path(const std::string& relative) const { return root + "\\" + relative; }
    HTREEITEM Node(const std::string& relative)
    {
        tree.GoToPath(Path(relative).c_str());
        return tree.GetSelection();
    }
    std::string Label(HTREEITEM item)
    {
        char text[MAX_PATH] = {};
        TVITEMA query{};
        query.mask = TVIF_HANDLE | TVIF_TEXT;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        tree.GetItem(&query);
        return text;
    }
    std::vector<std::string> ChildLabels(HTREEITEM item)
    {
        std::vector<std::string> labels;
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            labels.push_back(Label(child));
        return labels;
    }
    int Children(HTREEITEM item)
    {
        TVITEMA query{};
        query.mask = TVIF_HANDLE | TVIF_CHILDREN;
        query.hItem = item;
        tree.GetItem(&query);
        return query.cChildren;
    }
    LPITEMIDLIST Parse(const std::string& path)
    {
        LPITEMIDLIST list = nullptr;
        SHParseDisplayName(std::wstring(path.begin(), path.end()).c_str(), nullptr, &list, 0, nullptr);
        return list;
    }

    std::string root;
    RecordingHost host;
    KvWindow parent;
    FolderTreeView tree;
};

TEST_F(FolderTree, StartsAtTheDesktopExpandedAndSelected)
{
    const HTREEITEM rootItem = tree.GetRootItem();
    ASSERT_NE(nullptr, rootItem);
    EXPECT_EQ(rootItem, tree.GetSelection());
    EXPECT_NE(nullptr, tree.GetChildItem(rootItem));  // its sub-folders are read
    EXPECT_EQ(DesktopPath(), tree.SelectedPath());
    EXPECT_EQ(std::vector<std::string>{DesktopPath()}, host.titles);
    EXPECT_EQ(std::vector<std::string>{DesktopPath()}, host.shown);
}

TEST_F(FolderTree, GoToPathSelectsAnExistingFolderAndLeavesTheRestAlone)
{
    const std::string deep = Path("alpha\\deep\\deeper");
    struct Case {
        std::string path;
        std::string selected;
    } cases[] = {
        {deep, deep},
        {Path("vanished"), deep},
        {"", deep},
        {std::string(300, 'x'), deep},  // longer than any path
        {Path("Beta"), Path("Beta")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        host.titles.clear();
        host.shown.clear();
        const bool changes = c.selected != tree.SelectedPath();
        EXPECT_EQ(1, tree.GoToPath(c.path.c_str()));
        EXPECT_EQ(c.selected, tree.SelectedPath());
        EXPECT_EQ(changes ? 1u : 0u, host.titles.size());
        if (changes) {
            EXPECT_EQ(c.selected, host.titles.back());
            EXPECT_EQ(std::vector<std::string>{c.selected}, host.shown);
        }
    }
}

TEST_F(FolderTree, SubFoldersComeInTheShellsOrderWithHiddenOnesAndNoFiles)
{
    const HTREEITEM alphaParent = tree.GetNextItem(Node("alpha"), TVGN_PARENT);
    EXPECT_EQ((std::vector<std::string>{".hidden", "alpha", "Beta", "empty"}), ChildLabels(alphaParent));
}

TEST_F(FolderTree, SubFoldersAreReadOnceAtTheFirstExpansion)
{
    const HTREEITEM alpha = Node("alpha");
    EXPECT_TRUE(ChildLabels(alpha).empty());  // selected, not expanded
    tree.Expand(alpha, TVE_EXPAND);
    fs::create_directories(Path("alpha\\late"));
    // Closed and opened again by the user's keys (the selection is alpha).
    tree.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
    tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(std::vector<std::string>{"deep"}, ChildLabels(alpha));
}

TEST_F(FolderTree, SelectIdListStopsAtTheDeepestNodeTheTreeHas)
{
    const HTREEITEM alpha = Node("alpha");
    tree.Expand(alpha, TVE_EXPAND);
    fs::create_directories(Path("alpha\\late"));
    for (const char* beyond : {"alpha\\file.txt", "alpha\\late"}) {
        SCOPED_TRACE(beyond);
        Node("Beta");
        const LPITEMIDLIST list = Parse(Path(beyond));
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(1, tree.SelectIdList(list));
        CoTaskMemFree(list);
        EXPECT_EQ(Path("alpha"), tree.SelectedPath());
    }
}

TEST_F(FolderTree, AFolderWithoutSubFoldersHasNoButtonOnceRead)
{
    const HTREEITEM empty = Node("empty");
    const HTREEITEM alpha = Node("alpha");
    tree.Expand(empty, TVE_EXPAND);
    tree.Expand(alpha, TVE_EXPAND);
    EXPECT_EQ(0, Children(empty));
    EXPECT_EQ(1, Children(alpha));
}

TEST_F(FolderTree, SelectedPathOfAFolderWithoutAPathIsItsLabel)
{
    tree.GoToPath("::{20d04fe0-3aea-1069-a2d8-08002b30309d}");  // the computer's drives
    const HTREEITEM drives = tree.GetSelection();
    ASSERT_NE(tree.GetRootItem(), drives);
    EXPECT_FALSE(Label(drives).empty());
    EXPECT_EQ(Label(drives), tree.SelectedPath());
}

TEST_F(FolderTree, DestroyingTheWindowGivesBackEveryNode)
{
    tree.Expand(Node("alpha\\deep"), TVE_EXPAND);
    EXPECT_GT(tree.PoolBlockCount(), 0u);
    DestroyWindow(parent.GetHandle());
    EXPECT_EQ(0u, tree.PoolBlockCount());
}

}  // namespace
