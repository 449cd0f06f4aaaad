#include "core/errors/SystemErrorText.h"

#include <cerrno>
#include <cstring>

void SystemErrorText(char* buffer, size_t size)
{
    if (size == 0) return;
    const char* text = errno ? std::strerror(errno) : "";
    std::strncpy(buffer, text, size - 1);
    buffer[size - 1] = '\0';
}
