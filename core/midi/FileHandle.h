#pragma once
// FileHandle: the handle of an open file, opened for reading with read sharing.
#include "core/midi/KernelHandle.h"

#include <cstdint>

class FileHandle : public KernelHandle {
public:
    // Opens an existing file and keeps whatever handle the system returns,
    // the invalid value included. A handle already held is closed first.
    OsHandle create(const char* path);
    uint32_t size() const;
    bool readBytes(void* destination, uint32_t count, uint32_t* bytesRead);
};
