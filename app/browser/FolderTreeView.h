#pragma once
// FolderTreeView: the main window's folder tree. A new selection names the
// folder in the title and shows it in the file list.
#include "app/browser/ShellTreeView.h"

class FolderTreeView : public ShellTreeView {
public:
    LRESULT OnSelChanged(NMTREEVIEWA* change) override;
};
