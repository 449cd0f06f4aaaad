#include "app/browser/ItemFacts.h"

#include "core/browser/ItemTexts.h"

#include <commctrl.h>
#include <shlobj.h>

uint64_t FileSizeOf(const std::string& path, const WIN32_FIND_DATAA& find)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path.empty() && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return (static_cast<uint64_t>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
}

std::string TimeTextOf(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) {
        return std::string();
    }
    return TimeText(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute);
}

bool IconStateOf(ULONG shellAttributes, UINT* state, UINT* stateMask)
{
    *state = 0;
    *stateMask = 0;
    bool any = false;
    if (shellAttributes & SFGAO_LINK) {
        *state = INDEXTOOVERLAYMASK(2);
        *stateMask = LVIS_OVERLAYMASK;
        any = true;
    }
    if (shellAttributes & SFGAO_SHARE) {
        *state = INDEXTOOVERLAYMASK(1);
        *stateMask = LVIS_OVERLAYMASK;
        any = true;
    }
    if (shellAttributes & SFGAO_HIDDEN) {
        *state |= LVIS_CUT;
        *stateMask |= LVIS_CUT;
        any = true;
    }
    return any;
}
