#pragma once
// BrowserHost: what the folder tree and the file list need of the window
// that holds them (the main window implements it). The browser reaches it
// through GetBrowserHost(), so its files never include the application's.
#include <windows.h>
#include <shtypes.h>

#include <string>

struct ItemRecord;

class BrowserHost {
public:
    virtual ~BrowserHost() = default;

    // The MIDI-only filter (the main toolbar's button 40043) is down.
    virtual bool IsMidiOnly() = 0;
    // Selects the folder with this absolute id list in the folder tree (the
    // nearest node the tree has).
    virtual void SelectFolderInTree(LPCITEMIDLIST folder) = 0;
    // Hands a newly selected row to the data view.
    virtual void OpenItem(const ItemRecord& record) = 0;
    // Shows the folder's path in the main window's title.
    virtual void SetTitleFolder(const std::string& path) = 0;
    // Lists the folder with this absolute id list in the file list.
    virtual void ShowFolderInList(LPCITEMIDLIST folder) = 0;
    // Shows the parent of the file list's folder (Backspace in the list).
    virtual void GoUp() = 0;
    // The user sorted the file list by another column or direction.
    virtual void SortChanged() {}
    // The file list listed a folder of its own accord (a double-click or
    // Enter on a folder row): the tree follows.
    virtual void FolderOpenedInList(LPCITEMIDLIST folder) { SelectFolderInTree(folder); }
    // A row of the file list was renamed; `record` holds the new path.
    virtual void ItemRenamed(const std::string& oldPath, const ItemRecord& record)
    {
        (void)oldPath;
        (void)record;
    }
};

// The process's host, or null while there is none.
BrowserHost* GetBrowserHost();
void SetBrowserHost(BrowserHost* host);
