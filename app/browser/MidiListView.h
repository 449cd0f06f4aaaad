#pragma once
// MidiListView: the file list the application shows. Adds to every row what
// a Standard MIDI File says of itself (format, sequence name, copyright),
// hides non-MIDI files while the host's MIDI-only filter is on, opens the
// selected row on Enter, tells the host of a folder opened by a double-click
// or Enter, renames a row in place (F2 or a second click) and hands each
// newly selected row to the host's data view.
#include "app/browser/ShellListView.h"

#include <string>

// True when `path` names a file worth opening for its MIDI details: not a
// folder, device, FIFO or socket (a FIFO's read could wait forever).
bool IsRegularFile(const std::string& path);

class MidiListView : public ShellListView {
public:
    MidiListView();
    ~MidiListView() override;

    LRESULT InsertColumns() override;
    LRESULT AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId) override;
    // Reads the file's MIDI details for kFieldMidi.
    void FillFields(ItemRecord& record, DWORD mask) override;
    LRESULT OnDblClk(NMITEMACTIVATE* item) override;
    LRESULT OnListKeyDown(NMLVKEYDOWN* key) override;
    LRESULT OnItemChanged(NMLISTVIEW* change) override;
    // The end of an in-place edit: a changed name goes to the shell; the
    // row then takes the new name, id lists, path and texts (its MIDI
    // columns stay), else the old name comes back and a box says why.
    LRESULT OnEndLabelEdit(NMLVDISPINFOA* info) override;

    // Selects and focuses exactly the row of `path` (no other stays
    // selected) and scrolls it into view; false when no row has that path.
    bool SelectPath(const std::string& path);

protected:
    void ColumnText(ItemRecord& record, int column, char* text, int capacity) override;

private:
    // Opens the selected row; a folder listed is reported to the host.
    void OpenSelectedRow();
    // Renames row `index` to `name`; true when the shell did.
    bool Rename(int index, ItemRecord& record, const std::string& name);
};
