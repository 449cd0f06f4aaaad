// The pool against a counting allocator. (How copies of id lists are laid
// out shows in the tree's and the list's tests: their paths come from them.)
#include "app/browser/IdListPool.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <set>
#include <vector>

namespace {

// Counts references and live blocks; records the blocks that come back.
struct CountingMalloc : IMalloc {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override
    {
        void* block = failAlloc ? nullptr : CoTaskMemAlloc(size);
        if (block) live.insert(block);
        return block;
    }
    void* STDMETHODCALLTYPE Realloc(void*, SIZE_T) override { return nullptr; }
    void STDMETHODCALLTYPE Free(void* block) override
    {
        live.erase(block);
        freed.push_back(block);
        CoTaskMemFree(block);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void*) override { return 0; }
    int STDMETHODCALLTYPE DidAlloc(void*) override { return -1; }
    void STDMETHODCALLTYPE HeapMinimize() override {}

    ULONG references = 0;
    int taken = 0;
    bool failAlloc = false;
    std::set<void*> live;
    std::vector<void*> freed;
};

CountingMalloc allocator;

TEST(IdListPoolTest, EveryBlockAndTheAllocatorComeBackOnce)
{
    const ShellAllocatorSource previous = SetShellAllocatorSource([](IMalloc** out) {
        ++allocator.taken;
        allocator.AddRef();
        *out = &allocator;
        return S_OK;
    });
    std::vector<void*> blocks;
    {
        IdListPool pool;
        for (int i = 0; i < 30000; ++i) blocks.push_back(pool.Alloc(4));
        for (size_t i = blocks.size(); i-- > 0;)
            if (i % 3 == 0) pool.Free(blocks[i]);
        void* foreign = allocator.Alloc(8);
        pool.Free(foreign);  // not the pool's: to the allocator, the pool unchanged
        EXPECT_EQ(allocator.live.count(foreign), 0u);
        EXPECT_EQ(pool.BlockCount(), 20000u);
        allocator.freed.clear();
        { IdListPool inner; }  // the last pool releases the allocator, the next takes it again
        EXPECT_EQ(allocator.references, 1u);
        EXPECT_EQ(allocator.taken, 1);
    }
    EXPECT_TRUE(allocator.live.empty());
    EXPECT_EQ(allocator.references, 0u);
    EXPECT_EQ(allocator.freed.size(), 20000u);
    IdListPool again;
    EXPECT_EQ(allocator.taken, 2);
    allocator.failAlloc = true;
    const BYTE empty[2] = {};
    EXPECT_EQ(again.CloneIdList(reinterpret_cast<LPCITEMIDLIST>(empty)), nullptr);
    EXPECT_EQ(again.BlockCount(), 0u);
    SetShellAllocatorSource(previous);
}

}  // namespace
