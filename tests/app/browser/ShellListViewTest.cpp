// The file list of one shell folder with its MIDI columns, the MIDI-only
// filter, the cache of file types and the links to the host, under Wine, on
// folders the test makes.
#include "ShellTestSupport.h"
#include "support/TestFiles.h"

#include "core/browser/ItemTexts.h"
#include "core/midi/SmfFile.h"
#include "app/browser/FileTypeCache.h"
#include "app/browser/MidiListView.h"
#include "framework/TestWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include <ole2.h>
#include <shlobj.h>

using namespace shelltest;

namespace {

// A list that shows its pool and records the busy state.
class ProbeList : public MidiListView {
public:
    size_t PoolBlocks() const { return pool->BlockCount(); }
    LRESULT AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId) override
    {
        busyWhileAdding = GetCapture() == GetHandle() && GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
        const LRESULT added = MidiListView::AddItem(folder, folderId, childId);
        // What a message answered in the middle of a listing may do.
        if (duringListing) duringListing(static_cast<int>(GetItemCount()));
        return added;
    }

    bool busyWhileAdding = false;
    std::function<void(int rows)> duringListing;
};

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

// OLE for the test's thread, and the list window (id 30) in a hidden parent.
class FileList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(fwtest::Parent(parent), nullptr);
        ASSERT_NE(list.Create(WS_EX_CLIENTEDGE, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0,
                              780, 480, parent.GetHandle(), reinterpret_cast<HMENU>(30), GetModuleHandleA(nullptr),
                              nullptr),
                  nullptr);
        ole = SUCCEEDED(OleInitialize(nullptr));
    }
    void TearDown() override
    {
        if (IsWindow(parent.GetHandle())) DestroyWindow(parent.GetHandle());
        if (ole) OleUninitialize();
    }
    // The absolute id list of `path`, from the fixture's pool.
    LPITEMIDLIST IdOf(const std::string& path)
    {
        LPITEMIDLIST shellList = nullptr;
        EXPECT_EQ(SHParseDisplayName(Wide(path).c_str(), nullptr, &shellList, 0, nullptr), S_OK) << path;
        const LPITEMIDLIST copy = ids.CloneIdList(shellList);
        ids.Free(shellList);
        return copy;
    }
    void Show(const std::string& path) { list.ShowFolder(IdOf(path)); }

    RecordingHost host;
    KvWindow parent;
    ProbeList list;
    IdListPool ids;
    bool ole = false;
};

// The build makes this folder and its FIFO (Wine cannot): a folder of one row,
// listed without being read. A drag of the row ends cleanly when the capture
// is taken away. Backspace asks for the folder above. (Selected rows reaching
// the data view and a folder opened in the list show in the program's tests.)
TEST_F(FileList, ADragEndsCleanlyWhenTheCaptureIsTakenAwayAFifoIsNotReadAndBackspaceGoesUp)
{
    Show(VELMORA_FIFO_FOLDER);
    ASSERT_EQ(RowNamed(list, "pipe"), 0);
    EXPECT_EQ(RowTexts(list, 7)[0][4], "") << "no MIDI columns";
    EXPECT_FALSE(IsRegularFile(VELMORA_FIFO_FOLDER "\\pipe"));
    const auto cursorCount = [] {
        ShowCursor(FALSE);
        return ShowCursor(TRUE);
    };
    const int before = cursorCount();
    NMLISTVIEW drag{};
    drag.iItem = 0;
    list.OnBeginDrag(&drag);
    ASSERT_TRUE(list.IsDragging());
    list.OnMouseMove(MK_LBUTTON, 30, 40);
    EXPECT_EQ(GetCapture(), list.GetHandle());
    EXPECT_EQ(cursorCount(), before - 1);
    SetCapture(list.GetParent());
    EXPECT_FALSE(list.IsDragging());
    EXPECT_EQ(cursorCount(), before);
    ReleaseCapture();
    list.SendMessage(WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(host.upRequests, 1);
}

// What a row showed before rows were filled when first drawn: every field
// asked of the shell for the item itself, every file read for its MIDI
// columns. The reference of the tests below.
struct CompleteRow {
    std::vector<std::string> texts;  // the seven columns
    int icon;
    UINT state;
};

CompleteRow CompleteFill(IShellFolder* folder, const ItemRecord& record)
{
    CompleteRow row{std::vector<std::string>(7), 0, 0};
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(record.absoluteId), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
    row.texts[0] = info.szDisplayName;
    row.texts[2] = info.szTypeName;
    row.icon = info.iIcon;
    ULONG attributes = kItemAttributeMask;
    LPCITEMIDLIST child = record.childId;
    folder->GetAttributesOf(1, &child, &attributes);
    UINT mask = 0;
    IconStateOf(attributes & kItemAttributeMask, &row.state, &mask);
    const std::string path = PathOfIdList(record.absoluteId);
    WIN32_FIND_DATAA find{};
    if (SUCCEEDED(SHGetDataFromIDListA(folder, child, SHGDFIL_FINDDATA, &find, sizeof find))) {
        if (!(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) row.texts[1] = SizeText(FileSizeOf(path, find));
        row.texts[3] = TimeTextOf(find.ftLastWriteTime);
    }
    SmfFile smf;
    if (IsRegularFile(path) && smf.open(path) == 0) {
        smf.readEvents();
        row.texts[4] = "SMF Format " + std::to_string(smf.header().format);
        row.texts[5] = smf.info().sequenceName;
        row.texts[6] = smf.info().copyright;
    }
    return row;
}

// A folder of every kind of row; "gone.txt" is to vanish after the listing.
class MixedFolder : public FileList {
protected:
    void SetUp() override
    {
        FileList::SetUp();
        folder.Folder("sub.mid");
        folder.File("zero.mid", SmfWithTrack(Cat({Meta(0, 3, "Solo"), Meta(0, 2, "(C) Zero"), kEnd})));
        folder.File("ONE.MID", Cat({HeaderChunk(1, 2), TrackChunk(Cat({Meta(0, 3, "Demo"), kEnd})), TrackChunk(kEnd)}));
        folder.File("日本.mid", SmfWithTrack(Cat({Meta(0, 3, "日本語の曲"), Meta(0, 2, "(C) 表示"), kEnd})));
        // Its track ends early: what was read before the end is shown.
        folder.File("cut.mid", Cat({HeaderChunk(), {'M', 'T', 'r', 'k', 0, 0, 0, 40}, Meta(0, 3, "Kept"), {0, 0xFF, 2}}));
        folder.File("song.midi", SmfWithTrack(kEnd));
        folder.File(".hidden.txt", {'h'});
        folder.File("big.dat", {}, 5LL << 30);
        folder.File("gone.txt", {'g'});
        const SYSTEMTIME dated{2006, 3, 0, 5, 9, 7, 0, 0};
        folder.File("notes.txt", {'n'}, 1025, &dated);
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(link.Out())),
                  S_OK);
        link->SetPath((folder / "notes.txt").c_str());
        ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())), S_OK);
        ASSERT_EQ(file->Save(Wide(folder / "notes.lnk").c_str(), TRUE), S_OK);
        // Programs whose icons are their own.
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, sizeof system);
        for (const char* program : {"notepad.exe", "winemine.exe"})
            ASSERT_TRUE(CopyFileA((std::string(system) + "\\" + program).c_str(), (folder / program).c_str(), FALSE));
        SetFileAttributesA((folder / ".hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    TestFolder folder{"mixed"};
};

TEST_F(MixedFolder, EveryRowShowsWhatTheCompleteFillGivesAndGivesItsBlocksBack)
{
    Show(folder.path());
    EXPECT_TRUE(list.busyWhileAdding) << "wait cursor and capture while listing";
    EXPECT_EQ(GetCapture(), nullptr);
    // The complete fill of every row, by name, while "gone.txt" is still there.
    ComPtr<IShellFolder> shell;
    ASSERT_TRUE(BindFolder(list.GetCurrentFolder(), shell));
    std::map<std::string, CompleteRow> reference;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const CompleteRow complete = CompleteFill(shell.Get(), *list.RecordAt(row));
        reference[complete.texts[0]] = complete;
    }
    ASSERT_EQ(reference.size(), 13u);
    DeleteFileA((folder / "gone.txt").c_str());
    const auto rows = RowTexts(list, 7);  // as drawing asks for them
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        SCOPED_TRACE(rows[row][0]);
        ASSERT_EQ(reference.count(rows[row][0]), 1u);
        const CompleteRow& complete = reference.at(rows[row][0]);
        EXPECT_EQ(rows[row], complete.texts);
        NMLVDISPINFOA info{};
        info.item.mask = LVIF_IMAGE;
        info.item.iItem = row;
        list.OnGetDispInfo(&info);
        EXPECT_EQ(info.item.iImage, complete.icon);
        EXPECT_EQ(info.item.state, complete.state);
    }
    // What the complete fill shares with the rows: sizes, times, MIDI texts, icon states.
    const struct {
        const char* name;
        int column;
        std::string text;
    } pinned[] = {
        {"notes.txt", 1, "2 KB"},          {"notes.txt", 3, "2006/03/05 9:07"}, {"big.dat", 1, "5,242,880 KB"},
        {"sub.mid", 4, ""},                {"ONE.MID", 4, "SMF Format 1"},      {"cut.mid", 5, "Kept"},
        {"日本.mid", 5, "日本語の曲"}, {"日本.mid", 6, "(C) 表示"},
    };
    for (const auto& p : pinned) EXPECT_EQ(rows.at(RowNamed(list, p.name))[p.column], p.text) << p.name;
    EXPECT_EQ(reference.at(".hidden.txt").state, UINT(LVIS_CUT));
    EXPECT_EQ(reference.at("notes").state, UINT(INDEXTOOVERLAYMASK(2)));
    EXPECT_EQ(std::string(list.RecordAt(RowNamed(list, "big.dat"))->path), folder / "big.dat");
    EXPECT_EQ(list.PoolBlocks(), rows.size() * 3 + 1) << "record and two id lists per row, and the folder";
    list.DeleteAllItems();
    EXPECT_EQ(list.PoolBlocks(), 0u);
    EXPECT_EQ(list.GetCurrentFolder(), nullptr);
}

TEST_F(MixedFolder, TheMidiOnlyFilterKeepsExactlyMidAndEveryFolder)
{
    host.midiOnly = true;
    Show(folder.path());
    std::set<std::string> names;
    for (const auto& row : RowTexts(list, 1)) names.insert(row[0]);
    EXPECT_EQ(names, (std::set<std::string>{"cut.mid", "sub.mid", "zero.mid", "日本.mid"}));
}

TEST_F(MixedFolder, ASortBeforeTheRowsAreDrawnGivesTheOrderOfTheCompleteRows)
{
    for (int column = 0; column < RowOrder::kColumns; ++column) {
        SCOPED_TRACE(column);
        Show(folder.path());
        list.Arrange(column);  // no row drawn yet
        const auto sorted = RowTexts(list, 1);
        RowTexts(list, 7);  // every row filled
        list.Arrange(column);
        EXPECT_EQ(sorted, RowTexts(list, 1));
    }
}

// A message answered in the middle of a listing may list another folder or
// end the rows (the window is destroyed): the listing stops there.
TEST_F(MixedFolder, AListingStopsWhenAnotherBeginsOrTheRowsEnd)
{
    const LPITEMIDLIST otherId = IdOf(VELMORA_FIFO_FOLDER);
    list.duringListing = [&](int rows) {
        if (rows != 3) return;
        list.duringListing = nullptr;
        list.ShowFolder(otherId);
    };
    Show(folder.path());
    EXPECT_EQ(RowTexts(list, 1), (std::vector<std::vector<std::string>>{{"pipe"}}));
    EXPECT_EQ(PathOfIdList(list.GetCurrentFolder()), VELMORA_FIFO_FOLDER);
    EXPECT_EQ(list.PoolBlocks(), 3u + 1u);

    list.duringListing = [&](int rows) {
        if (rows == 3) DestroyWindow(list.GetParent());
    };
    Show(folder.path());
    EXPECT_EQ(list.PoolBlocks(), 0u);
}

// Which files share the answer of their extension and which are asked one
// by one, because their icon is their own.
TEST(FileTypeCache, FilesWithAnIconOfTheirOwnAreAskedOneByOne)
{
    const struct {
        const char* name;
        const char* key;  // empty: asked itself
    } rows[] = {
        {"song.mid", ".mid"}, {"SONG.MID", ".MID"}, {"a.b.txt", ".txt"}, {"tool.exe", ""},
        {"TOOL.EXE", ""},     {"face.ico", ""},     {"link.lnk", ""},    {"arrow.cur", ""},
        {"busy.ani", ""},     {"saver.scr", ""},    {"old.pif", ""},     {"site.url", ""},
        {"noextension", ""},  {".hidden", ""},      {"dot.", ""},        {"kana.\x83\x7e", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(FileTypeCache::KeyOf(row.name), row.key) << row.name;
    // And so are the files of a type whose registered icon is each file's own.
    const struct {
        const char* extension;
        const char* icon;
        bool fromFile;
    } types[] = {{".vlmtesta", "%1", true}, {".vlmtestb", "\"%1\",0", true}, {".vlmtestc", "shell32.dll,3", false}};
    for (const auto& row : types) {
        const std::string type = std::string("velmora.test") + row.extension;
        RegSetKeyValueA(HKEY_CLASSES_ROOT, row.extension, nullptr, REG_SZ, type.c_str(), DWORD(type.size() + 1));
        RegSetKeyValueA(HKEY_CLASSES_ROOT, (type + "\\DefaultIcon").c_str(), nullptr, REG_SZ, row.icon,
                        DWORD(strlen(row.icon) + 1));
        EXPECT_EQ(FileTypeCache::IconFromFile(row.extension), row.fromFile) << row.extension;
        RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, row.extension);
    }
    EXPECT_FALSE(FileTypeCache::IconFromFile(".vlmunregistered"));
}

}  // namespace
