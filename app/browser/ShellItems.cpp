#include "app/browser/ShellItems.h"

#include "app/browser/IdListPool.h"

#include <cstring>

namespace {

std::string NameOf(IShellFolder* folder, LPCITEMIDLIST childId, SHGDNF flags)
{
    STRRET name{};
    name.uType = STRRET_WSTR;
    if (!folder || FAILED(folder->GetDisplayNameOf(childId, flags, &name))) return std::string();
    std::string text;
    if (name.uType == STRRET_WSTR && name.pOleStr) {
        const int size = WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            text.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, &text[0], size, nullptr, nullptr);
            text.resize(static_cast<size_t>(size) - 1);
        }
        CoTaskMemFree(name.pOleStr);
    } else if (name.uType == STRRET_CSTR) {
        text.assign(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    } else if (name.uType == STRRET_OFFSET) {
        const char* at = reinterpret_cast<const char*>(childId) + name.uOffset;
        text.assign(at, strnlen(at, MAX_PATH));
    }
    return text;
}

}  // namespace

bool BindFolder(LPCITEMIDLIST folderId, ComPtr<IShellFolder>& folder)
{
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Out())) || !desktop) return false;
    if (IdListSize(folderId) <= 2) {
        *folder.Out() = desktop.Detach();
        return true;
    }
    return BindFolder(desktop.Get(), folderId, folder);
}

bool BindFolder(IShellFolder* parent, LPCITEMIDLIST child, ComPtr<IShellFolder>& folder)
{
    return parent &&
           SUCCEEDED(parent->BindToObject(child, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder.Out()))) &&
           folder;
}

std::string InFolderName(IShellFolder* folder, LPCITEMIDLIST childId)
{
    return NameOf(folder, childId, SHGDN_INFOLDER | SHGDN_FORPARSING);
}

std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST childId)
{
    return NameOf(folder, childId, SHGDN_INFOLDER);
}

std::string PathOfIdList(LPCITEMIDLIST absoluteId)
{
    char path[4 * MAX_PATH] = {};
    if (!absoluteId || !SHGetPathFromIDListA(absoluteId, path)) return std::string();
    path[sizeof path - 1] = '\0';
    return std::string(path, strnlen(path, sizeof path));
}

std::string PathOf(IShellFolder* folder, LPCITEMIDLIST childId, LPCITEMIDLIST absoluteId)
{
    const std::string whole = PathOfIdList(absoluteId);
    if (whole.size() < MAX_PATH - 1) return whole;
    const std::string name = InFolderName(folder, childId);
    const bool endsWithName = !name.empty() && whole.size() > name.size() &&
                              whole.compare(whole.size() - name.size(), name.size(), name) == 0;
    return endsWithName ? whole : std::string();
}
