#pragma once
// KvGlobalMemory: a global memory block meant to be handed over (to the
// clipboard, which then owns it); the wrapper never frees it.
#include <windows.h>

class KvGlobalMemory {
public:
    KvGlobalMemory();
    virtual ~KvGlobalMemory();

    [[nodiscard]] HGLOBAL Alloc(UINT flags, SIZE_T bytes);
    [[nodiscard]] LPVOID Lock();
    BOOL Unlock();
    HGLOBAL GetHandle() const { return memory_; }

private:
    HGLOBAL memory_ = nullptr;
};
