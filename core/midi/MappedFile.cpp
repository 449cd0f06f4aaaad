#include "core/midi/MappedFile.h"

#include "core/errors/ErrorRecord.h"
#include "core/midi/MappingHandle.h"

#include <cstring>
#include <new>

MappedFile::MappedFile() : mapping(new (std::nothrow) MappingHandle)
{
    ownsMapping = mapping != nullptr;
}

MappedFile::~MappedFile()
{
    if (view && !memoryView) mapping->unmapView(view, size);
    if (ownsMapping) delete mapping;
}

uint32_t MappedFile::open(std::string path)
{
    uint32_t result = DiskFile::open(std::move(path));
    if (result != 0) return result;
    view = nullptr;
    position = 0;
    if (mapping && mapping->create(handle->get(), size)) view = mapping->mapView(size);
    return 0;
}

bool MappedFile::isOpen() const
{
    return memoryView || DiskFile::isOpen();
}

uint32_t MappedFile::mapMemory(std::string path, const uint8_t* data, uint32_t count)
{
    if (isOpen()) return SetError(GetErrorRecord(), kErrorAlreadyOpen, path.c_str());
    name = std::move(path);
    size = count;
    // Like an empty file, which cannot be mapped, no bytes give no view.
    view = count ? data : nullptr;
    memoryView = true;
    position = 0;
    return 0;
}

uint32_t MappedFile::close()
{
    if (!isOpen()) return kErrorNotOpen;
    if (view && !memoryView) mapping->unmapView(view, size);
    view = nullptr;
    position = 0;
    memoryView = false;
    if (mapping) mapping->closeHandle();
    return DiskFile::close();
}

uint32_t MappedFile::read(void* destination, uint32_t count, uint32_t& bytesRead)
{
    bytesRead = 0;
    if (!isOpen()) return kErrorNotOpen;
    const uint64_t end = dataSize();
    const uint64_t left = position < end ? end - position : 0;
    const uint32_t n = count < left ? count : static_cast<uint32_t>(left);
    if (n) std::memcpy(destination, view + position, n);
    bytesRead = n;
    position += n;
    return 0;
}
