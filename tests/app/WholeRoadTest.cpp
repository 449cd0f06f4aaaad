// The program's main road, driven from outside its process as a user would:
// it starts in the folder of the last run, a MIDI file's row is selected, the
// data view shows exactly what velmora-encode writes for the file, and the
// copy button puts exactly those bytes on the clipboard.
#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "support/TestFiles.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A block of memory inside another process, for the control messages whose
// parameters point to a record.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, SIZE_T size)
        : process_(process), at_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~RemoteBlock()
    {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    template <class T>
    bool Put(const T& value)
    {
        return WriteProcessMemory(process_, at_, &value, sizeof value, nullptr);
    }
    template <class T>
    bool Take(T& value)
    {
        return ReadProcessMemory(process_, at_, &value, sizeof value, nullptr);
    }
    LPARAM address() const { return reinterpret_cast<LPARAM>(at_); }

private:
    HANDLE process_;
    void* at_;
};

// What velmora-encode writes for the file with its defaults.
std::string Encoded(const std::string& midi, const std::string& output)
{
    std::string command = "\"" VELMORA_ENCODE_EXE "\" -o \"" + output + "\" \"" + midi + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const Bytes bytes = ReadAll(output);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(WholeRoad, SelectedFileIsShownAndCopiedByteForByte)
{
    const std::string folder = TestFolder("road");
    fs::remove_all(folder);
    fs::create_directories(folder + "\\sub");
    fs::copy_file(SamplesDir() + "\\kaeru.mid", folder + "\\kaeru.mid");
    const std::string expected = Encoded(folder + "\\kaeru.mid", folder + "\\sub\\kaeru.txt");
    ASSERT_GT(expected.size(), 100u);

    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, Settings::kKey, "LastPath", REG_SZ, folder.c_str(),
                                             DWORD(folder.size() + 1)));
    SetClipboardTextForTest("before");
    Program program("");
    ASSERT_TRUE(program.started);
    const HWND main = WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("velmora - [" + folder + "]", WindowText(main));

    const HWND right = FindWindowExA(main, nullptr, "OrvRightFrame", nullptr);
    const HWND list = GetDlgItem(right, 30);
    const HWND dataFrame = GetDlgItem(right, 40);
    const HWND dataView = GetDlgItem(dataFrame, 40);
    const HWND channels = GetDlgItem(dataFrame, 80);
    ASSERT_TRUE(list && dataView && channels);
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));  // sub, kaeru.mid

    RemoteBlock remote(program.pi.hProcess, 4096);
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ASSERT_TRUE(remote.Put(state));
    SendMessageA(list, LVM_SETITEMSTATE, 1, remote.address());  // folders first: row 1 is the file
    ASSERT_TRUE(WaitFor([&] { return WindowText(dataView) == expected; }));

    const LRESULT index = SendMessageA(channels, TB_COMMANDTOINDEX, 40024, 0);
    ASSERT_GE(index, 0);
    RECT button{};
    ASSERT_TRUE(SendMessageA(channels, TB_GETITEMRECT, WPARAM(index), remote.address()));
    ASSERT_TRUE(remote.Take(button));
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    PostMessageA(channels, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(channels, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(WaitFor([&] { return ClipboardText() == expected; }));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.exitCode());
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    fs::remove_all(folder);
}
