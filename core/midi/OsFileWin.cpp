#include "core/midi/OsFile.h"

#include <windows.h>

const OsHandle kInvalidOsHandle = INVALID_HANDLE_VALUE;

OsHandle OsOpenForReading(const char* path)
{
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    // Only disk files are read: a read from a pipe or a device (a FIFO under
    // Z:\ opens without waiting) could wait for a writer forever.
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        SetLastError(ERROR_BAD_FILE_TYPE);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

uint32_t OsFileSize(OsHandle file)
{
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
    return high != 0 ? 0xFFFFFFFFu : low;
}

bool OsReadFile(OsHandle file, void* destination, uint32_t count, uint32_t* bytesRead)
{
    DWORD n = 0;
    BOOL ok = ReadFile(file, destination, count, &n, nullptr);
    *bytesRead = n;
    return ok != FALSE;
}

bool OsCloseHandle(OsHandle handle)
{
    return CloseHandle(handle) != FALSE;
}

OsHandle OsCreateMapping(OsHandle file, uint32_t size)
{
    return CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, size, nullptr);
}

const uint8_t* OsMapView(OsHandle mapping, uint32_t size)
{
    return static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size));
}

bool OsUnmapView(const uint8_t* view, uint32_t)
{
    return UnmapViewOfFile(view) != FALSE;
}

void* OsAllocateLarge(size_t size)
{
    // Large pages need a privilege users do not have: plain committed pages.
    return size ? VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) : nullptr;
}

void OsFreeLarge(void* block, size_t)
{
    if (block) VirtualFree(block, 0, MEM_RELEASE);
}
