#pragma once
// FileTypeCache: what the shell shows of ordinary files by their extension,
// kept per extension for as long as the list lives: the type text, the small
// icon and whether names are shown with the extension. The first file of an
// extension is asked of the shell itself, so what is kept is the answer for a
// file (a bare extension gets another type text); later files of that
// extension take the same answer. Files whose icon is their own (programs,
// icons, cursors, shortcuts, and any type whose registered icon is taken
// from the file itself) and files without an extension are always asked.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <unordered_map>

class FileTypeCache {
public:
    // The key `fileName` is kept under (its extension as written), or empty
    // when a file of this name must be asked itself.
    static std::string KeyOf(const char* fileName);
    // True when the registry takes the icon of the type of `extension` from
    // each file ("%1" in its DefaultIcon).
    static bool IconFromFile(const std::string& extension);

    // The type text (into `typeName`, `capacity` bytes) and icon index of the
    // file `fileName` whose absolute id list is `absoluteId`.
    void TypeAndIcon(const char* fileName, LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon);
    // The same for a plain file-system folder (no system or read-only
    // attribute, which would let it carry an icon of its own): all of them
    // share the answer of the first.
    void FolderTypeAndIcon(LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon);
    // The display name of the file `fileName` (its name on disk), the child
    // `childId` of `folder`.
    std::string DisplayName(const char* fileName, IShellFolder* folder, LPCITEMIDLIST childId);

private:
    void Kept(const std::string& key, LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon);

    struct Entry {
        std::string typeName;
        int32_t icon;
    };
    std::unordered_map<std::string, Entry> known_;
    std::unordered_map<std::string, bool> hidesExtension_;
};

// Asks the shell for the type text and icon index of one item.
void AskTypeAndIcon(LPCITEMIDLIST absoluteId, char* typeName, size_t capacity, int32_t* icon);
