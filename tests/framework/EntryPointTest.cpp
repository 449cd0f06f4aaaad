// The program entry point: what WinMain runs.
#include "framework/KvApplication.h"

#include <gtest/gtest.h>

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
