#include "core/browser/PathUtilities.h"

#include <windows.h>

std::string CurrentDirectory()
{
    char buffer[MAX_PATH] = {};
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    // A directory longer than the buffer reports the size it would need.
    if (n == 0 || n >= MAX_PATH) return std::string();
    return std::string(buffer, n);
}
