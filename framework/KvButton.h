#pragma once
// KvButton: a button under the superclass "KVSDK_Button", or a dialog's
// button wrapped by handle.
#include "framework/KvControl.h"

class KvButton : public KvControl {
public:
    KvButton();
    explicit KvButton(HWND window);
    ~KvButton() override;

    LRESULT GetCheck();
    LRESULT SetCheck(WPARAM state);
};
