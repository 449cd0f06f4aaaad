// The program itself, started as a process and seen from outside as a user
// sees it: its first argument (a path to open, or the /u switch) with the
// main road from a MIDI file to the data view, the exit code, answering while
// it lists, the exit question on Ctrl+W through its own message loop, and the
// options sheet under real keys and clicks.
#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "app/browser/ShellTestSupport.h"
#include "core/browser/PathUtilities.h"
#include "core/encode/NoteEncoder.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <initializer_list>
#include <iterator>
#include <string>

namespace {

// Sends `message` and waits up to 5 seconds for the window's thread to
// handle it; false when it did not.
bool Handled(HWND window, UINT message = WM_NULL)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

HWND CurrentPage(HWND sheet) { return HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// Presses the keys (virtual-key codes) one after the other and releases
// them in the reverse order, as a person types a chord.
void Chord(std::initializer_list<BYTE> keys)
{
    for (const BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
}

// The window with the keyboard focus in `thread`, also of another process.
// A window's text, also of another process's window.
std::string WindowText(HWND window)
{
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(size_t(length) + 1, '\0');
    const LRESULT got = SendMessageA(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(size_t(got));
    return text;
}

HWND FocusIn(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

}  // namespace

// The first argument, also relative to the current directory: a folder is
// shown; a file's folder is shown and the data view shows its lines; a path
// that names nothing is ignored (the folder of the last run shows); the
// history starts with the folder shown, Back and Forward grey. "/u" in any case only removes the settings,
// even a key that was not there; later arguments are not looked at.
TEST(Program, FirstArgumentOpensAPathOrUnregisters)
{
    const shelltest::TestFolder folder("app-arguments");
    const std::string songs = folder.Folder("songs"), remembered = folder.Folder("remembered");
    folder.File("songs\\a.mid");
    // The whole road: the data view and the clipboard hold velmora-encode's bytes for the file.
    const std::string midi = folder.File("songs\\kaeru.mid", ReadAll(SamplesDir() + "\\kaeru.mid"));
    const std::string encoded = folder / "kaeru.txt";
    ASSERT_EQ(0, Program("-o \"" + encoded + "\" \"" + midi + "\"", VELMORA_ENCODE_EXE).exitCode(20000));
    const Bytes bytes = ReadAll(encoded);
    const std::string lines(bytes.begin(), bytes.end());
    ASSERT_GT(lines.size(), 100u);

    const struct {
        std::string arguments;
        std::string shown;  // the folder in the title; empty: no window, the settings removed
        std::string lines;  // of the data view
        bool fromHere;      // started in the test folder
    } cases[] = {
        {"\"" + songs + "\"", songs, "", false},
        {"\"" + midi + "\"", songs, lines, false},
        {"songs\\kaeru.mid", songs, lines, true},
        {"\"" + songs + "\\missing.mid\"", remembered, "", false},
        {"songs /u", songs, "", true},
        {"/U extra arguments", "", "", false},
    };
    const std::string here = CurrentDirectory();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        SetCurrentDirectoryA(c.fromHere ? folder.path().c_str() : here.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
        if (c.shown.empty()) {
            MessageBoxAnswer box(IDOK);
            Program program(c.arguments);
            ASSERT_TRUE(program.started);
            box.join();
            EXPECT_EQ("レジストリ情報を削除しました。", box.text);
            EXPECT_EQ(0, program.exitCode());
            HKEY key;
            EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Settings::kKey, 0, KEY_READ, &key));
            EXPECT_EQ(nullptr, FindWindowA("OrvApplication", nullptr));
            continue;
        }
        WriteValue(Settings::kKey, "LastPath", REG_SZ, remembered.c_str(), DWORD(remembered.size() + 1));
        Program program(c.arguments);
        SetCurrentDirectoryA(here.c_str());
        const HWND main = program.mainWindow();
        ASSERT_NE(nullptr, main);
        const HWND dataFrame = GetDlgItem(FindWindowExA(main, nullptr, "OrvRightFrame", nullptr), 40);
        const HWND dataView = GetDlgItem(dataFrame, 40), channels = GetDlgItem(dataFrame, 80);
        ASSERT_TRUE(dataView && channels);
        const std::string title = "velmora - [" + c.shown + "]";
        EXPECT_TRUE(WaitFor([&] { return WindowText(main) == title; })) << WindowText(main);
        EXPECT_TRUE(WaitFor([&] { return WindowText(dataView) == c.lines; })) << WindowText(dataView);
        // A file's row has the focus, else the tree.
        char focused[64] = {};
        GetClassNameA(FocusIn(program.pi.dwThreadId), focused, sizeof focused);
        EXPECT_STREQ(c.lines.empty() ? "KVsdkTreeView32" : "KVsdkListView32", focused);
        const HWND toolbar = GetDlgItem(main, 70);
        EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_BACK, 0));
        EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, IDM_FORWARD, 0));
        if (!c.lines.empty()) {
            // The toolbar writes the button's place into the program's own memory.
            RECT button{};
            void* place = VirtualAllocEx(program.pi.hProcess, nullptr, sizeof button, MEM_COMMIT, PAGE_READWRITE);
            ASSERT_TRUE(SendMessageA(channels, TB_GETRECT, IDM_COPY, LPARAM(place)));
            ReadProcessMemory(program.pi.hProcess, place, &button, sizeof button, nullptr);
            VirtualFreeEx(program.pi.hProcess, place, 0, MEM_RELEASE);
            const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
            // Opening the clipboard to look would keep the program from
            // writing it: wait for its change first.
            const DWORD before = GetClipboardSequenceNumber();
            PostMessageA(channels, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(channels, WM_LBUTTONUP, 0, at);
            EXPECT_TRUE(WaitFor([&] { return GetClipboardSequenceNumber() != before; }));
            EXPECT_EQ(c.lines, ClipboardText());
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.exitCode());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
}

// While the list fills with 3,000 files, messages from another program are
// answered (a row count between none and all is seen), and a close asked for
// during a listing ends the program cleanly.
TEST(Program, AnswersWhileListingThreeThousandFilesAndClosesCleanly)
{
    const shelltest::TestFolder folder("app-many");
    const std::string many = folder.Folder("many");
    for (int i = 0; i < 3000; ++i) folder.File("many\\note" + std::to_string(i) + ".txt");
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    Program program("\"" + many + "\"");
    const HWND main = program.mainWindow();
    ASSERT_NE(nullptr, main);
    const HWND list = FindWindowExA(FindWindowExA(main, nullptr, "OrvRightFrame", nullptr), nullptr,
                                    "KVsdkListView32", nullptr);
    const auto rows = [&] {
        DWORD_PTR count = 0;
        return SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) ? int(count) : -1;
    };
    ASSERT_TRUE(WaitFor([&] { return rows() == 3000; }, 30000));
    for (const bool last : {false, true}) {
        PostMessageA(main, WM_COMMAND, IDM_REFRESH, 0);
        bool midway = false;
        // The first time until all rows are back; the last only until midway.
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
            const int count = rows();
            midway |= count > 0 && count < 3000;
            if (count < 0 || (midway && (count == 3000 || last))) break;
        }
        EXPECT_TRUE(midway);
    }
    PostMessageA(main, WM_CLOSE, 0, 0);  // the second listing is under way
    EXPECT_EQ(0, program.exitCode(30000));
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
}

// The options open on the page of the last run, the focus in it, and
// letters, digits and Space typed there leave the program answering. Each
// change a user makes on a page offers Apply; Apply applies every page and is
// grey again; Cancel afterwards keeps what was applied. Then Ctrl+W through
// the program's own message loop asks first: No keeps it running with
// nothing saved; Yes saves and ends it with exit code 0.
TEST(Program, OptionsOpenOnTheLastPageChangesOfferApplyAndCtrlWAsksFirst)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, Settings::kKey);
    const DWORD channels = 0xABCDFDFF, lastPage = 1;  // bits 16 to 31 mean nothing to the page and survive
    WriteValue(Settings::kKey, "EncodeChannel", REG_DWORD, &channels, 4);
    WriteValue(Settings::kKey, "SelectedTab", REG_DWORD, &lastPage, 4);
    Program program("");
    const HWND main = program.mainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);  // as the menu does
    const HWND sheet = program.window("#32770", "オプション");
    ASSERT_NE(nullptr, sheet);
    const HWND apply = GetDlgItem(sheet, 0x3021), tabs = HWND(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(nullptr, apply);
    // The remembered page is selected through a posted request: wait for it,
    // and for the focus to settle where the user can see it.
    HWND page = nullptr, focused = nullptr;
    WaitFor([&] {
        page = CurrentPage(sheet);
        focused = FocusIn(program.pi.dwThreadId);
        return page == HWND(SendMessageA(sheet, PSM_INDEXTOHWND, lastPage, 0)) && IsWindowVisible(focused);
    }, 2000);
    EXPECT_EQ(HWND(SendMessageA(sheet, PSM_INDEXTOHWND, lastPage, 0)), page);
    EXPECT_TRUE(focused && IsWindowVisible(focused) && (focused == page || IsChild(page, focused) || focused == tabs));
    EXPECT_FALSE(IsWindowEnabled(apply));  // filling the page it opens on is no change
    SetForegroundWindow(sheet);  // the keys below go to the foreground window
    Sleep(100);
    for (const char* keys : {"X", "5", " ", "Q1 X5 "}) {
        for (const char* key = keys; *key; ++key, Sleep(30)) Chord({BYTE(*key)});
        EXPECT_TRUE(Handled(main)) << "after \"" << keys << "\"";  // the sheet runs in its thread
    }
    Handled(apply, BM_CLICK);  // what the keys changed

    const struct {
        int page;
        int id;
        char typed;  // 0: a click
    } changes[] = {
        {0, IDC_REALTIME, 0},  {1, IDC_CHANNEL_FIRST, 0}, {1, IDC_CLEAR_ALL, 0},       {1, IDC_SELECT_ALL, 0},
        {1, IDC_FORMAT1, 'x'}, {1, IDC_DEFAULT_FORMATS, 0}, {1, IDC_FORMAT2, 'y'}, {1, IDC_CHANNEL_FIRST + 15, 0},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.id);
        PostMessageA(sheet, PSM_SETCURSEL, WPARAM(c.page), 0);
        ASSERT_TRUE(Handled(sheet));
        // The switch is posted, and a page is made the first time it is shown.
        HWND control = nullptr;
        for (int i = 0; i < 250 && !control; ++i, Sleep(20)) {
            const HWND page = HWND(SendMessageA(sheet, PSM_INDEXTOHWND, WPARAM(c.page), 0));
            if (page && CurrentPage(sheet) == page) control = GetDlgItem(page, c.id);
        }
        ASSERT_NE(nullptr, control);
        EXPECT_FALSE(IsWindowEnabled(apply));  // filling a page as it is shown is no change
        if (c.typed) {  // posted, as the keyboard's characters come
            const LRESULT before = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
            PostMessageA(control, WM_CHAR, WPARAM(static_cast<unsigned char>(c.typed)), 1);
            for (int i = 0; i < 100 && SendMessageA(control, WM_GETTEXTLENGTH, 0, 0) == before; ++i) Sleep(10);
        } else {
            MessageBoxAnswer box(IDYES);  // the defaults' question
            Handled(control, BM_CLICK);
        }
        EXPECT_TRUE(IsWindowEnabled(apply));
        Handled(apply, BM_CLICK);
        EXPECT_FALSE(IsWindowEnabled(apply));
    }
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(Handled(main));
    for (const int answer : {IDNO, IDYES}) {
        SetForegroundWindow(main);
        Sleep(200);
        MessageBoxAnswer box(answer);
        Chord({VK_CONTROL, 'W'});
        box.join();
        EXPECT_EQ("アプリケーションを終了します。\nよろしいですか？", box.text);
        EXPECT_EQ(answer == IDYES ? 0 : -1, program.exitCode(answer == IDYES ? 15000 : 500));
        DWORD flags = 0;
        EXPECT_EQ(answer == IDYES, ReadNumberAt(Settings::kKey, "ShowWindowFlag", flags)) << answer;
        EXPECT_EQ(answer == IDYES ? 15u : 0u, flags);
    }

    // The last page shown (also after Cancel), the channels, real time on.
    const std::pair<const char*, DWORD> numbers[] = {
        {"SelectedTab", 1}, {"EncodeChannel", 0xABCD7FFF}, {"RealTimeEncode", 1}};
    for (const auto& number : numbers) {
        DWORD value = 0;
        EXPECT_TRUE(ReadNumberAt(Settings::kKey, number.first, value) && value == number.second) << number.first;
    }
    std::string format1, format2;
    ASSERT_TRUE(ReadTextAt(Settings::kKey, "PrintFormat1", format1));
    ASSERT_TRUE(ReadTextAt(Settings::kKey, "PrintFormat2", format2));
    EXPECT_EQ(NoteEncoder::kDefaultFormat1, format1);
    EXPECT_EQ(std::string(NoteEncoder::kDefaultFormat2).size() + 1, format2.size());
    EXPECT_NE(std::string::npos, format2.find('y'));
}
