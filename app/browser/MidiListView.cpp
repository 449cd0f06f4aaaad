#include "app/browser/MidiListView.h"

#include "core/browser/PathUtilities.h"
#include "app/browser/BrowserHost.h"
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

void MidiListView::OpenSelectedAndTell()
{
    BrowserHost* host = GetBrowserHost();
    if (OpenSelected() && currentFolder && host) host->FolderOpenedInList(currentFolder);
}

LRESULT MidiListView::OnDblClk(NMITEMACTIVATE*)
{
    OpenSelectedAndTell();
    return 1;
}

LRESULT MidiListView::OnListKeyDown(NMLVKEYDOWN* key)
{
    BrowserHost* host = GetBrowserHost();
    if (key && key->wVKey == VK_RETURN) OpenSelectedAndTell();
    if (key && key->wVKey == VK_BACK && host) host->GoUp();
    if (key && key->wVKey == VK_F2) {
        const int focused = static_cast<int>(GetNextItem(-1, LVNI_FOCUSED));
        if (focused >= 0) SendMessage(LVM_EDITLABELA, WPARAM(focused), 0);
    }
    return 0;
}

bool MidiListView::Rename(int index, ItemRecord& record, const std::string& name)
{
    IShellFolder* folder = nullptr;
    LPITEMIDLIST newChild = nullptr;
    const HRESULT result = RenameShellItem(GetAncestor(GetHandle(), GA_ROOT), record.absoluteId, name, &folder,
                                           &newChild);
    if (FAILED(result)) {
        ShowRenameFailure(GetAncestor(GetHandle(), GA_ROOT), result);
        return false;
    }
    const std::string oldPath = record.path;
    pool->Free(record.childId);
    pool->Free(record.absoluteId);
    record.childId = record.absoluteId = nullptr;
    record.path[0] = '\0';
    // Everything the shell and the file system say; the MIDI details stay.
    FillRecord(&record, folder, currentFolder, newChild, kFieldAll);
    pool->Free(newChild);
    folder->Release();
    SetSubItemText(index, 1, record.sizeText);
    SetSubItemText(index, 2, record.typeName);
    SetSubItemText(index, 3, record.dateText);
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
    if (!asTyped) SetSubItemText(info->item.iItem, 0, record->displayName);
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
