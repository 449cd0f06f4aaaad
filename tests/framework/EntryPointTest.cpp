// The program entry point, as the real WinMain of two small programs started
// from here.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Starts a program beside this one; returns its process handle (null on failure).
HANDLE Start(const char* exe, const std::string& arguments, WORD show = SW_SHOWNORMAL)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file = std::string(path, std::strrchr(path, '\\') + 1) + exe;
    std::string line = "\"" + file + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(file.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD ExitCodeAfter(HANDLE process)
{
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) TerminateProcess(process, 99);
    else GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

}  // namespace

TEST(EntryPoint, InitializeGatesRunAndRunSeesTheEntryArguments)
{
    // The program's Run exits 42 when instance, command line and show command
    // arrived, 9 when it runs although Initialize refused.
    const struct {
        const char* arguments;
        DWORD exitCode;
    } cases[] = {{"run-me", 42}, {"init0", 0}};
    for (const auto& c : cases) {
        HANDLE process = Start("velmora_entry_app.exe", c.arguments, SW_SHOWMINNOACTIVE);
        ASSERT_NE(nullptr, process);
        EXPECT_EQ(c.exitCode, ExitCodeAfter(process)) << c.arguments;
    }
}

TEST(EntryPoint, ProgramWithoutApplicationShowsTheErrorBoxAndExitsZero)
{
    HANDLE process = Start("velmora_entry_noapp.exe", "");
    ASSERT_NE(nullptr, process);
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 15000; Sleep(20)) {
        for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, "#32770", "KVSDK_ERROR"));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == GetProcessId(process)) box = found;
        }
    }
    ASSERT_NE(nullptr, box) << "no KVSDK_ERROR box";
    char text[64] = "";
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    EXPECT_STREQ("アプリケーションがありません", text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, ExitCodeAfter(process));
}
