#pragma once
// ShellListView: the file list of one shell folder in a details view. Every
// row's item data is an ItemRecord from the list's pool; the pool also holds
// the id list of the folder shown. Opens rows (folders in the list, anything
// else through the shell's default action), shows the shell's context menu
// for the selection and drags a row's image inside the list.
//
// A row goes in with what is cheap and certain: its name, id lists, path,
// attributes, size and time (the sizes of a file-system folder from one walk
// of it). The rest (type text, icon, MIDI columns) is filled when the list
// first asks for it (LVN_GETDISPINFO), once per record, and for every row
// before a sort by such a column. The list does not draw while rows go in.
#include "core/browser/RowOrder.h"
#include "app/browser/FileTypeCache.h"
#include "app/browser/FolderSizes.h"
#include "app/browser/IdListPool.h"
#include "app/browser/ItemFacts.h"
#include "app/browser/ItemRecord.h"
#include "app/browser/ShellItems.h"
#include "framework/KvListView.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

// The shell attributes a record asks for, and the fields FillRecord fills.
constexpr ULONG kItemAttributeMask = 0x600B0177;
constexpr DWORD kFieldIcon = 0x001;
constexpr DWORD kFieldDisplayName = 0x002;
constexpr DWORD kFieldPath = 0x004;
constexpr DWORD kFieldTypeName = 0x008;
constexpr DWORD kFieldSize = 0x010;
constexpr DWORD kFieldDate = 0x020;
constexpr DWORD kFieldFileAttributes = 0x040;
constexpr DWORD kFieldShellAttributes = 0x080;
constexpr DWORD kFieldKind = 0x100;
constexpr DWORD kFieldIdLists = 0x200;
constexpr DWORD kFieldMidi = 0x400;  // format, sequence name, copyright
constexpr DWORD kFieldAll = 0xFFFFFFFF;
// The fields filled when they are first needed, not when the row goes in.
constexpr DWORD kFieldsLater = kFieldIcon | kFieldTypeName | kFieldMidi;

class ShellListView : public KvListView {
public:
    // One column of the details view: header, width and alignment.
    struct Column {
        const char* header;
        int width;
        int format;
    };

    ShellListView();
    ~ShellListView() override;

    // Replaces the rows by the items of the folder `folderId` (absolute;
    // must not be the current folder itself), which becomes the current
    // folder even when it cannot be opened. Answers 1.
    LRESULT ShowFolder(LPCITEMIDLIST folderId);
    // Lists the current folder again; nothing without one.
    LRESULT Refresh();
    // Opens row `index`: a folder is listed, anything else gets the shell's
    // default action. Answers 1 when a folder was listed, else 0.
    LRESULT OpenItem(int index);
    LRESULT OpenSelected();
    // Fills the fields of `record` a row goes in with (all but kFieldsLater);
    // 0 when the item has no find data (its size, time and kind stay empty).
    LRESULT FillRecord(ItemRecord* record, IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId);
    // Fills those of the fields in `mask` that `record` has not had yet.
    virtual void FillFields(ItemRecord& record, DWORD mask);

    virtual LRESULT AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId);
    virtual LRESULT InsertColumns();

    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    LRESULT OnMouseMove(UINT keys, UINT x, UINT y) override;
    LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y) override;
    LRESULT OnRClick(NMITEMACTIVATE* item) override;
    LRESULT OnDblClk(NMITEMACTIVATE* item) override;
    int CompareItems(LPARAM first, LPARAM second) override;
    LRESULT OnGetDispInfo(NMLVDISPINFOA* info) override;
    LRESULT OnDeleteItem(NMLISTVIEW* item) override;
    LRESULT OnDeleteAllItems(NMLISTVIEW* item) override;
    LRESULT OnBeginDrag(NMLISTVIEW* drag) override;
    // Sorts by the row order; the names by the shell's own comparison.
    LRESULT SortItems() override;
    // A header click sorts by that column, reversing on the sorted one.
    LRESULT OnColumnClick(NMLISTVIEW* column) override;

    // Sorts the rows by `column` ascending (the arrangement commands); the
    // order stays for the folders shown later.
    void Arrange(int column);
    const RowOrder& GetRowOrder() const { return rowOrder_; }

    LPCITEMIDLIST GetCurrentFolder() const { return currentFolder; }
    // The record of row `index`, or null when there is no such row.
    ItemRecord* RecordAt(int index);
    bool IsDragging() const { return dragImage != nullptr; }

protected:
    // Shows the popup menu at `at` and answers the chosen command (0 for
    // none); tests choose an entry themselves.
    virtual UINT TrackContextMenu(HMENU menu, POINT at);

    // A zero-filled record from the pool, filled as a row goes in; null when
    // the pool has no memory.
    ItemRecord* MakeRecord(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId);
    // Gives the record and its id lists back to the pool.
    void FreeRecord(ItemRecord* record);
    // Appends a row for `record`: its name, the other columns and the icon
    // asked for when shown; its index.
    int AppendRow(ItemRecord* record);
    // The text of `column` for `record` into `text` (`capacity` bytes),
    // filling what it needs first.
    virtual void ColumnText(ItemRecord& record, int column, char* text, int capacity);
    // Inserts the columns of `columns` (index order).
    void InsertColumnTable(const Column* columns, int count);

    std::unique_ptr<IdListPool> pool;
    LPITEMIDLIST currentFolder = nullptr;
    HIMAGELIST dragImage = nullptr;
    ComPtr<IContextMenu2> contextMenu;  // while its menu is up

private:
    void ReleaseCurrentFolder();
    void EndDrag();
    // Sorts again and puts the header's arrow on the sorted column only.
    void Resort();
    // Answers the messages other threads and programs sent meanwhile (no
    // posted ones); false when one of them began another listing or ended
    // the rows, which ends listing number `listing`.
    bool Answer(unsigned listing);
    // Lists the items of `folderId` as rows, answering sent messages between
    // the steps; false when it could not or listing `listing` was stopped.
    bool ListChildren(LPCITEMIDLIST folderId, unsigned listing);
    // Fills the rows in sight, answering between rows, then draws them.
    void DrawRowsInSight(unsigned listing);
    // Adds a row for every child of `folder`; false when a newer listing or
    // the end of the rows stopped it.
    bool AddChildren(IShellFolder* folder, LPCITEMIDLIST folderId, IEnumIDList* children);
    // Fills the fields `column` is sorted by in every row, with the wait cursor.
    void FillColumn(int column);

    RowOrder rowOrder_;
    ComPtr<IShellFolder> folder_;  // the object of the folder listed
    FileTypeCache types_;
    FolderSizes sizes_;            // of the folder being listed
    unsigned listing_ = 0;         // counts listings and ends of the rows

    int cursorShown_ = 0;  // ShowCursor(FALSE) calls still to undo
};
