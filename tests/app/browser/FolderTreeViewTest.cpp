// The folder tree on folders the test makes: its root, steering by path to the
// deepest node it has, lazy expansion, its nodes' order and buttons, its host.
#include "ShellTestSupport.h"

#include "app/browser/FolderTreeView.h"
#include "framework/TestWindows.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The tree starts at the desktop. Sub-folders are read once, at a node's
// first expansion, in the shell's order, hidden ones too. A path below the
// deepest node the tree has (a file, a folder made after its parent was read)
// selects that node. A folder without a path is named by its label.
TEST(FolderTree, StartsAtTheDesktopReadsSubFoldersOnceAndGoToPathSelectsTheDeepestNodeOnThePath)
{
    const shelltest::TestFolder folder{"tree"};
    for (const char* dir : {"alpha", "alpha\\deep", "alpha\\deep\\deeper", "Beta", "empty", ".hidden"})
        folder.Folder(dir);
    folder.File("alpha\\file.txt");
    shelltest::RecordingHost host;
    KvWindow parent;
    FolderTreeView tree;
    const fwtest::WindowGuard guard{fwtest::Parent(parent)};
    tree.Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0, 300, 400,
                parent.GetHandle(), reinterpret_cast<HMENU>(INT_PTR{20}), GetModuleHandleA(nullptr), nullptr);
    // A node's label, and its child count (1 shows the expand button).
    const auto query = [&](HTREEITEM item) {
        char text[MAX_PATH] = {};
        TVITEMA node{};
        node.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_CHILDREN;
        node.hItem = item;
        node.pszText = text;
        node.cchTextMax = sizeof text;
        tree.GetItem(&node);
        return std::pair<std::string, int>(text, node.cChildren);
    };
    const auto childLabels = [&](HTREEITEM item) {
        std::vector<std::string> labels;
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            labels.push_back(query(child).first);
        return labels;
    };
    char desktop[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOP, nullptr, 0, desktop);
    EXPECT_EQ(desktop, tree.SelectedPath());
    EXPECT_NE(nullptr, tree.GetChildItem(tree.GetSelection()));  // its sub-folders are read
    EXPECT_EQ(std::vector<std::string>{desktop}, host.titles);
    EXPECT_EQ(std::vector<std::string>{desktop}, host.shown);
    tree.GoToPath((folder / "empty").c_str());
    const HTREEITEM empty = tree.GetSelection();
    tree.GoToPath((folder / "alpha").c_str());
    const HTREEITEM alpha = tree.GetSelection();
    const std::vector<std::string> inOrder = {".hidden", "alpha", "Beta", "empty"};
    EXPECT_EQ(inOrder, childLabels(tree.GetNextItem(alpha, TVGN_PARENT)));
    EXPECT_TRUE(childLabels(alpha).empty());  // selected, not expanded
    tree.Expand(empty, TVE_EXPAND);
    tree.Expand(alpha, TVE_EXPAND);
    EXPECT_EQ(0, query(empty).second) << "an empty folder loses its button";
    EXPECT_EQ(1, query(alpha).second);
    folder.Folder("alpha\\late");
    // Closed and opened again by the user's keys (the selection is alpha).
    tree.SendMessage(WM_KEYDOWN, VK_SUBTRACT, 0);
    tree.SendMessage(WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(std::vector<std::string>{"deep"}, childLabels(alpha));

    const std::string deep = folder / "alpha\\deep\\deeper";
    struct Case {
        std::string path;
        std::string selected;
    } cases[] = {
        {deep, deep},
        {folder / "vanished", deep},
        {"", deep},
        {std::string(300, 'x'), deep},  // longer than any path
        {folder / "Beta", folder / "Beta"},
        {folder / "alpha\\file.txt", folder / "alpha"},
        {folder / "alpha\\late", folder / "alpha"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        host.titles.clear();
        host.shown.clear();
        // The host hears of a new selection only.
        std::vector<std::string> told;
        if (c.selected != tree.SelectedPath()) told.push_back(c.selected);
        EXPECT_EQ(1, tree.GoToPath(c.path.c_str()));
        EXPECT_EQ(c.selected, tree.SelectedPath());
        EXPECT_EQ(told, host.titles);
        EXPECT_EQ(told, host.shown);
    }
    tree.GoToPath("::{20d04fe0-3aea-1069-a2d8-08002b30309d}");  // the computer's drives
    ASSERT_NE(tree.GetRootItem(), tree.GetSelection());
    EXPECT_FALSE(tree.SelectedPath().empty());
    EXPECT_EQ(query(tree.GetSelection()).first, tree.SelectedPath());
    EXPECT_GT(tree.PoolBlockCount(), 0u);
    DestroyWindow(parent.GetHandle());
    EXPECT_EQ(0u, tree.PoolBlockCount()) << "destroying gives every node back";
}

}  // namespace
