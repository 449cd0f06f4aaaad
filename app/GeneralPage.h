#pragma once
// GeneralPage: the options' General page: the real-time encoding switch.
#include "framework/KvPropertyPage.h"

#include <memory>

class KvButton;

class GeneralPage : public KvPropertyPage {
public:
    GeneralPage();
    ~GeneralPage() override;

    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override;
    LRESULT OnInitDialog() override;
    LRESULT OnApply(PSHNOTIFY* notify) override;
    UINT OnPageRelease(PROPSHEETPAGEA* page) override;

private:
    std::unique_ptr<KvButton> realTimeBox;
};
