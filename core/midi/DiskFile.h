#pragma once
// DiskFile: a file on disk, opened read-only with read sharing; its size is
// taken once, when it is opened.
#include "core/midi/File.h"

class DiskFile : public File {
public:
    uint32_t open(std::string path) override;
    uint32_t close() override;
    uint32_t read(void* destination, uint32_t count, uint32_t& bytesRead) override;

    uint32_t fileSize() const { return size; }

protected:
    uint32_t size = 0;
};
