// Sorting the file list: the arrangement commands and the header clicks on
// a folder of known names, sizes (one past 4 GiB), times and MIDI details.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "browser/shell/MidiListView.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Folder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    return fs::path(exe).parent_path().string() + "\\sort-" + std::to_string(GetCurrentProcessId());
}

Bytes Smf(uint16_t format, const std::string& name, const std::string& copyright, size_t padding)
{
    return Cat({HeaderChunk(format, 1), TrackChunk(Cat({Meta(0, 0x03, name), Meta(0, 0x02, copyright),
                                                        Meta(0, 0x01, std::string(padding, 'x')), Meta(0, 0x2F, "")}))});
}

// Writes `bytes` (or a sparse file of `size` bytes) changed on day `day` of 2020.
void Make(const std::string& name, const Bytes& bytes, uint64_t size, WORD day)
{
    const HANDLE file = CreateFileA((Folder() + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    if (size) {
        EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    }
    SYSTEMTIME when{2020, 1, 0, day, 12, 0, 0, 0};
    FILETIME time{};
    SystemTimeToFileTime(&when, &time);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

class ListSort : public AppWindowTest {
protected:
    void Prepare() override
    {
        fs::remove_all(Folder());
        fs::create_directories(Folder() + "\\e");
        Make("a.mid", Smf(1, "Mike", "(c) Y", 0), 0, 3);
        Make("b.mid", Smf(0, "Zulu", "(c) X", 100), 0, 1);
        Make("c.bin", {}, (4ull << 30) + 10, 2);  // its low 32 bits say 10 bytes
        Make("d.txt", {'x'}, 0, 4);
        WriteText("LastPath", Folder());
    }
    void TearDown() override
    {
        AppWindowTest::TearDown();
        fs::remove_all(Folder());
    }

    MidiListView* list() { return main->GetRightFrame()->GetFileList(); }
    std::string rows()
    {
        std::string names;
        for (int row = 0; row < int(list()->GetItemCount()); ++row)
            names += fs::path(list()->RecordAt(row)->path).filename().string() + " ";
        return names;
    }
    // "3^" for an upward arrow on column 3, "3v" downward; "" for none.
    std::string arrows()
    {
        const HWND header = HWND(list()->SendMessage(LVM_GETHEADER, 0, 0));
        std::string marks;
        for (int column = 0; column < 7; ++column) {
            HDITEMA item{};
            item.mask = HDI_FORMAT;
            SendMessageA(header, HDM_GETITEMA, column, LPARAM(&item));
            if (item.fmt & HDF_SORTUP) marks += std::to_string(column) + "^";
            if (item.fmt & HDF_SORTDOWN) marks += std::to_string(column) + "v";
        }
        return marks;
    }
    UINT radio()
    {
        for (UINT id = IDM_ARRANGE_NAME; id <= IDM_ARRANGE_DATE; ++id)
            if (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) return id;
        return 0;
    }
    void click(int column)
    {
        NMLISTVIEW click{};
        click.hdr = {list()->GetHandle(), 30, UINT(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(GetParent(list()->GetHandle()), WM_NOTIFY, 30, LPARAM(&click));
    }
};

TEST_F(ListSort, CommandsAndHeaderClicksOrderTheRowsFoldersFirstAndMarkTheColumn)
{
    EXPECT_EQ("e ", rows().substr(0, 2));
    EXPECT_EQ("", arrows());
    enum Action { kCommand, kClick, kRefresh, kRevisit };
    const struct {
        Action action;
        int what;  // a command or a column
        const char* rows;
        const char* arrows;
        UINT radio;
    } steps[] = {
        {kCommand, IDM_ARRANGE_SIZE, "e d.txt a.mid b.mid c.bin ", "1^", IDM_ARRANGE_SIZE},
        {kCommand, IDM_ARRANGE_DATE, "e b.mid c.bin a.mid d.txt ", "3^", IDM_ARRANGE_DATE},
        {kCommand, IDM_ARRANGE_TYPE, "e c.bin a.mid b.mid d.txt ", "2^", IDM_ARRANGE_TYPE},
        {kCommand, IDM_ARRANGE_NAME, "e a.mid b.mid c.bin d.txt ", "0^", IDM_ARRANGE_NAME},
        {kClick, 0, "e d.txt c.bin b.mid a.mid ", "0v", IDM_ARRANGE_NAME},
        {kClick, 3, "e b.mid c.bin a.mid d.txt ", "3^", IDM_ARRANGE_DATE},
        {kClick, 3, "e d.txt a.mid c.bin b.mid ", "3v", IDM_ARRANGE_DATE},
        {kClick, 4, "e c.bin d.txt b.mid a.mid ", "4^", 0},
        {kClick, 5, "e c.bin d.txt a.mid b.mid ", "5^", 0},
        {kClick, 6, "e c.bin d.txt b.mid a.mid ", "6^", 0},
        {kClick, 1, "e d.txt a.mid b.mid c.bin ", "1^", IDM_ARRANGE_SIZE},
        {kClick, 1, "e c.bin b.mid a.mid d.txt ", "1v", IDM_ARRANGE_SIZE},
        {kRefresh, 0, "e c.bin b.mid a.mid d.txt ", "1v", IDM_ARRANGE_SIZE},
        {kRevisit, 0, "e c.bin b.mid a.mid d.txt ", "1v", IDM_ARRANGE_SIZE},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.action) + " " + std::to_string(s.what));
        if (s.action == kCommand) main->SendMessage(WM_COMMAND, s.what, 0);
        if (s.action == kClick) click(s.what);
        if (s.action == kRefresh) main->SendMessage(WM_COMMAND, IDM_REFRESH, 0);
        if (s.action == kRevisit) {
            main->OpenPath(Folder() + "\\e");
            main->OpenPath(Folder());
        }
        EXPECT_EQ(s.rows, rows());
        EXPECT_EQ(s.arrows, arrows());
        EXPECT_EQ(s.radio, radio());
    }
}

}  // namespace
