#pragma once
// Item id lists and IdListPool. An id list is the shell's chain of
// size-prefixed ids ended by a zero size; the list functions only measure,
// walk, copy and join them. IdListPool hands out blocks of the shell
// allocator and keeps every block it handed out until it is given back, so
// whatever its owner forgets goes back to the allocator with the pool.
#include <windows.h>
#include <objidl.h>
#include <shtypes.h>

#include <cstddef>
#include <list>
#include <unordered_map>

// Size in bytes including the two-byte terminator (2 for the empty list),
// 0 for none.
UINT IdListSize(LPCITEMIDLIST list);
// The id after `id`, or none when `id` is the terminator (or none).
LPITEMIDLIST NextId(LPCITEMIDLIST id);

// Where pools get the process's shell allocator from (SHGetMalloc unless a
// test puts its own source in). Returns the previous source.
using ShellAllocatorSource = HRESULT(WINAPI*)(IMalloc** allocator);
ShellAllocatorSource SetShellAllocatorSource(ShellAllocatorSource source);

class IdListPool {
public:
    IdListPool();
    virtual ~IdListPool();
    IdListPool(const IdListPool&) = delete;
    IdListPool& operator=(const IdListPool&) = delete;

    // A new block of `size` bytes (content undefined); null when the shell
    // allocator has none to give.
    void* Alloc(ULONG size);
    // Gives `block` to the shell allocator; the pool forgets it if it held it.
    // Blocks the pool never handed out (children of an enumerator) go to the
    // allocator all the same.
    void Free(void* block);

    // Copies made from this pool; null only when allocation fails (and for
    // CloneFirstId of none or of the empty list).
    LPITEMIDLIST CloneIdList(LPCITEMIDLIST list);
    LPITEMIDLIST CloneFirstId(LPCITEMIDLIST list);
    LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second);

    // Blocks handed out and not yet given back.
    size_t BlockCount() const { return blocks_.size(); }

private:
    // The blocks in the order they were handed out, with an index so that
    // giving one back does not search the list.
    std::list<void*> blocks_;
    std::unordered_map<void*, std::list<void*>::iterator> index_;
};
