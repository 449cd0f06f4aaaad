#pragma once
// AboutDialog: the About box (dialog resource 112).
#include "framework/KvDialog.h"

class AboutDialog : public KvDialog {
public:
    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override;
    LRESULT OnInitDialog() override;
};
