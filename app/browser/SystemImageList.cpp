#include "app/browser/SystemImageList.h"

#include <shellapi.h>

HIMAGELIST SystemImageList(bool smallIcons)
{
    SHFILEINFOA info{};
    const UINT flags = SHGFI_SYSICONINDEX | (smallIcons ? SHGFI_SMALLICON : 0);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("", 0, &info, sizeof info, flags));
}
