#pragma once
// MidiListView: the file list the application shows. Adds to every row what
// a Standard MIDI File says of itself (format, sequence name, copyright),
// hides non-MIDI files while the host's MIDI-only filter is on, opens the
// selected row on Enter, keeps the folder tree in step after a double-click
// and hands each newly selected row to the host's data view.
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

protected:
    // Opens the selected row; the folder tree follows an opened folder.
    void OpenSelectedRow();
    void ColumnText(ItemRecord& record, int column, char* text, int capacity) override;
};
