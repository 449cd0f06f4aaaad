#pragma once
// ChannelToolBar: the toolbar across the top of the data view frame. Its
// first seventeen buttons form one check group: the options' channel set
// (40025), then CH 1 to CH 16 (40008 to 40023); after a separator comes the
// copy button (40024), and after another the check buttons of complete
// reading (40044) and of lengths at 480 ticks per quarter (40046), checked as
// the CompleteReading and NormalizeResolution settings say.
#include "framework/KvToolbar.h"

#include <cstdint>

class ChannelToolBar : public KvToolbar {
public:
    ChannelToolBar();
    ~ChannelToolBar() override;

    LRESULT OnCreate(CREATESTRUCTA* create) override;

    // Sets the channel buttons from ExportChannel: with 0, the options
    // button is checked; otherwise each channel button from its bit.
    void applyExportChannel();

    // Bit n set when the button of channel n (40008 + n) is checked; bits 16
    // to 31 clear.
    uint32_t CheckedChannels();
    // The channels to encode, as the buttons say.
    uint32_t SelectedChannels();
};
