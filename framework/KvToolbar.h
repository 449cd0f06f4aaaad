#pragma once
// KvToolbar: a toolbar under the superclass "KVSDK_ToolbarWindow32".
#include "framework/KvControl.h"

class KvToolbar : public KvControl {
public:
    KvToolbar();
    ~KvToolbar() override;

    // The state goes out cut to its low 16 bits.
    LRESULT SetState(WPARAM id, UINT state);
    LRESULT GetState(WPARAM id);
    LRESULT AddBitmap(WPARAM count, const TBADDBITMAP* bitmap);
    LRESULT AddButtons(WPARAM count, const TBBUTTON* buttons);
    LRESULT InsertButton(WPARAM index, const TBBUTTON* button);
    LRESULT ButtonStructSize(WPARAM size);

    // Whether button `id` shows checked (false for an id the toolbar lacks).
    bool IsChecked(UINT id);
    // Checks or unchecks button `id`, keeping its other state bits; nothing
    // for an id the toolbar lacks.
    void SetChecked(UINT id, bool checked);
};
