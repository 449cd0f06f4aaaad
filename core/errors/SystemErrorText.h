#pragma once
// The operating system's message text for the calling thread's last error
// (FormatMessageA in the neutral language on Windows, strerror(errno)
// elsewhere), written zero-terminated into buffer; empty when there is none.
#include <cstddef>

void SystemErrorText(char* buffer, size_t size);
