#include "app/WriteWholeFile.h"

#include "core/browser/PathUtilities.h"

#include <algorithm>

namespace {

DWORD WriteAll(const char* path, const std::string& bytes)
{
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD error = ERROR_SUCCESS;
    for (size_t at = 0; at < bytes.size() && error == ERROR_SUCCESS;) {
        const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - at, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + at, chunk, &written, nullptr)) {
            error = GetLastError();
        } else if (written == 0) {
            error = ERROR_WRITE_FAULT;
        }
        at += written;
    }
    if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
    return error;
}

}  // namespace

DWORD WriteWholeFile(const std::string& path, const std::string& bytes)
{
    const std::string folder = DirectoryOf(path);
    char temporary[MAX_PATH] = {};
    // The name is made and the file created in one step, so two writers
    // never share one.
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "vel", 0, temporary)) return GetLastError();
    DWORD error = WriteAll(temporary, bytes);
    if (error == ERROR_SUCCESS && !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileA(temporary);
    return error;
}
