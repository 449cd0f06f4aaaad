// The program entry point: in this process through KvRunApplication, and as
// the real WinMain of two small programs started from here.
#include "TestResources.h"
#include "TestWindows.h"

#include "framework/KvApplication.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CountingApplication : KvApplication {
    int initializeAnswer = 1;
    int runAnswer = 0;
    int runs = 0;
    int Initialize() override { return initializeAnswer; }
    int Run() override
    {
        ++runs;
        return runAnswer;
    }
};

std::string Sibling(const char* exe)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string self(path);
    return self.substr(0, self.find_last_of("\\/") + 1) + exe;
}

// Starts a program; returns its process handle (null on failure).
HANDLE Start(const std::string& exe, const std::string& arguments, WORD show = SW_SHOWNORMAL)
{
    std::string line = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD ExitCodeAfter(HANDLE process, DWORD milliseconds = 20000)
{
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        return 0xDEAD;
    }
    DWORD code = 0xDEAD;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

}  // namespace

TEST(Application, EntryStoresArgumentsAndReturnsRunsResult)
{
    CountingApplication application;
    EXPECT_EQ(&application, KvApplication::GetApplication());
    application.runAnswer = 42;
    char line[] = "/u";
    EXPECT_EQ(42, KvRunApplication(GetModuleHandleA(nullptr), nullptr, line, SW_SHOWMAXIMIZED));
    EXPECT_EQ(1, application.runs);
    EXPECT_EQ(GetModuleHandleA(nullptr), application.instance);
    EXPECT_EQ(line, application.commandLine);
    EXPECT_EQ(SW_SHOWMAXIMIZED, application.showCommand);
    EXPECT_EQ(GetModuleHandleA(nullptr), KvApplication::GetInstanceHandle());

    application.initializeAnswer = 0;
    EXPECT_EQ(0, KvRunApplication(GetModuleHandleA(nullptr), nullptr, line, SW_SHOW));
    EXPECT_EQ(1, application.runs);  // Run was not called
}

TEST(Application, GoneApplicationIsNoLongerReachable)
{
    {
        CountingApplication application;
        EXPECT_EQ(&application, KvApplication::GetApplication());
    }
    EXPECT_EQ(nullptr, KvApplication::GetApplication());
    // Class registration then uses the program's module.
    EXPECT_EQ(GetModuleHandleA(nullptr), KvApplication::GetInstanceHandle());
}

TEST(EntryPoint, ProgramWithoutApplicationShowsTheErrorBoxAndExitsZero)
{
    HANDLE process = Start(Sibling("velmora_entry_noapp.exe"), "");
    ASSERT_NE(nullptr, process);
    const DWORD processId = GetProcessId(process);
    HWND box = nullptr;
    const DWORD start = GetTickCount();
    while (!box && GetTickCount() - start < 15000) {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, "#32770", "KVSDK_ERROR")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == processId) box = found;
        }
        if (!box) Sleep(20);
    }
    ASSERT_NE(nullptr, box) << "no KVSDK_ERROR box";
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
    EXPECT_EQ("アプリケーションがありません", fwtest::TextOf(GetDlgItem(box, 0xFFFF)));
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, ExitCodeAfter(process));
}

TEST(EntryPoint, InitializeReturningZeroExitsZeroBeforeRun)
{
    HANDLE process = Start(Sibling("velmora_entry_app.exe"), "init0");
    ASSERT_NE(nullptr, process);
    EXPECT_EQ(0u, ExitCodeAfter(process));  // Run would have exited 9
}

TEST(EntryPoint, RunSeesTheEntryArgumentsAndGivesTheExitCode)
{
    HANDLE process = Start(Sibling("velmora_entry_app.exe"), "run-me", SW_SHOWMINNOACTIVE);
    ASSERT_NE(nullptr, process);
    EXPECT_EQ(42u, ExitCodeAfter(process));
}
