#include "app/browser/MidiListView.h"

#include "core/browser/ItemTexts.h"
#include "core/browser/PathUtilities.h"
#include "app/browser/BrowserHost.h"
#include "app/browser/ShellItems.h"
#include "app/browser/ShellRename.h"
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
    if (key && key->wVKey == VK_F2) {
        const int focused = static_cast<int>(GetNextItem(-1, LVNI_FOCUSED));
        if (focused >= 0) SendMessage(LVM_EDITLABELA, WPARAM(focused), 0);
    }
    return 0;
}

void MidiListView::OpenSelectedRow()
{
    BrowserHost* host = GetBrowserHost();
    if (OpenSelected() && currentFolder && host) host->FolderOpenedInList(currentFolder);
}

bool MidiListView::Rename(int index, ItemRecord& record, const std::string& name)
{
    const HWND owner = GetAncestor(GetHandle(), GA_ROOT);
    ComPtr<IShellFolder> folder;
    LPITEMIDLIST newChild = nullptr;
    const HRESULT result = RenameShellItem(owner, record.absoluteId, name, folder.Out(), &newChild);
    if (FAILED(result)) {
        ShowRenameFailure(owner, result);
        return false;
    }
    const std::string oldPath = record.path;
    const uint32_t midi = record.filled & kFieldMidi;
    pool->Free(record.childId);
    pool->Free(record.absoluteId);
    record.childId = record.absoluteId = nullptr;
    record.path[0] = '\0';
    // Everything the shell and the file system say; the type and icon are
    // asked again as the row is drawn, and the MIDI details stay.
    FillRecord(&record, folder.Get(), currentFolder, newChild);
    record.filled |= midi;
    pool->Free(newChild);
    SendMessage(LVM_UPDATE, WPARAM(index), 0);
    BrowserHost* host = GetBrowserHost();
    if (host) host->ItemRenamed(oldPath, record);
    return true;
}

LRESULT MidiListView::OnEndLabelEdit(NMLVDISPINFOA* info)
{
    // Escape gives no text; an unchanged name is no rename.
    ItemRecord* record = info && info->item.pszText ? RecordAt(info->item.iItem) : nullptr;
    if (!record || !currentFolder || !record->absoluteId || lstrcmpA(info->item.pszText, record->displayName) == 0)
        return 0;
    const std::string typed = info->item.pszText;
    if (!Rename(info->item.iItem, *record, typed)) return 0;
    // The list shows the typed text when told TRUE; a name the shell shows
    // otherwise is put in place here instead.
    const bool asTyped = typed == record->displayName;
    if (!asTyped) {
        LVITEMA item{};
        item.pszText = record->displayName;
        SendMessage(LVM_SETITEMTEXTA, WPARAM(info->item.iItem), reinterpret_cast<LPARAM>(&item));
    }
    KvWindow::SetAnswer(GetParent(), asTyped ? TRUE : FALSE);
    return 1;
}

bool MidiListView::SelectPath(const std::string& path)
{
    for (int row = 0; row < int(GetItemCount()); ++row) {
        const ItemRecord* record = RecordAt(row);
        if (!record || lstrcmpiA(record->path, path.c_str()) != 0) continue;
        SetItemState(-1, 0, LVIS_SELECTED);
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessage(LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
        return true;
    }
    return false;
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
