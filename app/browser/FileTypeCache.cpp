#include "app/browser/FileTypeCache.h"

#include "core/browser/ItemTexts.h"
#include "app/browser/ShellItems.h"

#include <shellapi.h>

#include <cstring>

namespace {

// Extensions whose files carry their own icon.
const char* const kOwnIcons[] = {".exe", ".ico", ".lnk", ".cur", ".ani", ".scr", ".pif", ".url"};

}  // namespace

bool FileTypeCache::IconFromFile(const std::string& extension)
{
    char type[MAX_PATH] = {};
    LONG size = sizeof type;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, extension.c_str(), type, &size) != ERROR_SUCCESS || !type[0]) return false;
    char icon[MAX_PATH] = {};
    size = sizeof icon;
    const std::string key = std::string(type, strnlen(type, sizeof type)) + "\\DefaultIcon";
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), icon, &size) != ERROR_SUCCESS) return false;
    return std::strstr(icon, "%1") != nullptr;
}

std::string FileTypeCache::KeyOf(const char* fileName)
{
    const char* dot = std::strrchr(fileName, '.');
    if (!dot || dot == fileName || !dot[1]) return std::string();
    // Kept as written: the type text of an unregistered extension repeats
    // its case ("MID file" beside "mid file"). Anything beyond plain ASCII
    // keeps its own answer.
    const std::string key(dot);
    for (const char c : key)
        if (static_cast<unsigned char>(c) >= 0x80) return std::string();
    for (const char* own : kOwnIcons)
        if (lstrcmpiA(key.c_str(), own) == 0) return std::string();
    return key;
}

void FileTypeCache::TypeAndIcon(const char* fileName, LPCITEMIDLIST absoluteId, char* typeName, size_t capacity,
                                int32_t* icon)
{
    const std::string key = KeyOf(fileName);
    if (key.empty() || (known_.find(key) == known_.end() && IconFromFile(key))) {
        AskTypeAndIcon(absoluteId, typeName, capacity, icon);
        return;
    }
    Kept(key, absoluteId, typeName, capacity, icon);
}

void FileTypeCache::FolderTypeAndIcon(LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon)
{
    Kept("\\", absoluteId, typeName, capacity, icon);  // no extension holds a backslash
}

void FileTypeCache::Kept(const std::string& key, LPCITEMIDLIST absoluteId, char* typeName, size_t capacity,
                         int32_t* icon)
{
    const auto known = known_.find(key);
    if (known != known_.end()) {
        CopyToField(typeName, capacity, known->second.typeName.c_str());
        *icon = known->second.icon;
        return;
    }
    AskTypeAndIcon(absoluteId, typeName, capacity, icon);
    known_[key] = Entry{typeName, *icon};
}

std::string FileTypeCache::DisplayName(const char* fileName, IShellFolder* folder, LPCITEMIDLIST childId)
{
    const std::string key = KeyOf(fileName);
    const std::string name = fileName;
    const std::string bare = name.substr(0, name.size() - key.size());
    const auto known = key.empty() ? hidesExtension_.end() : hidesExtension_.find(key);
    if (known != hidesExtension_.end()) return known->second ? bare : name;
    const std::string shown = DisplayNameOf(folder, childId);
    // Only an answer that is the name, with or without its extension, is a
    // rule for the extension.
    if (!key.empty() && (shown == name || shown == bare)) hidesExtension_[key] = shown == bare;
    return shown;
}

void AskTypeAndIcon(LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(absoluteId), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
    info.szTypeName[sizeof info.szTypeName - 1] = '\0';
    CopyToField(typeName, capacity, info.szTypeName);
    *icon = info.iIcon;
}
