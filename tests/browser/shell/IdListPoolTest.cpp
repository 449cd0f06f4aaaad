// Item id lists and the pool, against a counting allocator.
#include "browser/shell/IdListPool.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <vector>

namespace {

// An IMalloc that counts its references and live blocks and records the
// order in which blocks come back.
class CountingMalloc : public IMalloc {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override
    {
        if (failAlloc) return nullptr;
        void* block = CoTaskMemAlloc(size);
        live.insert(block);
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
    void SetUp() override
    {
        gCounting = &allocator;
        previous = SetShellAllocatorSource(&CountingSource);
    }
    void TearDown() override { SetShellAllocatorSource(previous); }

    CountingMalloc allocator;
    ShellAllocatorSource previous = nullptr;
};

// An id list of ids with the given sizes; each id's bytes after its size
// field hold its position, so copies can be told apart.
std::vector<BYTE> MakeList(std::initializer_list<USHORT> sizes)
{
    std::vector<BYTE> bytes;
    BYTE mark = 1;
    for (USHORT size : sizes) {
        bytes.push_back(static_cast<BYTE>(size & 0xFF));
        bytes.push_back(static_cast<BYTE>(size >> 8));
        bytes.insert(bytes.end(), size - 2, mark++);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes)
{
    return bytes.empty() ? nullptr : reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

std::vector<BYTE> BytesOf(LPCITEMIDLIST list, size_t size)
{
    const BYTE* start = reinterpret_cast<const BYTE*>(list);
    return std::vector<BYTE>(start, start + size);
}

TEST(IdList, SizeCountsEveryIdAndTheTerminator)
{
    const struct {
        std::vector<BYTE> list;
        UINT size;
    } cases[] = {
        {{}, 0},
        {MakeList({}), 2},
        {MakeList({20, 14}), 36},
        {MakeList({3, 300, 5}), 310},
    };
    for (const auto& c : cases) EXPECT_EQ(IdListSize(AsList(c.list)), c.size);
}

TEST(IdList, NextIdWalksToTheTerminatorAndStops)
{
    const std::vector<BYTE> list = MakeList({20, 14});
    const LPCITEMIDLIST first = AsList(list);
    const LPCITEMIDLIST second = NextId(first);
    ASSERT_EQ(reinterpret_cast<const BYTE*>(second), list.data() + 20);
    const LPCITEMIDLIST end = NextId(second);
    ASSERT_EQ(reinterpret_cast<const BYTE*>(end), list.data() + 34);
    EXPECT_EQ(NextId(end), nullptr);
    EXPECT_EQ(NextId(nullptr), nullptr);
}

TEST_F(IdListPoolTest, CopiesHoldTheirIdsFollowedByZeroBytes)
{
    const std::vector<BYTE> none, empty = MakeList({}), one = MakeList({6}),
                                  three = MakeList({4, 5, 6}), two = MakeList({3, 4});
    enum Operation { kClone, kFirst, kConcat };
    const struct {
        Operation operation;
        const std::vector<BYTE>* first;
        const std::vector<BYTE>* second;
        std::vector<BYTE> expected;  // empty: no block
    } cases[] = {
        {kClone, &none, nullptr, {0, 0}},
        {kClone, &empty, nullptr, {0, 0, 0, 0}},
        {kClone, &three, nullptr, {4, 0, 1, 1, 5, 0, 2, 2, 2, 6, 0, 3, 3, 3, 3, 0, 0, 0, 0}},
        {kFirst, &none, nullptr, {}},
        {kFirst, &empty, nullptr, {}},
        {kFirst, &three, nullptr, {4, 0, 1, 1, 0, 0, 0, 0}},
        {kConcat, &empty, &one, {6, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
        {kConcat, &none, &one, {6, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
        {kConcat, &two, &none, {3, 0, 1, 4, 0, 2, 2, 0, 0}},
        {kConcat, &two, &one, {3, 0, 1, 4, 0, 2, 2, 6, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
    };
    IdListPool pool;
    for (const auto& c : cases) {
        LPITEMIDLIST copy = nullptr;
        switch (c.operation) {
        case kClone: copy = pool.CloneIdList(AsList(*c.first)); break;
        case kFirst: copy = pool.CloneFirstId(AsList(*c.first)); break;
        case kConcat: copy = pool.ConcatIdLists(AsList(*c.first), AsList(*c.second)); break;
        }
        if (c.expected.empty()) {
            EXPECT_EQ(copy, nullptr);
            continue;
        }
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(BytesOf(copy, c.expected.size()), c.expected);
        EXPECT_TRUE(allocator.live.count(copy)) << "the copy is a block of the pool";
    }
}

TEST_F(IdListPoolTest, FreeOfAForeignBlockGoesToTheAllocatorAndKeepsThePool)
{
    IdListPool pool;
    void* own = pool.Alloc(8);
    void* foreign = allocator.Alloc(8);
    pool.Free(foreign);
    EXPECT_EQ(allocator.live.count(foreign), 0u);
    EXPECT_EQ(pool.BlockCount(), 1u);
    EXPECT_EQ(allocator.live.count(own), 1u);
}

TEST_F(IdListPoolTest, EveryBlockComesBackOnceInHandOutOrder)
{
    std::vector<void*> blocks;
    {
        IdListPool pool;
        for (int i = 0; i < 30000; ++i) blocks.push_back(pool.Alloc(4));
        // Give back every third block, from the back, as rows are deleted.
        for (size_t i = blocks.size(); i-- > 0;) {
            if (i % 3 == 0) pool.Free(blocks[i]);
        }
        EXPECT_EQ(pool.BlockCount(), 20000u);
        allocator.freed.clear();
    }
    EXPECT_TRUE(allocator.live.empty());
    std::vector<void*> rest;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (i % 3 != 0) rest.push_back(blocks[i]);
    }
    EXPECT_EQ(allocator.freed, rest);
}

TEST_F(IdListPoolTest, LastPoolReleasesTheAllocatorAndTheNextTakesItAgain)
{
    {
        IdListPool outer;
        { IdListPool inner; }
        EXPECT_EQ(allocator.references, 1u) << "a live pool keeps the allocator";
        EXPECT_EQ(allocator.taken, 1);
    }
    EXPECT_EQ(allocator.references, 0u);
    IdListPool again;
    EXPECT_EQ(allocator.taken, 2);
    EXPECT_EQ(allocator.references, 1u);
}

TEST_F(IdListPoolTest, FailedAllocationGivesNoBlockAndNoCopy)
{
    IdListPool pool;
    allocator.failAlloc = true;
    const std::vector<BYTE> list = MakeList({6});
    EXPECT_EQ(pool.Alloc(8), nullptr);
    EXPECT_EQ(pool.CloneIdList(AsList(list)), nullptr);
    EXPECT_EQ(pool.ConcatIdLists(AsList(list), AsList(list)), nullptr);
    EXPECT_EQ(pool.BlockCount(), 0u);
}

}  // namespace
