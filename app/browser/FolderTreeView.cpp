#include "app/browser/FolderTreeView.h"

#include "app/browser/BrowserHost.h"

LRESULT FolderTreeView::OnSelChanged(NMTREEVIEWA* change)
{
    BrowserHost* host = GetBrowserHost();
    if (!change || !host) return 1;
    const FolderNode* node = reinterpret_cast<const FolderNode*>(change->itemNew.lParam);
    host->SetTitleFolder(SelectedPath());
    if (node) host->ShowFolderInList(node->absoluteId);
    return 1;
}
