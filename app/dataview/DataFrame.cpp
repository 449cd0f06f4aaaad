#include "app/dataview/DataFrame.h"

#include "app/settings/Settings.h"
#include "app/dataview/ButtonTips.h"
#include "core/encode/ChannelMask.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataView.h"
#include "framework/KvApplication.h"
#include "resources/resource.h"


DataFrame::DataFrame() : dataView(std::make_unique<DataView>(this)), channelToolBar(std::make_unique<ChannelToolBar>())
{
}

DataFrame::~DataFrame() = default;

LRESULT DataFrame::OnCreate(CREATESTRUCTA*)
{
    const HINSTANCE instance = KvApplication::GetInstanceHandle();
    channelToolBar->Create(0, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0, 0,
                           0, GetHandle(), reinterpret_cast<HMENU>(INT_PTR{kToolbarId}), instance, nullptr);
    dataView->Create(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                     0, 0, 0, 0, GetHandle(), reinterpret_cast<HMENU>(INT_PTR{kViewId}));
    return 0;
}

LRESULT DataFrame::OnSize(WPARAM, UINT width, UINT height)
{
    const int w = int(width & 0xFFFF);
    const int h = int(height & 0xFFFF);
    const int th = channelToolBar->GetWindowHeight();
    channelToolBar->SetWindowPos(nullptr, 0, 0, w, th, SWP_NOZORDER);
    dataView->SetWindowPos(nullptr, 0, th, w, h - th, SWP_NOZORDER);
    return 1;
}

LRESULT DataFrame::OnCommand(UINT, UINT id, KvWindow*)
{
    if (id >= IDM_CHANNEL_FIRST && id <= IDM_CHANNEL_LAST) {
        // The toolbar has checked the pressed button and released the others.
        dataView->showEncoding();
    } else if (id == IDM_COPY) {
        copyToClipboard();
    } else if (id == IDM_COMPLETE_READING || id == IDM_NORMALIZE_RESOLUTION) {
        // The toolbar has toggled the button: read the file again that way.
        const uint32_t checked = channelToolBar->IsChecked(id) ? 1 : 0;
        (id == IDM_COMPLETE_READING ? GetSettings().CompleteReading : GetSettings().NormalizeResolution) = checked;
        dataView->reloadFile();
    } else if (id == IDM_OPTION_CHANNELS) {
        for (int n = 0; n < ChannelMask::kChannels; ++n) channelToolBar->SetChecked(IDM_CHANNEL_FIRST + n, false);
        dataView->showEncoding();
    }
    return 1;
}

LRESULT DataFrame::OnNotify(WPARAM, NMHDR* header)
{
    AnswerButtonTip(header);
    return 0;
}

void DataFrame::copyToClipboard()
{
    const std::string& text = dataView->GetTextBuffer();
    KvTextView::CopyText(GetHandle(), text.data(), text.size());
}
