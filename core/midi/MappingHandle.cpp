#include "core/midi/MappingHandle.h"

OsHandle MappingHandle::create(OsHandle file, uint32_t size)
{
    closeHandle();
    handle = OsCreateMapping(file, size);
    return handle;
}

const uint8_t* MappingHandle::mapView(uint32_t size)
{
    return handle ? OsMapView(handle, size) : nullptr;
}

bool MappingHandle::unmapView(const uint8_t* view, uint32_t size)
{
    return OsUnmapView(view, size);
}
