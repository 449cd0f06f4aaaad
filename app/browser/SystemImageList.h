#pragma once
// The system's image lists of file and folder icons, which the tree and the
// list share and never destroy.
#include <windows.h>
#include <commctrl.h>

// The small-icon list, or with `smallIcons` false the large-icon list.
HIMAGELIST SystemImageList(bool smallIcons);
