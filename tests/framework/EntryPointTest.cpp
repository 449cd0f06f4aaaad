// The program entry point: what WinMain runs, and the real WinMain of a small
// program without an application object.
#include "framework/KvApplication.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(EntryPoint, InitializeGatesRunAndRunSeesTheEntryArguments)
{
    struct Application : KvApplication {
        int initialized = 1, runs = 0;
        int Initialize() override { return initialized; }
        int Run() override { return ++runs, 42; }
    };
    char line[] = "run-me";
    for (const int initialized : {1, 0}) {
        Application application;
        application.initialized = initialized;
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        EXPECT_EQ(initialized ? 42 : 0, KvRunApplication(instance, nullptr, line, SW_SHOWMINNOACTIVE));
        EXPECT_EQ(initialized, application.runs);
        EXPECT_EQ(instance, application.instance);
        EXPECT_EQ(line, application.commandLine);
        EXPECT_EQ(SW_SHOWMINNOACTIVE, application.showCommand);
    }
}

TEST(EntryPoint, ProgramWithoutApplicationShowsTheErrorBoxAndExitsZero)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file = std::string(path, std::strrchr(path, '\\') + 1) + "velmora_entry_noapp.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(file.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CloseHandle(process.hThread);
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 15000; Sleep(20)) {
        for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, "#32770", "KVSDK_ERROR"));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process.dwProcessId) box = found;
        }
    }
    char text[64] = "";
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    EXPECT_STREQ("アプリケーションがありません", text) << "the KVSDK_ERROR box";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0xDEAD;
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    EXPECT_EQ(0u, code);
}
