// A registry key has exactly one owner, who closes it.
#include "TestWindows.h"

#include "framework/KvRegKey.h"

#include <gtest/gtest.h>

namespace {

bool KeyIsOpen(HKEY key)
{
    DWORD values = 0;
    return RegQueryInfoKeyA(key, 0, 0, 0, 0, 0, 0, &values, 0, 0, 0, 0) == ERROR_SUCCESS;
}

}  // namespace

TEST(RegKey, ExactlyOneOwnerClosesTheKey)
{
    const std::string name = "Software\\velmora-tests-" + std::to_string(GetCurrentProcessId());
    const char* path = name.c_str();
    HKEY first = nullptr, second = nullptr;
    {
        KvRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        first = key.GetHandle();
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        EXPECT_FALSE(KeyIsOpen(first));  // replaced, not leaked
        second = key.GetHandle();
        EXPECT_NE(ERROR_SUCCESS, key.Create(nullptr, "x", 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        EXPECT_TRUE(KeyIsOpen(second));  // a failed Create keeps the key
        KvRegKey moved(std::move(key));
        EXPECT_EQ(nullptr, key.GetHandle());
    }
    EXPECT_FALSE(KeyIsOpen(second));  // closed by the one that held it
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}
