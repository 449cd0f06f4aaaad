#include "core/midi/OsFile.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// A handle holds its descriptor plus one, so that descriptor 0 is not null.
const OsHandle kInvalidOsHandle = reinterpret_cast<OsHandle>(~static_cast<uintptr_t>(0));

namespace {

OsHandle FromDescriptor(int fd)
{
    return reinterpret_cast<OsHandle>(static_cast<uintptr_t>(fd) + 1);
}

int ToDescriptor(OsHandle handle)
{
    return static_cast<int>(reinterpret_cast<uintptr_t>(handle) - 1);
}

}  // namespace

OsHandle OsOpenForReading(const char* path)
{
    // Non-blocking, so that a FIFO cannot hang the open; only regular files
    // are files here, as on Windows, where a directory cannot be opened.
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return kInvalidOsHandle;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        errno = ENOENT;
        return kInvalidOsHandle;
    }
    return FromDescriptor(fd);
}

uint32_t OsFileSize(OsHandle file)
{
    struct stat st;
    if (fstat(ToDescriptor(file), &st) != 0) return 0;
    if (static_cast<uint64_t>(st.st_size) >= 0xFFFFFFFFull) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(st.st_size);
}

bool OsReadFile(OsHandle file, void* destination, uint32_t count, uint32_t* bytesRead)
{
    *bytesRead = 0;
    auto* out = static_cast<char*>(destination);
    while (*bytesRead < count) {
        ssize_t n = read(ToDescriptor(file), out + *bytesRead, count - *bytesRead);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        *bytesRead += static_cast<uint32_t>(n);
    }
    return true;
}

bool OsCloseHandle(OsHandle handle)
{
    return close(ToDescriptor(handle)) == 0;
}

OsHandle OsCreateMapping(OsHandle file, uint32_t size)
{
    // Like CreateFileMappingA, an empty file cannot be mapped. The mapping
    // handle is a descriptor of its own, so it outlives a closed file handle.
    if (size == 0) return nullptr;
    int fd = fcntl(ToDescriptor(file), F_DUPFD_CLOEXEC, 0);
    return fd < 0 ? nullptr : FromDescriptor(fd);
}

const uint8_t* OsMapView(OsHandle mapping, uint32_t size)
{
    if (size == 0) return nullptr;
    void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, ToDescriptor(mapping), 0);
    return view == MAP_FAILED ? nullptr : static_cast<const uint8_t*>(view);
}

bool OsUnmapView(const uint8_t* view, uint32_t size)
{
    return munmap(const_cast<uint8_t*>(view), size) == 0;
}

namespace {

constexpr size_t kLargePage = size_t{2} << 20;

}  // namespace

void* OsAllocateLarge(size_t size)
{
    if (size == 0) return nullptr;
    if (size < kLargePage) {
        void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return block == MAP_FAILED ? nullptr : block;
    }
    // Large pages need an aligned start: map one page more, trim both ends.
    void* raw = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kLargePage - 1) & ~(uintptr_t{kLargePage} - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const uintptr_t tail = aligned + size;
    const uintptr_t rawEnd = start + size + kLargePage;
    if (rawEnd > tail) munmap(reinterpret_cast<void*>(tail), rawEnd - tail);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint; small pages if refused
#endif
    return reinterpret_cast<void*>(aligned);
}

void OsFreeLarge(void* block, size_t size)
{
    if (block) munmap(block, size);
}
