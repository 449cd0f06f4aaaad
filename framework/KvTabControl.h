#pragma once
// KvTabControl: a tab control under the superclass "KVsdkTabControl32", or
// a property sheet's tab control wrapped by handle.
#include "framework/KvControl.h"

class KvTabControl : public KvControl {
public:
    KvTabControl();
    explicit KvTabControl(HWND window);
    ~KvTabControl() override;

    virtual LRESULT OnSelChanging(NMHDR* header);
    virtual LRESULT OnSelChange(NMHDR* header);
    virtual LRESULT OnTabKeyDown(NMHDR* header);

    // TCN_SELCHANGING, TCN_SELCHANGE and TCN_KEYDOWN to their operations;
    // any other code 0.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;

    LRESULT GetCurSel();
};
