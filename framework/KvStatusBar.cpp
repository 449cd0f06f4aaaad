#include "framework/KvStatusBar.h"

KvStatusBar::KvStatusBar()
    : KvControl(ICC_BAR_CLASSES, "msctls_statusbar32", "KVSDK_msctls_statusbar32")
{
}

KvStatusBar::~KvStatusBar() = default;
