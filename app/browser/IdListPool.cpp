#include "app/browser/IdListPool.h"

#include <shlobj.h>

#include <cstring>

namespace {

// One allocator reference shared by every live pool; taken by the first pool
// and released by the last one.
IMalloc* gAllocator = nullptr;
int gLivePools = 0;
ShellAllocatorSource gSource = &SHGetMalloc;

USHORT IdSize(LPCITEMIDLIST id)
{
    USHORT size;
    std::memcpy(&size, id, sizeof size);  // ids are not aligned
    return size;
}

}  // namespace

UINT IdListSize(LPCITEMIDLIST list)
{
    if (!list) return 0;
    UINT size = 2;
    for (LPCITEMIDLIST id = list; id && IdSize(id) != 0; id = NextId(id)) size += IdSize(id);
    return size;
}

LPITEMIDLIST NextId(LPCITEMIDLIST id)
{
    if (!id) return nullptr;
    const USHORT size = IdSize(id);
    if (size == 0) return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(id)) + size);
}

ShellAllocatorSource SetShellAllocatorSource(ShellAllocatorSource source)
{
    const ShellAllocatorSource previous = gSource;
    gSource = source ? source : &SHGetMalloc;
    return previous;
}

IdListPool::IdListPool()
{
    if (!gAllocator && FAILED(gSource(&gAllocator))) gAllocator = nullptr;
    ++gLivePools;
}

IdListPool::~IdListPool()
{
    if (gAllocator) {
        for (void* block : blocks_) gAllocator->Free(block);
    }
    blocks_.clear();
    index_.clear();
    if (--gLivePools <= 0) {
        gLivePools = 0;
        if (gAllocator) gAllocator->Release();
        gAllocator = nullptr;
    }
}

void* IdListPool::Alloc(ULONG size)
{
    if (!gAllocator) return nullptr;
    void* block = gAllocator->Alloc(size);
    if (!block) return nullptr;
    index_[block] = blocks_.insert(blocks_.end(), block);
    return block;
}

void IdListPool::Free(void* block)
{
    if (!block) return;
    const auto found = index_.find(block);
    if (found != index_.end()) {
        blocks_.erase(found->second);
        index_.erase(found);
    }
    if (gAllocator) gAllocator->Free(block);
}

LPITEMIDLIST IdListPool::CloneIdList(LPCITEMIDLIST list)
{
    const UINT size = IdListSize(list);
    BYTE* block = static_cast<BYTE*>(Alloc(size + 2));
    if (!block) return nullptr;
    std::memset(block, 0, size + 2);
    if (size) std::memcpy(block, list, size);
    return reinterpret_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST IdListPool::CloneFirstId(LPCITEMIDLIST list)
{
    if (!list || IdSize(list) == 0) return nullptr;
    const UINT size = IdSize(list);
    BYTE* block = static_cast<BYTE*>(Alloc(size + 2));
    if (!block) return nullptr;
    std::memset(block, 0, size + 2);
    std::memcpy(block, list, size);
    return reinterpret_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST IdListPool::ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    const UINT firstIds = first ? IdListSize(first) - 2 : 0;
    const UINT secondSize = IdListSize(second);
    const UINT total = firstIds + secondSize + 2;
    BYTE* block = static_cast<BYTE*>(Alloc(total));
    if (!block) return nullptr;
    std::memset(block, 0, total);
    if (firstIds) std::memcpy(block, first, firstIds);
    if (secondSize) std::memcpy(block + firstIds, second, secondSize);
    return reinterpret_cast<LPITEMIDLIST>(block);
}
