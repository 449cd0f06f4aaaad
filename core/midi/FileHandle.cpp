#include "core/midi/FileHandle.h"

OsHandle FileHandle::create(const char* path)
{
    closeHandle();
    handle = OsOpenForReading(path);
    return handle;
}

uint32_t FileHandle::size() const
{
    return OsFileSize(handle);
}

bool FileHandle::readBytes(void* destination, uint32_t count, uint32_t* bytesRead)
{
    return OsReadFile(handle, destination, count, bytesRead);
}
