#pragma once
// The operating-system calls of file access, with one body per platform:
// CreateFileA / GetFileSize / ReadFile / CreateFileMappingA / MapViewOfFile on
// Windows, open / fstat / read / mmap elsewhere. Handles are opaque pointer-
// sized values; null is "no handle" and kInvalidOsHandle is what a failed
// open returns (the platform's invalid handle value).
#include <cstddef>
#include <cstdint>

using OsHandle = void*;
extern const OsHandle kInvalidOsHandle;

// Opens an existing file for reading, sharing it for reading only.
OsHandle OsOpenForReading(const char* path);
// The file's size; a file of 4 GiB or more reports 0xFFFFFFFF.
uint32_t OsFileSize(OsHandle file);
bool OsReadFile(OsHandle file, void* destination, uint32_t count, uint32_t* bytesRead);
bool OsCloseHandle(OsHandle handle);
// A read-only mapping of the file's first `size` bytes; null on failure
// (for example for an empty file).
OsHandle OsCreateMapping(OsHandle file, uint32_t size);
// A read-only view of the mapping's first `size` bytes; null on failure.
const uint8_t* OsMapView(OsHandle mapping, uint32_t size);
bool OsUnmapView(const uint8_t* view, uint32_t size);

// Large blocks of zeroed memory straight from the system, for data that
// grows by megabytes (the note lists, the encoder's output ring). Where the
// system offers large pages they are asked for: a page fault costs as much
// as encoding a hundred notes, and a large page takes one fault for 2 MiB.
// Null on failure; freed with the size it was allocated with.
void* OsAllocateLarge(size_t size);
void OsFreeLarge(void* block, size_t size);
