#pragma once
// EncodePage: the options' Encode page: the channel set and the two line
// formats. Its buttons change only the controls; the settings change when
// the page is applied. Every change the user makes offers Apply.
#include "core/encode/ChannelMask.h"
#include "framework/KvPropertyPage.h"

#include <array>
#include <memory>

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
    void SetChecks(const ChannelMask::Checks& checks);

    std::array<std::unique_ptr<KvButton>, ChannelMask::kChannels> channelBoxes;
    std::unique_ptr<KvEdit> format1Box;
    std::unique_ptr<KvEdit> format2Box;
    // While the page fills its boxes, their change notifications are the
    // program's own, not the user's.
    bool filling_ = false;
};
