#pragma once
// BlockPool: hands out fixed-size blocks carved from large chunks of system
// memory (OsAllocateLarge), all given back at once when the pool goes. The
// note lists of one file share a pool: their blocks then lie in a few large
// pages instead of thousands of small ones, each of which would cost a page
// fault. Chunks double from the first up to 16 MiB, so a small file takes
// one chunk and a large one wastes at most the untouched end of the last.
// The first is below the large-page size unless set: of such a chunk only the
// pages touched cost anything, which suits the many tiny files.
#include <cstddef>
#include <vector>

class BlockPool {
public:
    static constexpr size_t kSmallChunk = size_t{512} << 10;
    static constexpr size_t kLargeChunk = size_t{2} << 20;  // the large-page size
    static constexpr size_t kLargestChunk = size_t{16} << 20;

    explicit BlockPool(size_t blockBytes) : blockBytes_(blockBytes) {}
    ~BlockPool();
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    // A block of blockBytes, aligned to 64 bytes; null when the system has no
    // memory left.
    void* allocate();
    // The size of the first chunk, before any block is taken: kLargeChunk
    // for data known to be large.
    void setFirstChunk(size_t bytes) { firstChunk_ = bytes; }

private:
    struct Chunk {
        void* base;
        size_t size;
    };

    size_t blockBytes_;
    size_t firstChunk_ = kSmallChunk;
    std::vector<Chunk> chunks_;
    char* next_ = nullptr;
    char* end_ = nullptr;
};
