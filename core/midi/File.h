#pragma once
// File: a named file read through an owned FileHandle; DiskFile and
// MappedFile give it a body.
#include "core/midi/FileHandle.h"

#include <cstdint>
#include <string>

class File {
public:
    File();
    virtual ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    virtual uint32_t open(std::string path) = 0;
    virtual uint32_t close() = 0;
    // True while the file handle is neither null nor the invalid value.
    virtual bool isOpen() const;
    virtual uint32_t read(void* destination, uint32_t count, uint32_t& bytesRead) = 0;

    const std::string& fileName() const { return name; }

protected:
    std::string name;  // the path of the last successful open
    bool ownsHandle;
    FileHandle* handle;
};
