#include "core/midi/BlockPool.h"

#include "core/midi/OsFile.h"

BlockPool::~BlockPool()
{
    for (const Chunk& chunk : chunks_) OsFreeLarge(chunk.base, chunk.size);
}

void* BlockPool::allocate()
{
    const size_t bytes = (blockBytes_ + 63) & ~size_t{63};
    if (static_cast<size_t>(end_ - next_) < bytes) {
        size_t size = chunks_.empty() ? firstChunk_ : chunks_.back().size * 2;
        if (size > kLargestChunk) size = kLargestChunk;
        if (size < bytes) size = bytes;
        void* base = OsAllocateLarge(size);
        if (!base) return nullptr;
        chunks_.push_back({base, size});
        next_ = static_cast<char*>(base);
        end_ = next_ + size;
    }
    void* block = next_;
    next_ += bytes;
    return block;
}
