#include "core/midi/DiskFile.h"

#include "core/errors/ErrorRecord.h"

uint32_t DiskFile::open(std::string path)
{
    if (isOpen()) return SetError(GetErrorRecord(), kErrorAlreadyOpen, path.c_str());
    if (!handle || handle->create(path.c_str()) == kInvalidOsHandle)
        return SetError(GetErrorRecord(), kErrorCannotOpen, path.c_str());
    name = std::move(path);
    size = handle->size();
    return 0;
}

uint32_t DiskFile::close()
{
    if (handle) handle->closeHandle();
    return 0;
}

uint32_t DiskFile::read(void* destination, uint32_t count, uint32_t& bytesRead)
{
    bytesRead = 0;
    if (!isOpen()) return SetError(GetErrorRecord(), kErrorNotOpen);
    if (!handle->readBytes(destination, count, &bytesRead)) return SetError(GetErrorRecord(), kErrorSystem);
    return 0;
}
