#pragma once
// MappedFile: a DiskFile whose whole content is mapped read-only into memory
// while it is open; reads copy from the view at a position that moves forward.
// A file that cannot be mapped (an empty one, or when the system refuses)
// behaves as an empty view: every read gives 0 bytes.
#include "core/midi/DiskFile.h"

#include <cstdint>

class MappingHandle;

class MappedFile : public DiskFile {
public:
    MappedFile();
    ~MappedFile() override;

    uint32_t open(std::string path) override;
    uint32_t close() override;
    uint32_t read(void* destination, uint32_t count, uint32_t& bytesRead) override;

    // The mapped bytes: data() up to data() + dataSize(); null and 0 when
    // nothing is mapped.
    const uint8_t* data() const { return view; }
    uint32_t dataSize() const { return view ? size : 0; }

    // Open while a file is open, or while a memory view is attached.
    bool isOpen() const override;

protected:
    // Attaches `count` bytes of memory the object does not own, as if a file
    // holding them had been opened and mapped, so that tests and fuzz targets
    // run the reading code on an exact-size buffer the sanitizers watch. The
    // object must be closed; `close` detaches the memory without unmapping it.
    uint32_t mapMemory(std::string path, const uint8_t* data, uint32_t count);

    bool ownsMapping;
    MappingHandle* mapping;
    const uint8_t* view = nullptr;
    bool memoryView = false;  // view is attached memory, not a mapping
    // Offset of the current position from the view's first byte. It may lie
    // past the end (a chunk length can point anywhere); reads then give 0 bytes.
    uint64_t position = 0;
};
