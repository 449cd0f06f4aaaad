#include "app/browser/ShellRename.h"

#include "core/browser/PathUtilities.h"
#include "core/errors/SystemErrorText.h"

#include <vector>

namespace {

// The Win32 error an HRESULT carries, or the HRESULT itself.
DWORD ErrorOf(HRESULT result)
{
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? DWORD(HRESULT_CODE(result)) : DWORD(result);
}

}  // namespace

HRESULT RenameShellItem(HWND owner, LPCITEMIDLIST absoluteId, const std::string& name, IShellFolder** folder,
                        LPITEMIDLIST* newChild)
{
    *folder = nullptr;
    *newChild = nullptr;
    if (!IsValidItemName(name)) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
    const int size = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
    if (size <= 0) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
    std::vector<WCHAR> wide(size_t(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), size);
    LPCITEMIDLIST child = nullptr;
    HRESULT result = SHBindToParent(absoluteId, IID_IShellFolder, reinterpret_cast<void**>(folder), &child);
    if (FAILED(result)) return result;
    result = (*folder)->SetNameOf(owner, child, wide.data(), SHGDN_INFOLDER, newChild);
    if (SUCCEEDED(result) && *newChild) return S_OK;
    (*folder)->Release();
    *folder = nullptr;
    if (*newChild) CoTaskMemFree(*newChild);
    *newChild = nullptr;
    return FAILED(result) ? result : E_FAIL;
}

std::string SystemReason(DWORD error)
{
    char text[1024] = {};
    SetLastError(error);
    SystemErrorText(text, sizeof text);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return reason.empty() ? "(" + std::to_string(error) + ")" : reason;
}

void ShowRenameFailure(HWND owner, HRESULT result)
{
    if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return;
    MessageBoxA(owner, SystemReason(ErrorOf(result)).c_str(), "velmora", MB_OK | MB_ICONERROR);
}
