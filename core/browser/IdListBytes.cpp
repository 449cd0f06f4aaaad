#include "core/browser/IdListBytes.h"

#include <cstdint>

std::string ParentIdList(const std::string& list)
{
    size_t at = 0;
    size_t last = std::string::npos;
    while (at + 2 <= list.size()) {
        const size_t size = size_t(uint8_t(list[at])) | size_t(uint8_t(list[at + 1])) << 8;
        if (size < 2 || at + size > list.size()) break;
        last = at;
        at += size;
    }
    if (last == std::string::npos) return std::string();
    return list.substr(0, last) + std::string(2, '\0');
}
