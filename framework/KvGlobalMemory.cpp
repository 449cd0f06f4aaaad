#include "framework/KvGlobalMemory.h"

KvGlobalMemory::KvGlobalMemory() = default;
KvGlobalMemory::~KvGlobalMemory() = default;

HGLOBAL KvGlobalMemory::Alloc(UINT flags, SIZE_T bytes)
{
    memory_ = GlobalAlloc(flags, bytes);
    return memory_;
}

LPVOID KvGlobalMemory::Lock() { return GlobalLock(memory_); }

BOOL KvGlobalMemory::Unlock() { return GlobalUnlock(memory_); }
