#include "app/dataview/ChannelToolBar.h"

#include "app/settings/Settings.h"
#include "core/encode/ChannelMask.h"
#include "core/encode/NoteEncoder.h"
#include "framework/KvApplication.h"
#include "resources/resource.h"

ChannelToolBar::ChannelToolBar() = default;

ChannelToolBar::~ChannelToolBar() = default;

LRESULT ChannelToolBar::OnCreate(CREATESTRUCTA*)
{
    ButtonStructSize(sizeof(TBBUTTON));
    // The strip holds 20 images; the request names 16, as the toolbar only
    // needs the count to lay out its image list.
    TBADDBITMAP bitmap{KvApplication::GetInstanceHandle(), IDB_CHANNELTOOLBAR};
    AddBitmap(16, &bitmap);

    TBBUTTON buttons[22] = {};
    buttons[0] = {0, IDM_OPTION_CHANNELS, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0};
    for (int n = 0; n < ChannelMask::kChannels; ++n)
        buttons[1 + n] = {1 + n, IDM_CHANNEL_FIRST + n, TBSTATE_ENABLED, BTNS_CHECKGROUP, {}, 0, 0};
    buttons[17] = {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0};
    buttons[18] = {17, IDM_COPY, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    buttons[19] = {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0};
    const BYTE complete = GetSettings().CompleteReading ? TBSTATE_CHECKED : 0;
    buttons[20] = {18, IDM_COMPLETE_READING, BYTE(TBSTATE_ENABLED | complete), BTNS_CHECK, {}, 0, 0};
    const BYTE normalize = GetSettings().NormalizeResolution ? TBSTATE_CHECKED : 0;
    buttons[21] = {19, IDM_NORMALIZE_RESOLUTION, BYTE(TBSTATE_ENABLED | normalize), BTNS_CHECK, {}, 0, 0};
    AddButtons(22, buttons);
    applyExportChannel();
    return 0;
}

void ChannelToolBar::applyExportChannel()
{
    const uint32_t exportChannel = GetSettings().ExportChannel;
    if (exportChannel == 0) {
        SetChecked(IDM_OPTION_CHANNELS, true);
        return;
    }
    const ChannelMask::Checks checks = ChannelMask::ChecksOf(exportChannel);
    for (int n = 0; n < ChannelMask::kChannels; ++n) SetChecked(IDM_CHANNEL_FIRST + n, checks[size_t(n)]);
}

uint32_t ChannelToolBar::CheckedChannels()
{
    ChannelMask::Checks checks{};
    for (int n = 0; n < ChannelMask::kChannels; ++n) checks[size_t(n)] = IsChecked(IDM_CHANNEL_FIRST + n);
    return ChannelMask::FromChecks(checks);
}

uint32_t ChannelToolBar::SelectedChannels()
{
    return NoteEncoder::SelectedChannels(IsChecked(IDM_OPTION_CHANNELS), GetSettings().EncodeChannel,
                                         CheckedChannels());
}
