#include "tools/bench/ListCallCosts.h"

#include "app/browser/IdListPool.h"
#include "core/midi/SmfFile.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

double BenchNow()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

namespace {

double Now() { return BenchNow(); }

// Milliseconds per item of `call(i)` over `count` items.
template <class Call>
double PerItem(size_t count, Call call)
{
    const double start = Now();
    for (size_t i = 0; i < count; ++i) call(i);
    return count ? (Now() - start) * 1e3 / static_cast<double>(count) : 0;
}

HWND MakeList(bool visible)
{
    const HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_OVERLAPPEDWINDOW | LVS_REPORT | (visible ? WS_VISIBLE : 0),
                                      0, 0, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int column = 0; column < 7; ++column) {
        LVCOLUMNA header{};
        header.mask = LVCF_WIDTH | LVCF_TEXT;
        header.cx = 100;
        header.pszText = const_cast<char*>("column");
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header));
    }
    return list;
}

// Milliseconds per row of inserting `count` rows of `columns` texts.
double InsertRows(size_t count, bool redraw, int columns = 7)
{
    const HWND list = MakeList(true);
    if (!redraw) SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    const double perRow = PerItem(count, [&](size_t i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>("song00000.mid");
        const int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < columns; ++column) {
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = const_cast<char*>("text");
            SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    });
    DestroyWindow(list);
    return perRow;
}

}  // namespace

void PrintCallCosts(const std::string& folder, size_t insertRows)
{
    IShellFolder* desktop = nullptr;
    IShellFolder* shell = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return;
    std::wstring wide(folder.begin(), folder.end());
    LPITEMIDLIST folderId = nullptr;
    desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &folderId, nullptr);
    if (!folderId || FAILED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shell)))) {
        desktop->Release();
        return;
    }
    IdListPool pool;
    std::vector<LPITEMIDLIST> children, absolute;
    const double enumStart = Now();
    IEnumIDList* enumerator = nullptr;
    shell->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &enumerator);
    const double enumCreated = Now();
    LPITEMIDLIST child = nullptr;
    while (enumerator && enumerator->Next(1, &child, nullptr) == S_OK) children.push_back(child);
    const double enumDone = Now();
    if (enumerator) enumerator->Release();
    for (LPITEMIDLIST id : children) absolute.push_back(pool.ConcatIdLists(folderId, id));
    const size_t n = children.size();
    std::vector<std::string> paths(n);
    std::printf("  %zu items: EnumObjects %.1f ms, Next %.4f ms/item\n", n, (enumCreated - enumStart) * 1e3,
                n ? (enumDone - enumCreated) * 1e3 / static_cast<double>(n) : 0.0);
    const auto row = [](const char* what, double ms) { std::printf("  %-52s %8.4f ms/item\n", what, ms); };
    row("SHGetPathFromIDListA (absolute)", PerItem(n, [&](size_t i) {
            char path[MAX_PATH * 4] = {};
            SHGetPathFromIDListA(absolute[i], path);
            paths[i] = path;
        }));
    SHFILEINFOA info{};
    row("SHGetFileInfoA (id list: icon, name, type)", PerItem(n, [&](size_t i) {
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute[i]), 0, &info, sizeof info,
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
        }));
    row("SHGetFileInfoA (id list: icon only)", PerItem(n, [&](size_t i) {
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute[i]), 0, &info, sizeof info,
                           SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        }));
    row("SHGetFileInfoA (id list: type only)", PerItem(n, [&](size_t i) {
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute[i]), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME);
        }));
    row("SHGetFileInfoA (extension, USEFILEATTRIBUTES)", PerItem(n, [&](size_t) {
            SHGetFileInfoA(".mid", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
        }));
    STRRET name{};
    row("IShellFolder::GetDisplayNameOf (in folder)", PerItem(n, [&](size_t i) {
            name.uType = STRRET_WSTR;
            if (SUCCEEDED(shell->GetDisplayNameOf(children[i], SHGDN_INFOLDER, &name)) && name.uType == STRRET_WSTR)
                CoTaskMemFree(name.pOleStr);
        }));
    row("IShellFolder::CompareIDs", PerItem(n, [&](size_t i) {
            shell->CompareIDs(0, children[i], children[(i + 1) % n]);
        }));
    row("IShellFolder::GetAttributesOf", PerItem(n, [&](size_t i) {
            ULONG attributes = 0x600B0177;
            LPCITEMIDLIST one = children[i];
            shell->GetAttributesOf(1, &one, &attributes);
        }));
    WIN32_FIND_DATAA find{};
    row("SHGetDataFromIDListA (find data)", PerItem(n, [&](size_t i) {
            SHGetDataFromIDListA(shell, children[i], SHGDFIL_FINDDATA, &find, sizeof find);
        }));
    row("GetFileAttributesExA (path)", PerItem(n, [&](size_t i) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            GetFileAttributesExA(paths[i].c_str(), GetFileExInfoStandard, &data);
        }));
    size_t found = 0;
    row("FindFirstFileA walk of the folder", PerItem(1, [&](size_t) {
            const HANDLE walk = FindFirstFileA((folder + "\\*").c_str(), &find);
            if (walk == INVALID_HANDLE_VALUE) return;
            do ++found;
            while (FindNextFileA(walk, &find));
            FindClose(walk);
        }) / static_cast<double>(found ? found : 1));
    row("CreateFileA + ReadFile of 4 bytes + CloseHandle", PerItem(n, [&](size_t i) {
            const HANDLE file = CreateFileA(paths[i].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                            nullptr);
            char tag[4];
            DWORD read = 0;
            if (file != INVALID_HANDLE_VALUE) {
                ReadFile(file, tag, sizeof tag, &read, nullptr);
                CloseHandle(file);
            }
        }));
    row("open + map + read (SmfFile)", PerItem(n, [&](size_t i) {
            SmfFile smf;
            if (smf.open(paths[i]) == 0) smf.readEvents();
        }));
    if (insertRows) {
        row("list insert, name only, drawing on", InsertRows(insertRows, true, 1));
        row("list insert, 7 texts, drawing on", InsertRows(insertRows, true));
        row("list insert, 7 texts, WM_SETREDRAW FALSE", InsertRows(insertRows, false));
    }
    for (LPITEMIDLIST id : children) pool.Free(id);
    for (LPITEMIDLIST id : absolute) pool.Free(id);
    pool.Free(folderId);
    shell->Release();
    desktop->Release();
}
