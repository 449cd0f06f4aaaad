#pragma once
// GeneralPage: the options' General page: the real-time encoding switch.
#include "framework/KvPropertyPage.h"

class KvButton;

class GeneralPage : public KvPropertyPage {
public:
    GeneralPage();
    ~GeneralPage() override;

    LRESULT OnInitDialog() override;
    LRESULT OnApply(PSHNOTIFY* notify) override;
    UINT OnPageRelease(PROPSHEETPAGEA* page) override;

private:
    KvButton* realTimeBox = nullptr;
};
