#include "app/SettingsCapture.h"

#include "app/MainToolbar.h"
#include "app/MainWindow.h"
#include "app/RightFrame.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataFrame.h"
#include "framework/KvRect.h"
#include "framework/KvStatusBar.h"
#include "app/browser/FolderTreeView.h"
#include "resources/resource.h"

namespace {

bool Visible(KvWindow* window)
{
    return window && window->IsShown();
}

}  // namespace

void SettingsCapture::CaptureState(Settings& settings)
{
    MainWindow* main = GetMainWindow();
    if (!main) return;
    FolderTreeView* tree = main->GetFolderTree();
    RightFrame* right = main->GetRightFrame();
    DataFrame* data = right ? right->GetDataFrame() : nullptr;
    KvRect rect;
    if (tree && tree->GetHandle() && rect.GetWindowRect(tree->GetHandle())) settings.TreeViewWidth = rect.Width();
    if (data && data->GetHandle() && rect.GetWindowRect(data->GetHandle())) settings.EditFrameHeight = rect.Height();
    if (tree && tree->GetHandle()) settings.LastPath = tree->SelectedPath();
    if (data && data->GetChannelToolBar()) settings.ExportChannel = data->GetChannelToolBar()->CheckedChannels();

    MainToolbar* toolbar = main->GetMainToolbar();
    const ShowWindowFlags::Live live{Visible(toolbar), Visible(main->GetStatusBar()), Visible(tree), Visible(data),
                                     toolbar && toolbar->IsChecked(IDM_MIDIONLY)};
    settings.ShowWindowFlag = ShowWindowFlags::Compose(settings.ShowWindowFlag, live);
}

void SettingsCapture::CaptureWindowRect(Settings& settings)
{
    MainWindow* main = GetMainWindow();
    if (!main || !main->GetHandle() || IsIconic(main->GetHandle())) return;
    KvRect rect;
    if (!rect.GetWindowRect(main->GetHandle())) return;
    settings.WindowLeft = rect.left;
    settings.WindowTop = rect.top;
    settings.WindowWidth = rect.Width();
    settings.WindowHeight = rect.Height();
}
