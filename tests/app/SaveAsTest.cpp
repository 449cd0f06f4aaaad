// Save As: the data view's lines written whole, the very bytes the copy
// button puts on the clipboard; a write that fails says why and leaves
// nothing behind.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "browser/shell/ItemRecord.h"
#include "encode/NoteEncoder.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Folder()
{
    return TestFolder("save");
}

// Everything under the folder, for "nothing was left behind".
std::vector<std::string> Contents(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) names.push_back(entry.path().string());
    return names;
}

std::string FileText(const std::string& path)
{
    const Bytes bytes = ReadAll(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string UnixPath(const std::string& path)  // Z:\a\b -> /a/b
{
    std::string unix = path.substr(2);
    for (char& c : unix)
        if (c == '\\') c = '/';
    return unix;
}

// Runs a program of the Linux side (Wine starts ELF programs too, but its
// exit code does not come back).
void RunUnix(std::string command)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool Writable(const std::string& folder)
{
    // A new name each time: a probe made just before the folder closed
    // cannot be removed, and must not answer the next question.
    static int count = 0;
    const std::string probe = folder + "\\probe" + std::to_string(++count);
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return true;
}

// Makes the folder immutable (root writes into any folder whatever its
// mode) or mutable again; true when it is then closed, or open, to writing.
bool CloseToWriting(const std::string& folder, bool closed)
{
    RunUnix(std::string("/usr/bin/chattr ") + (closed ? "+i " : "-i ") + UnixPath(folder));
    return WaitFor([&] { return Writable(folder) != closed; });
}

}  // namespace

class SaveAs : public AppWindowTest {
protected:
    void Prepare() override
    {
        // Lines with Shift-JIS text in them.
        WriteText("PrintFormat2", std::string(NoteEncoder::kDefaultFormat2) + " ドレミ");
        fs::remove_all(Folder());
        fs::create_directories(Folder());
    }
    void TearDown() override
    {
        AppWindowTest::TearDown();
        const std::string closed = Folder() + "\\closed";
        if (fs::exists(closed) && !Writable(closed)) CloseToWriting(closed, false);  // after a failed step
        fs::remove_all(Folder());
    }

    // Shows a song of two channels in the data view; its lines as the copy
    // button puts them on the clipboard.
    std::string ShowSongAndCopy()
    {
        // Channel 0: key 60 for 480 ticks; channel 2: key 64 for 500 ticks.
        TempFile song(SmfWithTrack({0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64, 0x83, 0x60, 0x90, 60, 0, 0x14, 0x92,
                                    64, 0, 0x00, 0xFF, 0x2F, 0x00}),
                      "song.mid");
        ItemRecord record{};
        std::strncpy(record.path, song.path().c_str(), sizeof record.path - 1);
        DataFrame* frame = main->GetRightFrame()->GetDataFrame();
        frame->GetDataView()->loadFile(&record);
        SetClipboardTextForTest("before");
        frame->SendMessage(WM_COMMAND, IDM_COPY, 0);
        return ClipboardText();
    }

    bool SaveAsEnabled()
    {
        main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(main->GetMenu(), 0)), 0);
        return (GetMenuState(main->GetMenu(), IDM_SAVE_AS, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }
};

TEST_F(SaveAs, SitsInTheFileMenuOnCtrlSAndIsGreyWithoutLines)
{
    char text[64] = {};
    GetMenuStringA(GetSubMenu(main->GetMenu(), 0), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("名前を付けて保存(&A)...", text);
    EXPECT_EQ(UINT(IDM_SAVE_AS), GetMenuItemID(GetSubMenu(main->GetMenu(), 0), 0));

    const HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL keys[16] = {};
    const int count = CopyAcceleratorTableA(table, keys, 16);
    bool ctrlS = false;
    for (int i = 0; i < count; ++i)
        ctrlS |= keys[i].key == 'S' && keys[i].cmd == IDM_SAVE_AS && keys[i].fVirt == (FVIRTKEY | FCONTROL);
    EXPECT_TRUE(ctrlS);

    EXPECT_FALSE(SaveAsEnabled());
    ASSERT_FALSE(ShowSongAndCopy().empty());
    EXPECT_TRUE(SaveAsEnabled());
}

TEST_F(SaveAs, WritesTheCopiedBytesWholeOverWhatWasThere)
{
    const std::string copied = ShowSongAndCopy();
    ASSERT_NE(std::string::npos, copied.find("ドレミ\r\n"));
    const struct {
        const char* name;
        std::string before;  // empty: no file yet
    } cases[] = {{"new.inc", ""}, {"old.inc", std::string(5000, 'x')}, {"short.inc", "x"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Folder() + "\\" + c.name;
        if (!c.before.empty()) std::ofstream(path, std::ios::binary) << c.before;
        Watcher box("#32770", "velmora", PressButton(IDOK));  // none is expected
        EXPECT_TRUE(main->SaveTo(path));
        EXPECT_FALSE(box.seen()) << box.text();
        EXPECT_EQ(copied, FileText(path));
    }
    EXPECT_EQ(3u, Contents(Folder()).size());  // no temporary file left
}

TEST_F(SaveAs, AFailedWriteSaysWhyAndLeavesNoFile)
{
    ASSERT_FALSE(ShowSongAndCopy().empty());
    fs::create_directories(Folder() + "\\taken.inc");
    fs::create_directories(Folder() + "\\closed");
    const std::string cases[] = {
        Folder() + "\\missing\\song.inc",  // no such folder
        Folder() + "\\taken.inc",          // a folder of that name
        Folder() + "\\closed\\song.inc",   // a folder that cannot be written
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        if (path == cases[2] && !CloseToWriting(Folder() + "\\closed", true))
            GTEST_SKIP() << "chattr +i is not available here";
        const std::vector<std::string> before = Contents(Folder());
        Watcher box("#32770", "velmora", PressButton(IDOK));
        const bool saved = main->SaveTo(path);
        box.join();
        if (path == cases[2]) {
            ASSERT_TRUE(CloseToWriting(Folder() + "\\closed", false));
        }
        EXPECT_FALSE(saved);
        EXPECT_TRUE(box.seen());
        const std::string shown = box.text();
        EXPECT_EQ(0u, shown.find("ファイル " + path + " に書き込めませんでした。\n")) << shown;
        EXPECT_GT(shown.size(), shown.find('\n') + 1) << "the system's reason is missing";
        EXPECT_EQ(before, Contents(Folder()));
    }
}
