// Item id lists and the pool, against a counting allocator.
#include "app/browser/IdListPool.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <map>
#include <vector>

namespace {

// Counts references and live blocks with their sizes; records the order
// blocks come back in.
struct CountingMalloc : IMalloc {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override
    {
        void* block = failAlloc ? nullptr : CoTaskMemAlloc(size);
        if (block) live[block] = size;
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
    std::map<void*, SIZE_T> live;
    std::vector<void*> freed;
};

CountingMalloc* gCounting = nullptr;

HRESULT WINAPI CountingSource(IMalloc** out)
{
    ++gCounting->taken;
    gCounting->AddRef();
    *out = gCounting;
    return S_OK;
}

class IdListPoolTest : public ::testing::Test {
protected:
    void SetUp() override { gCounting = &allocator, previous = SetShellAllocatorSource(&CountingSource); }
    void TearDown() override { SetShellAllocatorSource(previous); }
    CountingMalloc allocator;
    ShellAllocatorSource previous = nullptr;
};

using Bytes = std::vector<BYTE>;
// Lists as bytes: ids of sizes 4, 5, 6 (a three-id list), 3 and 4, 6.
const Bytes kNone, kEmpty = {0, 0}, kThree = {4, 0, 1, 1, 5, 0, 2, 2, 2, 6, 0, 3, 3, 3, 3, 0, 0},
                   kTwo = {3, 0, 1, 4, 0, 2, 2, 0, 0}, kOne = {6, 0, 1, 1, 1, 1, 0, 0};

LPCITEMIDLIST AsList(const Bytes& bytes)
{
    return bytes.empty() ? nullptr : reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

TEST_F(IdListPoolTest, CopiesHoldTheirIdsFollowedByZeroBytes)
{
    enum Operation { kClone, kFirst, kConcat };
    const struct {
        Operation operation;
        const Bytes &first, &second;
        Bytes expected;  // the whole block; empty: no block
    } cases[] = {
        {kClone, kNone, kNone, {0, 0}},
        {kClone, kEmpty, kNone, {0, 0, 0, 0}},
        {kClone, kThree, kNone, Bytes{4, 0, 1, 1, 5, 0, 2, 2, 2, 6, 0, 3, 3, 3, 3, 0, 0, 0, 0}},
        {kFirst, kEmpty, kNone, {}},
        {kFirst, kThree, kNone, {4, 0, 1, 1, 0, 0}},
        {kConcat, kEmpty, kOne, {6, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
        {kConcat, kTwo, kNone, {3, 0, 1, 4, 0, 2, 2, 0, 0}},
        {kConcat, kTwo, kOne, {3, 0, 1, 4, 0, 2, 2, 6, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
    };
    IdListPool pool;
    for (const auto& c : cases) {
        const LPITEMIDLIST copy = c.operation == kClone  ? pool.CloneIdList(AsList(c.first))
                                  : c.operation == kFirst ? pool.CloneFirstId(AsList(c.first))
                                                          : pool.ConcatIdLists(AsList(c.first), AsList(c.second));
        if (c.expected.empty()) {
            EXPECT_EQ(copy, nullptr);
            continue;
        }
        ASSERT_TRUE(copy && allocator.live.count(copy)) << "a block of the pool";
        ASSERT_EQ(allocator.live[copy], c.expected.size());
        const BYTE* bytes = reinterpret_cast<const BYTE*>(copy);
        EXPECT_EQ(Bytes(bytes, bytes + c.expected.size()), c.expected);
    }
}

TEST_F(IdListPoolTest, EveryBlockAndTheAllocatorComeBackOnceInHandOutOrder)
{
    std::vector<void*> blocks, kept;
    {
        IdListPool pool;
        for (int i = 0; i < 30000; ++i) blocks.push_back(pool.Alloc(4));
        for (size_t i = blocks.size(); i-- > 0;) {
            if (i % 3 == 0) pool.Free(blocks[i]);
        }
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
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (i % 3 != 0) kept.push_back(blocks[i]);
    }
    EXPECT_EQ(allocator.freed, kept);
    IdListPool again;
    EXPECT_EQ(allocator.taken, 2);
    allocator.failAlloc = true;
    EXPECT_EQ(again.CloneIdList(AsList(kOne)), nullptr);
    EXPECT_EQ(again.BlockCount(), 0u);
}

}  // namespace
