#pragma once
// RightFrame: everything right of the tree's splitter gap: the file list
// above and the data view frame below, with the splitter between them. It
// owns both objects.
#include "framework/KvWindow.h"

#include <memory>

class DataFrame;
class MidiListView;

class RightFrame : public KvWindow {
public:
    static constexpr int kFileListId = 30;
    static constexpr int kDataFrameId = 40;

    RightFrame();
    ~RightFrame() override;

    LRESULT OnMouseMove(UINT keys, UINT x, UINT y) override;
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    LRESULT OnLButtonDown(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;

    void Layout(int width, int height);
    // Lists the file list's folder again.
    void RefreshFileList();

    MidiListView* GetFileList() const { return fileList.get(); }
    DataFrame* GetDataFrame() const { return dataFrame.get(); }

private:
    std::unique_ptr<MidiListView> fileList;
    std::unique_ptr<DataFrame> dataFrame;
};
