#pragma once
// Renaming an item through the shell: the new name goes to IShellFolder::
// SetNameOf on the item's own folder, and a refusal is told in a message box
// with the system's reason.
#include <windows.h>
#include <shlobj.h>

#include <string>

// Renames the item `absoluteId` to `name`; `owner` owns any question the
// shell asks. On success `folder` holds the item's folder (a reference for
// the caller) and `newChild` the shell's new relative id list (the caller
// frees it). A name no file may have is refused before the shell sees it,
// with HRESULT_FROM_WIN32(ERROR_INVALID_NAME).
HRESULT RenameShellItem(HWND owner, LPCITEMIDLIST absoluteId, const std::string& name, IShellFolder** folder,
                        LPITEMIDLIST* newChild);

// The system's text for `error` without its line end; "(error)" when it has none.
std::string SystemReason(DWORD error);

// Shows why a rename failed in a "velmora" box owned by `owner`: the
// system's reason for `result`. HRESULT_FROM_WIN32(ERROR_CANCELLED) after a
// valid name means the user said no to the shell's own question: no box.
void ShowRenameFailure(HWND owner, HRESULT result);
