#include "app/browser/MidiListView.h"

#include "core/browser/ItemTexts.h"
#include "core/browser/PathUtilities.h"
#include "app/browser/BrowserHost.h"
#include "core/midi/SmfFile.h"

#include <windows.h>

#include <cstring>

namespace {

const ShellListView::Column kMidiColumns[] = {
    {"名前", 200, LVCFMT_LEFT},
    {"サイズ", 100, LVCFMT_RIGHT},
    {"種類", 200, LVCFMT_LEFT},
    {"更新日時", 120, LVCFMT_LEFT},
    {"フォーマット", 100, LVCFMT_LEFT},
    {"シーケンス名", 180, LVCFMT_LEFT},
    {"著作権表示", 150, LVCFMT_LEFT},
};

// Files named as Standard MIDI Files are read for their MIDI columns; any
// other file is not opened (a folder of text files would cost as much as
// one of songs).
bool NamedAsMidiFile(const char* path)
{
    const std::string extension = ExtensionOf(path);
    for (const char* midi : {"mid", "midi", "kar", "smf", "rmi"})
        if (lstrcmpiA(extension.c_str(), midi) == 0) return true;
    return false;
}

}  // namespace

bool IsRegularFile(const std::string& path)
{
    if (path.empty()) return false;
    // A FIFO or socket has no attributes here (the open beneath checks the
    // handle's type as well); a device shows itself.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    return !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

MidiListView::MidiListView() = default;

MidiListView::~MidiListView() = default;

LRESULT MidiListView::InsertColumns()
{
    InsertColumnTable(kMidiColumns, static_cast<int>(sizeof kMidiColumns / sizeof kMidiColumns[0]));
    return 1;
}

LRESULT MidiListView::AddItem(IShellFolder* folder, LPCITEMIDLIST folderId, LPCITEMIDLIST childId)
{
    ItemRecord* record = MakeRecord(folder, folderId, childId);
    if (!record) return 1;
    BrowserHost* host = GetBrowserHost();
    if (host && host->IsMidiOnly() && !(record->shellAttributes & SFGAO_FOLDER) &&
        !IsMidiExtensionExact(ExtensionOf(record->path))) {
        FreeRecord(record);
        return 1;
    }
    if (AppendRow(record) < 0) FreeRecord(record);
    return 1;
}

void MidiListView::FillFields(ItemRecord& record, DWORD mask)
{
    ShellListView::FillFields(record, mask);
    if (!(mask & ~record.filled & kFieldMidi)) return;
    record.filled |= kFieldMidi;
    if (!NamedAsMidiFile(record.path) || !IsRegularFile(record.path)) return;
    SmfFile smf;
    if (smf.open(record.path) != 0) return;
    smf.readEvents();
    record.smfFormat = smf.header().format;
    // Kept byte for byte, as the file holds them.
    static_assert(sizeof record.sequenceName == sizeof smf.info().sequenceName, "same size");
    static_assert(sizeof record.copyright == sizeof smf.info().copyright, "same size");
    std::memcpy(record.sequenceName, smf.info().sequenceName, sizeof record.sequenceName);
    std::memcpy(record.copyright, smf.info().copyright, sizeof record.copyright);
    record.sequenceName[sizeof record.sequenceName - 1] = '\0';
    record.copyright[sizeof record.copyright - 1] = '\0';
}

void MidiListView::ColumnText(ItemRecord& record, int column, char* text, int capacity)
{
    if (column < RowOrder::kFormat || column > RowOrder::kCopyright) {
        ShellListView::ColumnText(record, column, text, capacity);
        return;
    }
    FillFields(record, kFieldMidi);
    char format[256] = "";
    if (record.smfFormat >= 0) wsprintfA(format, "SMF Format %u", static_cast<unsigned>(record.smfFormat));
    const char* shown = column == RowOrder::kFormat ? format
                        : column == RowOrder::kSequenceName ? record.sequenceName
                                                            : record.copyright;
    CopyToField(text, static_cast<size_t>(capacity), shown);
}

LRESULT MidiListView::OnDblClk(NMITEMACTIVATE*)
{
    OpenSelectedRow();
    return 1;
}

LRESULT MidiListView::OnListKeyDown(NMLVKEYDOWN* key)
{
    BrowserHost* host = GetBrowserHost();
    if (key && key->wVKey == VK_RETURN) OpenSelectedRow();
    if (key && key->wVKey == VK_BACK && host) host->GoUp();
    return 0;
}

void MidiListView::OpenSelectedRow()
{
    BrowserHost* host = GetBrowserHost();
    const ItemRecord* record = RecordAt(static_cast<int>(GetNextItem(-1, LVNI_SELECTED)));
    if (!host || !record || !(record->shellAttributes & SFGAO_FOLDER) || !record->absoluteId) {
        OpenSelected();
        if (currentFolder && host) host->SelectFolderInTree(currentFolder);
        return;
    }
    // The tree follows and lists the folder as its selection moves; the list
    // lists it itself only when the tree did not (once, not twice).
    IdListPool temporary;
    const LPITEMIDLIST folder = temporary.CloneIdList(record->absoluteId);  // the row goes with the listing
    if (!folder) return;
    host->SelectFolderInTree(folder);
    const UINT size = IdListSize(folder);
    if (!currentFolder || IdListSize(currentFolder) != size || std::memcmp(currentFolder, folder, size) != 0) {
        ShowFolder(folder);
    }
}

LRESULT MidiListView::OnItemChanged(NMLISTVIEW* change)
{
    // Selecting a row may bring more than one change that carries the
    // selected state (focus, then selection): only the one that sets it opens.
    if (!change || !(change->uNewState & LVIS_SELECTED) || (change->uOldState & LVIS_SELECTED)) return 1;
    const ItemRecord* record = reinterpret_cast<const ItemRecord*>(change->lParam);
    if (!record) record = RecordAt(change->iItem);
    BrowserHost* host = GetBrowserHost();
    if (record && host) host->OpenItem(*record);
    return 1;
}
