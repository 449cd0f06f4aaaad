// The thin wrappers: a registry key has exactly one owner, who closes it;
// the program's entry point runs the application only once it is ready.
#include "TestWindows.h"

#include "framework/KvApplication.h"
#include "framework/KvRegKey.h"

#include <gtest/gtest.h>

TEST(RegKey, ExactlyOneOwnerClosesTheKey)
{
    const auto isOpen = [](HKEY key) { return RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0) == 0; };
    const std::string path = "Software\\velmora-tests-" + std::to_string(GetCurrentProcessId());
    HKEY first = nullptr, second = nullptr;
    {
        KvRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, 0));
        first = key.GetHandle();
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, 0));
        EXPECT_FALSE(isOpen(first));  // replaced, not leaked
        second = key.GetHandle();
        EXPECT_NE(ERROR_SUCCESS, key.Create(nullptr, "x", 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        EXPECT_TRUE(isOpen(second));  // a failed Create keeps the key
        KvRegKey moved(std::move(key));
        EXPECT_EQ(nullptr, key.GetHandle());
    }
    EXPECT_FALSE(isOpen(second));  // closed by the one that held it
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

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
