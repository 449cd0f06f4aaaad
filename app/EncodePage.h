#pragma once
// EncodePage: the options' Encode page: the channel set and the two line
// formats. Its buttons change only the controls; the settings change when
// the page is applied.
#include "framework/KvPropertyPage.h"

class KvButton;
class KvEdit;

class EncodePage : public KvPropertyPage {
public:
    static const char kRestoreQuestion[];

    EncodePage();
    ~EncodePage() override;

    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override;
    LRESULT OnInitDialog() override;
    LRESULT OnApply(PSHNOTIFY* notify) override;
    UINT OnPageRelease(PROPSHEETPAGEA* page) override;

private:
    void ReleaseWrappers();

    KvButton* channelBoxes[16] = {};
    KvEdit* format1Box = nullptr;
    KvEdit* format2Box = nullptr;
};
