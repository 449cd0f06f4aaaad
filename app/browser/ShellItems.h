#pragma once
// ShellItems: what the folder tree and the file list share of the shell. A
// ComPtr holds one reference to a COM interface and releases it at the end
// of its scope; the BindFolder pair gives folder objects, of an absolute id
// list or of a child of a folder; the path helpers give an item's names.
#include <windows.h>
#include <shlobj.h>

#include <string>

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over the reference `adopted` holds (none for null).
    explicit ComPtr(Interface* adopted) : pointer_(adopted) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface** Out()
    {
        Reset();
        return &pointer_;
    }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Gives up the reference to the caller.
    Interface* Detach()
    {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    // Holds a reference of its own to `other` (none for null).
    void Share(Interface* other)
    {
        if (other) other->AddRef();
        Reset();
        pointer_ = other;
    }
    void Reset()
    {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

// The folder object of the absolute `folderId`: the desktop itself for the
// desktop's empty list. A folder that cannot be bound gives none (false), so
// that a vanished folder shows as empty instead of as the desktop.
bool BindFolder(LPCITEMIDLIST folderId, ComPtr<IShellFolder>& folder);
// The folder object of `child` inside `parent`; none when it cannot be bound.
bool BindFolder(IShellFolder* parent, LPCITEMIDLIST child, ComPtr<IShellFolder>& folder);

// The child's parsing name inside its folder (its file name for a
// file-system item), or empty when the shell gives none.
std::string InFolderName(IShellFolder* folder, LPCITEMIDLIST childId);
// The child's display name inside its folder, or empty.
std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST childId);
// The item's file-system path, whole, or empty when it has none. The shell
// cuts longer paths to MAX_PATH - 1 characters and reports success; a path
// cut short names another file, so such a path counts as none.
std::string PathOf(IShellFolder* folder, LPCITEMIDLIST childId, LPCITEMIDLIST absoluteId);
// The file-system path of an absolute id list, or empty.
std::string PathOfIdList(LPCITEMIDLIST absoluteId);
