#include "app/browser/FolderSizes.h"

#include <windows.h>

bool FolderSizes::Read(const std::string& path)
{
    Clear();
    // The walk's pattern and every item's path must fit the ANSI calls.
    if (path.empty() || path.size() + 3 >= MAX_PATH) return false;
    WIN32_FIND_DATAA find;
    const HANDLE walk = FindFirstFileA((path + "\\*").c_str(), &find);
    if (walk == INVALID_HANDLE_VALUE) return false;
    do {
        find.cFileName[MAX_PATH - 1] = '\0';
        sizes_[find.cFileName] = (static_cast<uint64_t>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
    } while (FindNextFileA(walk, &find));
    FindClose(walk);
    path_ = path;
    return true;
}

void FolderSizes::Clear()
{
    path_.clear();
    sizes_.clear();
}

bool FolderSizes::Find(const char* name, uint64_t* size) const
{
    const auto found = sizes_.find(name);
    if (found == sizes_.end()) return false;
    *size = found->second;
    return true;
}
