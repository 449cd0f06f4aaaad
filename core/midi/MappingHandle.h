#pragma once
// MappingHandle: a read-only mapping of an open file, and views of it.
#include "core/midi/KernelHandle.h"

#include <cstdint>

class MappingHandle : public KernelHandle {
public:
    // Maps the first `size` bytes of the file; keeps the handle returned
    // (null on failure). A mapping already held is closed first.
    OsHandle create(OsHandle file, uint32_t size);
    const uint8_t* mapView(uint32_t size);
    bool unmapView(const uint8_t* view, uint32_t size);
};
