#include "core/errors/SystemErrorText.h"

#include <windows.h>

void SystemErrorText(char* buffer, size_t size)
{
    if (size == 0) return;
    buffer[0] = '\0';
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer,
                             static_cast<DWORD>(size), nullptr);
    if (n == 0) buffer[0] = '\0';
}
