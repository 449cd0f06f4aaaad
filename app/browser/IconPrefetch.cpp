#include "app/browser/IconPrefetch.h"

#include "app/browser/ShellItems.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

constexpr DWORD kLongestWaitMs = 2000;
constexpr UINT kSmall = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;

void FetchBoth(LPCSTR item, UINT flags)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(item, 0, &info, sizeof info, flags | kSmall);
    SHGetFileInfoA(item, 0, &info, sizeof info, flags | kSmall | SHGFI_OPENICON);
}

// The desktop's own folders: the tree's first level.
void FetchDesktopFolders()
{
    ComPtr<IShellFolder> desktop;
    ComPtr<IEnumIDList> children;
    if (FAILED(SHGetDesktopFolder(desktop.Out())) || !desktop ||
        desktop->EnumObjects(nullptr, SHCONTF_FOLDERS, children.Out()) != S_OK || !children) {
        return;
    }
    LPITEMIDLIST child = nullptr;
    while (children->Next(1, &child, nullptr) == S_OK) {
        FetchBoth(reinterpret_cast<LPCSTR>(child), SHGFI_PIDL);
        CoTaskMemFree(child);
    }
}

}  // namespace

IconPrefetch::IconPrefetch() : thread_(CreateThread(nullptr, 0, Fetch, nullptr, 0, nullptr)) {}

IconPrefetch::~IconPrefetch()
{
    if (!thread_) return;
    // A shell that never answers must not keep the program from ending: the
    // thread goes with the process.
    WaitForSingleObject(thread_, kLongestWaitMs);
    CloseHandle(thread_);
}

DWORD WINAPI IconPrefetch::Fetch(LPVOID)
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    FetchDesktopFolders();
    // Every plain folder shares the icons of this one.
    char windows[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows, sizeof windows) > 0) FetchBoth(windows, 0);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
