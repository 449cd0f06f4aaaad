#pragma once
// DataFrame: the lower right pane of the main window. It holds the channel
// toolbar across its top and the data view below it, owns both objects, and
// handles the toolbar's commands.
#include "framework/KvWindow.h"

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
    // Names the complete-reading button in its tooltip; the other buttons
    // have none.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;

    DataView* GetDataView() const { return dataView; }
    ChannelToolBar* GetChannelToolBar() const { return channelToolBar; }

    // Puts the view's text on the clipboard as plain text.
    void copyToClipboard();

private:
    DataView* dataView;
    ChannelToolBar* channelToolBar;
};
