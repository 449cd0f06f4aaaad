// plain-list: the floor of the file list's benchmark. `plain-list FOLDER`
// shows the folder in a report-view list of seven columns as plainly as
// Win32 allows: one FindFirstFileA walk, drawing off while the rows go in,
// the type text and icon by extension once per extension, each .mid file
// opened and read for its format, sequence name and copyright.
// `plain-list /tree FOLDER` shows a tree of one node for the folder that,
// when expanded, walks the folder once and inserts a node per sub-folder.
#include "core/midi/SmfFile.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

std::string gFolder;
HWND gControl = nullptr;

std::string Lower(std::string text)
{
    if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

struct TypeInfo {
    std::string type;
    int icon;
};

const TypeInfo& TypeOf(const std::string& name, DWORD attributes)
{
    static std::map<std::string, TypeInfo> known;
    const size_t dot = name.find_last_of('.');
    const std::string key = attributes & FILE_ATTRIBUTE_DIRECTORY ? "\\" : dot == std::string::npos ? "" : Lower(name.substr(dot));
    auto at = known.find(key);
    if (at != known.end()) return at->second;
    SHFILEINFOA info{};
    SHGetFileInfoA(key == "\\" ? "folder" : key.c_str(), attributes, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
    return known[key] = TypeInfo{info.szTypeName, info.iIcon};
}

void SetText(int row, int column, const char* text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(gControl, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void AddRow(const WIN32_FIND_DATAA& find)
{
    const TypeInfo& type = TypeOf(find.cFileName, find.dwFileAttributes);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = 0x7FFFFFFF;
    item.pszText = const_cast<char*>(find.cFileName);
    item.iImage = type.icon;
    const int row = static_cast<int>(SendMessageA(gControl, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    char text[64];
    const unsigned long long size = (static_cast<unsigned long long>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
    std::snprintf(text, sizeof text, "%llu KB", (size + 1023) / 1024);
    SetText(row, 1, find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "" : text);
    SetText(row, 2, type.type.c_str());
    FILETIME local;
    SYSTEMTIME t;
    FileTimeToLocalFileTime(&find.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &t);
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    SetText(row, 3, text);
    const std::string name = find.cFileName;
    if (name.size() < 4 || Lower(name.substr(name.size() - 4)) != ".mid") return;
    SmfFile smf;
    if (smf.open(gFolder + "\\" + name) != 0) return;
    smf.readEvents();
    std::snprintf(text, sizeof text, "SMF Format %u", static_cast<unsigned>(smf.header().format));
    SetText(row, 4, text);
    SetText(row, 5, smf.info().sequenceName);
    SetText(row, 6, smf.info().copyright);
}

void FillList()
{
    SendMessageA(gControl, WM_SETREDRAW, FALSE, 0);
    WIN32_FIND_DATAA find;
    const HANDLE walk = FindFirstFileA((gFolder + "\\*").c_str(), &find);
    if (walk != INVALID_HANDLE_VALUE) {
        do {
            if (std::strcmp(find.cFileName, ".") && std::strcmp(find.cFileName, "..")) AddRow(find);
        } while (FindNextFileA(walk, &find));
        FindClose(walk);
    }
    SendMessageA(gControl, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(gControl, nullptr, TRUE);
}

void FillTree(HTREEITEM parent)
{
    SendMessageA(gControl, WM_SETREDRAW, FALSE, 0);
    const int icon = TypeOf("folder", FILE_ATTRIBUTE_DIRECTORY).icon;
    WIN32_FIND_DATAA find;
    const HANDLE walk = FindFirstFileA((gFolder + "\\*").c_str(), &find);
    if (walk != INVALID_HANDLE_VALUE) {
        do {
            if (!(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !std::strcmp(find.cFileName, ".") ||
                !std::strcmp(find.cFileName, ".."))
                continue;
            TVINSERTSTRUCTA insert{};
            insert.hParent = parent;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
            insert.item.pszText = find.cFileName;
            insert.item.iImage = insert.item.iSelectedImage = icon;
            insert.item.cChildren = 1;
            SendMessageA(gControl, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        } while (FindNextFileA(walk, &find));
        FindClose(walk);
    }
    SendMessageA(gControl, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(gControl, nullptr, TRUE);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (gControl) MoveWindow(gControl, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TVN_ITEMEXPANDINGA) {
            const auto* change = reinterpret_cast<NMTREEVIEWA*>(lParam);
            if (!(change->itemNew.state & TVIS_EXPANDEDONCE)) FillTree(change->itemNew.hItem);
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const bool tree = argc > 2 && std::string(argv[1]) == "/tree";
    if (argc < 2 + (tree ? 1 : 0)) {
        std::fprintf(stderr, "usage: plain-list [/tree] FOLDER\n");
        return 2;
    }
    gFolder = argv[tree ? 2 : 1];
    InitCommonControls();
    WNDCLASSA description{};
    description.lpfnWndProc = Procedure;
    description.hInstance = GetModuleHandleA(nullptr);
    description.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    description.lpszClassName = "PlainList";
    RegisterClassA(&description);
    const HWND main = CreateWindowExA(0, "PlainList", "plain-list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700,
                                      nullptr, nullptr, description.hInstance, nullptr);
    RECT client;
    GetClientRect(main, &client);
    SHFILEINFOA info{};
    const auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (tree) {
        gControl = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                   WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0,
                                   client.right, client.bottom, main, nullptr, description.hInstance, nullptr);
        SendMessageA(gControl, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        insert.item.pszText = const_cast<char*>(gFolder.c_str());
        insert.item.cChildren = 1;
        const auto root = reinterpret_cast<HTREEITEM>(
            SendMessageA(gControl, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        SendMessageA(gControl, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    } else {
        gControl = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS,
                                   0, 0, client.right, client.bottom, main, nullptr, description.hInstance, nullptr);
        SendMessageA(gControl, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
        const char* headers[] = {"name", "size", "type", "time", "format", "sequence", "copyright"};
        for (int i = 0; i < 7; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 120;
            column.pszText = const_cast<char*>(headers[i]);
            SendMessageA(gControl, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
        FillList();
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
