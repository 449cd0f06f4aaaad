#include "core/midi/KernelHandle.h"

KernelHandle::~KernelHandle()
{
    // The invalid value marks a failed open, not a handle to close.
    if (handle != nullptr && handle != kInvalidOsHandle) OsCloseHandle(handle);
}

bool KernelHandle::closeHandle()
{
    if (handle == kInvalidOsHandle) {
        handle = nullptr;
        return true;
    }
    if (handle == nullptr || !OsCloseHandle(handle)) return false;
    handle = nullptr;
    return true;
}
