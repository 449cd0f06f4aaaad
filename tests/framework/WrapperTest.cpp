// A registry key has exactly one owner, who closes it.
#include "TestWindows.h"

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
