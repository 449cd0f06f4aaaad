// Sorting the file list: the arrangement commands and the header clicks on
// a folder of known names, sizes (one past 4 GiB), times and MIDI details.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "browser/shell/MidiListView.h"
#include "resources/resource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Folder() { return TestFolder("sort"); }

Bytes Smf(uint16_t format, const std::string& name, const std::string& copyright, size_t padding)
{
    const Bytes track = Cat({Meta(0, 0x03, name), Meta(0, 0x02, copyright), Meta(0, 0x01, std::string(padding, 'x')),
                             Meta(0, 0x2F, "")});
    return Cat({HeaderChunk(format, 1), TrackChunk(track)});
}

// Writes `bytes`, then makes the file `size` bytes long (sparse) when asked;
// changed on day `day` of 2020.
void Make(const std::string& name, const Bytes& bytes, LONGLONG size, WORD day)
{
    const std::string path = Folder() + "\\" + name;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    if (size && SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) SetEndOfFile(file);
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
        Make("c.bin", {}, (4LL << 30) + 10, 2);  // its low 32 bits say 10 bytes
        Make("d.txt", {'x'}, 0, 4);
        WriteText("LastPath", Folder());
    }
    void TearDown() override
    {
        AppWindowTest::TearDown();
        fs::remove_all(Folder());
    }

    // "e a.mid ... |0^|N": the rows' file names, the header's arrows ("v"
    // downward) and the arrangement command with the radio mark.
    std::string State()
    {
        MidiListView* list = main->GetRightFrame()->GetFileList();
        std::string state;
        for (int row = 0; row < int(list->GetItemCount()); ++row)
            state += fs::path(list->RecordAt(row)->path).filename().string() + " ";
        state += "|";
        for (int column = 0; column < 7; ++column) {
            HDITEMA item{};
            item.mask = HDI_FORMAT;
            SendMessageA(HWND(list->SendMessage(LVM_GETHEADER, 0, 0)), HDM_GETITEMA, column, LPARAM(&item));
            if (item.fmt & HDF_SORTUP) state += std::to_string(column) + "^";
            if (item.fmt & HDF_SORTDOWN) state += std::to_string(column) + "v";
        }
        state += "|";
        for (UINT id = IDM_ARRANGE_NAME; id <= IDM_ARRANGE_DATE; ++id)
            if (GetMenuState(main->GetMenu(), id, MF_BYCOMMAND) & MF_CHECKED) state += "NSTM"[id - IDM_ARRANGE_NAME];
        return state;
    }
    void Click(int column)
    {
        NMLISTVIEW click{};
        click.hdr = {main->GetRightFrame()->GetFileList()->GetHandle(), 30, UINT(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(GetParent(click.hdr.hwndFrom), WM_NOTIFY, 30, LPARAM(&click));
    }
};

TEST_F(ListSort, CommandsAndHeaderClicksOrderTheRowsFoldersFirstAndMarkTheColumn)
{
    EXPECT_EQ("e ", State().substr(0, 2));
    enum { kCommand, kClick, kRefresh, kRevisit };
    const struct {
        int action;
        int what;  // a command or a column
        const char* state;
    } steps[] = {
        {kCommand, IDM_ARRANGE_SIZE, "e d.txt a.mid b.mid c.bin |1^|S"},
        {kCommand, IDM_ARRANGE_DATE, "e b.mid c.bin a.mid d.txt |3^|M"},
        {kCommand, IDM_ARRANGE_TYPE, "e c.bin a.mid b.mid d.txt |2^|T"},
        {kCommand, IDM_ARRANGE_NAME, "e a.mid b.mid c.bin d.txt |0^|N"},
        {kClick, 0, "e d.txt c.bin b.mid a.mid |0v|N"},
        {kClick, 3, "e b.mid c.bin a.mid d.txt |3^|M"},
        {kClick, 3, "e d.txt a.mid c.bin b.mid |3v|M"},
        {kClick, 4, "e c.bin d.txt b.mid a.mid |4^|"},
        {kClick, 5, "e c.bin d.txt a.mid b.mid |5^|"},
        {kClick, 6, "e c.bin d.txt b.mid a.mid |6^|"},
        {kClick, 1, "e d.txt a.mid b.mid c.bin |1^|S"},
        {kClick, 1, "e c.bin b.mid a.mid d.txt |1v|S"},
        {kRefresh, 0, "e c.bin b.mid a.mid d.txt |1v|S"},
        {kRevisit, 0, "e c.bin b.mid a.mid d.txt |1v|S"},
    };
    for (const auto& s : steps) {
        if (s.action == kCommand) main->SendMessage(WM_COMMAND, s.what, 0);
        if (s.action == kClick) Click(s.what);
        if (s.action == kRefresh) main->SendMessage(WM_COMMAND, IDM_REFRESH, 0);
        if (s.action == kRevisit) {
            main->OpenPath(Folder() + "\\e");
            main->OpenPath(Folder());
        }
        EXPECT_EQ(s.state, State()) << s.action << " " << s.what;
    }
}

}  // namespace
