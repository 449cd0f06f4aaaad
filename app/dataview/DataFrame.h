#pragma once
// DataFrame: the lower right pane of the main window. It holds the channel
// toolbar across its top and the data view below it, owns both objects, and
// handles the toolbar's commands.
#include "framework/KvWindow.h"

#include <memory>

class ChannelToolBar;
class DataView;

class DataFrame : public KvWindow {
public:
    static constexpr int kViewId = 40;
    static constexpr int kToolbarId = 80;

    DataFrame();
    ~DataFrame() override;

    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override;
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    // Gives each toolbar button its tooltip.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;

    DataView* GetDataView() const { return dataView.get(); }
    ChannelToolBar* GetChannelToolBar() const { return channelToolBar.get(); }

    // Puts the view's text on the clipboard as plain text.
    void copyToClipboard();

private:
    // Made in this order, which is their order in the window registry and
    // so the Tab order.
    std::unique_ptr<DataView> dataView;
    std::unique_ptr<ChannelToolBar> channelToolBar;
};
