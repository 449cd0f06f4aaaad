#pragma once
// FolderSizes: the whole sizes of the items of one file-system folder, from
// one FindFirstFileA walk of it instead of a call per item (the shell's find
// data holds only the low 32 bits of a size).
#include <cstdint>
#include <string>
#include <unordered_map>

class FolderSizes {
public:
    // Walks the folder at `path` (without a trailing backslash); false, and
    // nothing kept, when it cannot be walked or its paths would not fit.
    bool Read(const std::string& path);
    void Clear();
    // The folder walked; empty when none.
    const std::string& Path() const { return path_; }
    // The size of the item named `name` (as the walk saw it); false when the
    // walk did not see it.
    bool Find(const char* name, uint64_t* size) const;

private:
    std::string path_;
    std::unordered_map<std::string, uint64_t> sizes_;
};
