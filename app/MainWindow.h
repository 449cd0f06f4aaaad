#pragma once
// MainWindow: the program's one top-level window. It owns the folder tree,
// the right frame (file list and data view frame), the settings record, the
// main toolbar, the status bar and the wrapper of its menu; it lays them out,
// runs the splitter between tree and right frame, and handles the menu and
// toolbar commands. It is the browser's host: the tree and the list reach
// the title, each other and the data view through it.
#include "app/SettingsCapture.h"
#include "core/browser/NavigationHistory.h"
#include "app/browser/BrowserHost.h"
#include "framework/KvWindow.h"

#include <string>

class FolderTreeView;
class KvMenu;
class KvStatusBar;
class MainToolbar;
class RightFrame;
class Settings;

class MainWindow : public KvWindow, public BrowserHost {
public:
    static constexpr int kRightFrameId = 10;
    static constexpr int kTreeId = 20;
    static constexpr int kStatusBarId = 60;
    static constexpr int kToolbarId = 70;

    MainWindow();
    ~MainWindow() override;

    LRESULT OnMouseMove(UINT keys, UINT x, UINT y) override;
    LRESULT OnClose() override;
    LRESULT OnCommand(UINT code, UINT id, KvWindow* control) override;
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    LRESULT OnDropFiles(KvDropFiles* drop) override;
    // Greys Save As while the data view has no lines.
    LRESULT OnInitMenuPopup(KvMenu* menu, UINT position, UINT windowMenu) override;
    LRESULT OnLButtonDown(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y) override;
    // Gives each main toolbar button its tooltip.
    LRESULT OnNotify(WPARAM controlId, NMHDR* header) override;
    // The options were applied (kOptionsApplied).
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;

    // Opens a folder (relative paths from the current directory) in the
    // list, the tree following; or lists a file's folder again and selects
    // exactly the file's row, focused in the focused list (so the data view
    // shows it), the MIDI-only filter turned off when it hides the file. A
    // path that names nothing is ignored.
    void OpenPath(const std::string& path);
    // The history begins again with the folder the list shows: nothing to
    // go back or forward to.
    void StartHistory();
    // Called by the options' pages on OK and Apply: once they are all
    // through, the data view is encoded again with the new settings while
    // real-time encoding is on.
    void OptionsApplied();
    // Writes the data view's lines, the bytes the copy button puts on the
    // clipboard, to `path`; a failure is shown in a message box naming the
    // file and the system's reason. True when the file was written.
    bool SaveTo(const std::string& path);
    // Shows the window and paints it at once.
    void Reveal(int showCommand);
    // Places the panes for a client area of width x height.
    void Layout(int width, int height);

    // BrowserHost: the title, the tree, the list and the data view.
    bool IsMidiOnly() override;
    void SelectFolderInTree(LPCITEMIDLIST folder) override;
    void OpenItem(const ItemRecord& record) override;
    // "velmora - [path]".
    void SetTitleFolder(const std::string& path) override;
    // Lists a folder the tree selected; nothing while the tree follows the list.
    void ShowFolderInList(LPCITEMIDLIST folder) override;
    void FolderOpenedInList(LPCITEMIDLIST folder) override;
    // The data view keeps showing a file it shows that was renamed.
    void ItemRenamed(const std::string& oldPath, const ItemRecord& record) override;
    // The parent of the list's folder.
    void GoUp() override;
    // Puts the arrangement submenu's radio mark on the list's sort column
    // (none for a column the submenu does not offer).
    void SortChanged() override;

    FolderTreeView* GetFolderTree() const { return folderTree; }
    RightFrame* GetRightFrame() const { return rightFrame; }
    Settings* GetSettingsRecord() const { return settings; }
    MainToolbar* GetMainToolbar() const { return mainToolbar; }
    KvStatusBar* GetStatusBar() const { return statusBar; }
    KvMenu* GetMenuWrapper() const { return menu; }

    static const char kTitle[];
    static const char kExitQuestion[];
    static constexpr UINT kOptionsApplied = WM_APP + 1;

private:
    // Switches the file list to the view of a view command (40029 to 40033)
    // and puts the menu's radio mark on the view it then shows.
    void SetListView(UINT command);
    // Lists `folder`, a new place of the history when `visit`; the tree follows.
    void ListFolder(LPCITEMIDLIST folder, bool visit);
    // Selects the folder in the tree without listing it again.
    void FollowInTree(LPCITEMIDLIST folder);
    // Back and forward through the folders shown; the tree follows.
    void GoBack();
    void GoForward();
    // Asks for a file in the system's save dialog (named after the MIDI
    // file, with the extension .inc, in its folder) and saves the lines
    // there; does nothing while the data view has no lines.
    void SaveAs();
    const std::string& DataViewText() const;
    // Greys back, forward and up when they cannot act.
    void UpdateNavigationButtons();
    // Shows a hidden pane or hides a shown one, with the menu's check mark.
    void Toggle(KvWindow* pane, UINT menuId);
    // The pane of a pane command (toolbar, status bar, data view, tree), toggled and laid out.
    void TogglePane(UINT id);
    // Closes the program when the user says Yes to the exit question.
    void AskExit();
    void ShowAbout();
    void ShowOptions();
    // Sorts the list by an arrangement command's column (40034 to 40037).
    void Arrange(UINT id);

    FolderTreeView* folderTree;
    RightFrame* rightFrame;
    Settings* settings;
    MainToolbar* mainToolbar;
    KvMenu* menu = nullptr;
    KvStatusBar* statusBar;
    SettingsCapture capture_;
    NavigationHistory history_;
    BOOL dragging = FALSE;
    bool following_ = false;       // the tree follows the list
    bool optionsPending_ = false;  // kOptionsApplied is posted
};

// The program's main window object, or null. Setting it also makes it the
// browser's host.
MainWindow* GetMainWindow();
void SetMainWindow(MainWindow* window);
