#include "app/browser/MidiListView.h"

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
    const int index = AppendRow(record);
    if (index < 0) {
        FreeRecord(record);
        return 1;
    }
    if (!IsRegularFile(record->path)) return 1;
    SmfFile smf;
    if (smf.open(record->path) != 0) return 1;
    smf.readEvents();
    char format[256];
    wsprintfA(format, "SMF Format %u", static_cast<unsigned>(smf.header().format));
    record->smfFormat = smf.header().format;
    // Kept byte for byte, as the file holds them.
    static_assert(sizeof record->sequenceName == sizeof smf.info().sequenceName, "same size");
    static_assert(sizeof record->copyright == sizeof smf.info().copyright, "same size");
    std::memcpy(record->sequenceName, smf.info().sequenceName, sizeof record->sequenceName);
    std::memcpy(record->copyright, smf.info().copyright, sizeof record->copyright);
    record->sequenceName[sizeof record->sequenceName - 1] = '\0';
    record->copyright[sizeof record->copyright - 1] = '\0';
    SetSubItemText(index, 4, format);
    SetSubItemText(index, 5, record->sequenceName);
    SetSubItemText(index, 6, record->copyright);
    return 1;
}

LRESULT MidiListView::OnDblClk(NMITEMACTIVATE* item)
{
    ShellListView::OnDblClk(item);
    BrowserHost* host = GetBrowserHost();
    if (currentFolder && host) host->SelectFolderInTree(currentFolder);
    return 1;
}

LRESULT MidiListView::OnListKeyDown(NMLVKEYDOWN* key)
{
    BrowserHost* host = GetBrowserHost();
    if (key && key->wVKey == VK_RETURN) {
        OpenSelected();
        // A folder opened keeps the tree in step, as after a double-click.
        if (currentFolder && host) host->SelectFolderInTree(currentFolder);
    }
    if (key && key->wVKey == VK_BACK && host) host->GoUp();
    return 0;
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
