#include "core/browser/ItemTexts.h"

#include "core/browser/PathUtilities.h"
#include "core/text/KvText.h"

#include <cstdio>
#include <cstring>

uint32_t KindOfAttributes(uint32_t attributes)
{
    if (attributes == 0) return kKindNoFindData;
    return (attributes & kAttributeDirectory) ? kKindDirectory : kKindOther;
}

int CompareKinds(uint32_t a, uint32_t b)
{
    if (a < b) return -1;
    return a > b ? 1 : 0;
}

std::string SizeText(uint64_t bytes)
{
    const uint64_t kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    return GroupThousands(kilobytes) + " KB";
}

std::string TimeText(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %u:%02u", year, month, day, hour, minute);
    return text;
}

size_t CopyToField(char* field, size_t capacity, const char* text)
{
    if (!field || capacity == 0) return 0;
    size_t length = 0;
    if (text) {
        const size_t limit = capacity - 1;
        while (length < limit && text[length] != '\0') {
            const bool lead = KvText::IsLeadByte(static_cast<unsigned char>(text[length]));
            if (!lead) {
                ++length;
                continue;
            }
            if (length + 2 > limit || text[length + 1] == '\0') break;
            length += 2;
        }
        std::memcpy(field, text, length);
    }
    field[length] = '\0';
    return length;
}
