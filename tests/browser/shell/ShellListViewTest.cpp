// The file list of one shell folder, under Wine, on folders the test makes.
#include "ShellTestSupport.h"

#include "browser/shell/ShellListView.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>

using namespace shelltest;

namespace {

// A list that shows its pool and records the busy state and the menus.
class ProbeList : public ShellListView {
public:
    size_t PoolBlocks() const { return pool->BlockCount(); }
    LRESULT AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId) override
    {
        busyWhileAdding = GetCapture() == GetHandle() && GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
        return ShellListView::AddItem(folder, folderId, childId);
    }
    UINT TrackContextMenu(HMENU menu, POINT) override
    {
        ++menus;
        // Choose the entry whose text starts with `choose`.
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            if (!choose.empty() && std::string(text).rfind(choose, 0) == 0) return GetMenuItemID(menu, i);
        }
        return 0;
    }

    bool busyWhileAdding = false;
    int menus = 0;
    std::string choose;
};

class ShellListViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fixture.Create(list)); }

    ListFixture fixture;
    ProbeList list;
};

void SetLocalWriteTime(const std::string& path, SYSTEMTIME local)
{
    FILETIME localTime, utc;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    const HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

void SparseFile(const std::string& path, LONGLONG size)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

bool Shortcut(const std::string& target, const std::string& path)
{
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    link->SetPath(target.c_str());
    const bool saved = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                       SUCCEEDED(file->Save(Wide(path).c_str(), TRUE));
    if (file) file->Release();
    link->Release();
    return saved;
}

TEST_F(ShellListViewTest, RowsShowSizeTypeAndTimeOfEachItemAndGiveEveryBlockBack)
{
    TestFolder folder("texts");
    folder.File("zero.txt");
    folder.File("k.txt", std::vector<uint8_t>(1025, 'k'));
    folder.File("m.txt", std::vector<uint8_t>(1048576, 'm'));
    SparseFile(folder / "big.dat", 5LL << 30);
    SetLocalWriteTime(folder.File("dated.txt"), SYSTEMTIME{2006, 3, 0, 5, 9, 7, 0, 0});
    folder.Folder("sub");
    fixture.Show(folder.path());
    EXPECT_TRUE(list.busyWhileAdding) << "wait cursor and capture while listing";
    EXPECT_EQ(GetCapture(), nullptr);

    const struct {
        const char* name;
        const char* size;
        const char* time;  // null: not checked
    } cases[] = {
        {"zero.txt", "0 KB", nullptr},    {"k.txt", "2 KB", nullptr},
        {"m.txt", "1,024 KB", nullptr},   {"big.dat", "5,242,880 KB", nullptr},
        {"dated.txt", "0 KB", "2006/03/05 9:07"}, {"sub", "", nullptr},
    };
    const auto rows = RowTexts(list, 4);
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& c : cases) {
        const int row = RowNamed(list, c.name);
        ASSERT_GE(row, 0) << c.name;
        EXPECT_EQ(rows[row][1], c.size) << c.name;
        EXPECT_FALSE(rows[row][2].empty()) << c.name << " has a type";
        if (c.time) {
            EXPECT_EQ(rows[row][3], c.time);
        }
        EXPECT_EQ(std::string(list.RecordAt(row)->path), folder / c.name);
    }
    EXPECT_EQ(list.PoolBlocks(), 6u * 3u + 1u) << "record and two id lists per row, and the folder";
    list.DeleteAllItems();
    EXPECT_EQ(list.PoolBlocks(), 0u);
    EXPECT_EQ(list.GetCurrentFolder(), nullptr);
    TestFolder empty("empty");
    fixture.Show(empty.path());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(fixture.CurrentPath(), empty.path()) << "an empty folder still becomes current";
}

TEST_F(ShellListViewTest, TheDesktopListsItselfWithItemsWithoutFindDataFirst)
{
    IdListPool pool;
    LPITEMIDLIST desktop = pool.CloneIdList(nullptr);  // the empty list
    list.ShowFolder(desktop);
    const int count = static_cast<int>(list.GetItemCount());
    ASSERT_GT(count, 0);
    std::vector<uint32_t> kinds;
    for (int i = 0; i < count; ++i) kinds.push_back(list.RecordAt(i)->kind);
    EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.end()));
    EXPECT_EQ(kinds.front(), 0u) << "the computer folder has no find data";
}

TEST_F(ShellListViewTest, IconsShowHiddenDimmedAndShortcutsWithOverlay)
{
    TestFolder folder("icons");
    folder.File("plain.txt");
    folder.File(".hidden.txt");
    ASSERT_TRUE(Shortcut(folder / "plain.txt", folder / "link.lnk"));
    fixture.Show(folder.path());
    const struct {
        const char* name;
        UINT state;
    } cases[] = {
        {"plain.txt", 0},
        {".hidden.txt", LVIS_CUT},
        {"link", INDEXTOOVERLAYMASK(2)},
    };
    for (const auto& c : cases) {
        const int row = RowNamed(list, c.name);
        ASSERT_GE(row, 0) << c.name;
        NMLVDISPINFOA info{};
        info.item.mask = LVIF_IMAGE;
        info.item.iItem = row;
        info.item.lParam = reinterpret_cast<LPARAM>(list.RecordAt(row));
        EXPECT_EQ(list.OnGetDispInfo(&info), 1);
        EXPECT_EQ(info.item.iImage, list.RecordAt(row)->iconIndex);
        EXPECT_EQ(info.item.state, c.state) << c.name;
        EXPECT_EQ((info.item.mask & LVIF_STATE) != 0, c.state != 0) << c.name;
    }
}

TEST(ShellListIcons, ShareOverlayWinsOverLinkOverlay)
{
    UINT state = 0, mask = 0;
    EXPECT_TRUE(IconStateOf(SFGAO_LINK | SFGAO_SHARE | SFGAO_HIDDEN, &state, &mask));
    EXPECT_EQ(state, INDEXTOOVERLAYMASK(1) | LVIS_CUT);
    EXPECT_EQ(mask, static_cast<UINT>(LVIS_OVERLAYMASK | LVIS_CUT));
    EXPECT_FALSE(IconStateOf(SFGAO_FOLDER | SFGAO_FILESYSTEM, &state, &mask));
}

TEST_F(ShellListViewTest, AFolderThatVanishedListsNothing)
{
    TestFolder folder("vanish");
    folder.Folder("gone");
    folder.File("gone\\x.txt");
    IdListPool ids;
    LPITEMIDLIST gone = IdListOf(folder / "gone", ids);
    ASSERT_NE(gone, nullptr);
    RemoveTree(folder / "gone");
    list.ShowFolder(gone);
    EXPECT_EQ(list.GetItemCount(), 0) << "neither the old rows nor the desktop";
    EXPECT_EQ(GetCapture(), nullptr) << "the busy state ended";
}

TEST_F(ShellListViewTest, ContextMenuOnlyOnASelectionAndItsCopyPutsTheFileOnTheClipboard)
{
    TestFolder folder("copy");
    const std::string file = folder.File("copied.txt", {'x'});
    fixture.Show(folder.path());
    list.choose = "コピー";
    list.OnRClick(nullptr);
    EXPECT_EQ(list.menus, 0);
    fixture.Select(0);
    list.OnRClick(nullptr);
    EXPECT_EQ(list.menus, 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::string dropped;
    if (HANDLE data = GetClipboardData(CF_HDROP)) {
        char path[MAX_PATH * 4] = {};
        DragQueryFileA(static_cast<HDROP>(data), 0, path, sizeof path);
        dropped = path;
    }
    CloseClipboard();
    EXPECT_EQ(dropped, file);
    EXPECT_EQ(list.GetItemCount(), 1) << "the folder is listed again";
}

TEST_F(ShellListViewTest, ADragEndsCleanlyWhenTheCaptureIsTakenAway)
{
    TestFolder folder("drag");
    folder.File("a.txt");
    fixture.Show(folder.path());
    const auto cursorCount = [] {
        ShowCursor(FALSE);
        return ShowCursor(TRUE);
    };
    const int before = cursorCount();
    NMLISTVIEW drag{};
    drag.iItem = 0;
    list.OnBeginDrag(&drag);
    ASSERT_TRUE(list.IsDragging());
    EXPECT_EQ(GetCapture(), list.GetHandle());
    EXPECT_EQ(cursorCount(), before - 1);
    SetCapture(list.GetParent());
    EXPECT_FALSE(list.IsDragging());
    EXPECT_EQ(cursorCount(), before);
    ReleaseCapture();
}

TEST_F(ShellListViewTest, LongNamesAndPathsStayInsideTheirFields)
{
    TestFolder folder("long");
    // A folder whose path fits, holding a file whose path does not.
    std::string deep = folder.path();
    int levels = 0;
    for (; deep.size() < 180; ++levels) {
        deep += "\\" + std::string(60, 'd');
        ASSERT_TRUE(MakeFolder(deep));
    }
    const std::string longName(200, 'n');
    const HANDLE file = CreateFileW((L"\\\\?\\" + Wide(deep + "\\" + longName + ".txt")).c_str(), GENERIC_WRITE, 0,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    // The shell parses no path that long: walk down from the test folder.
    fixture.Show(folder.path());
    for (int i = 0; i < levels; ++i) list.OpenItem(0);
    ASSERT_EQ(list.GetItemCount(), 1);
    const ItemRecord* record = list.RecordAt(0);
    EXPECT_EQ(std::string(record->displayName).substr(0, 200), longName);
    EXPECT_LT(strnlen(record->displayName, sizeof record->displayName), sizeof record->displayName);
    EXPECT_STREQ(record->path, "") << "a path cut short would name another file";
}

}  // namespace
