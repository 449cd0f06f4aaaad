#pragma once
// KvStatusBar: a status bar under the superclass "KVSDK_msctls_statusbar32".
#include "framework/KvControl.h"

class KvStatusBar : public KvControl {
public:
    KvStatusBar();
    ~KvStatusBar() override;
};
