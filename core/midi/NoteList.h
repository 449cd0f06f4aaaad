#pragma once
// NoteList: the records of one channel, in recording order; indexable and
// iterable. Records are kept in blocks of kBlockRecords: one allocation per
// block rather than per record, nothing is moved as the list grows, and at
// most one part-filled block is held beyond what the records need. Blocks
// come from a BlockPool when the list is given one (the pool must outlive
// the list), otherwise from the heap.
#include "core/midi/BlockPool.h"
#include "core/midi/NoteRecord.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

class NoteList {
public:
    static constexpr size_t kBlockShift = 12;
    static constexpr size_t kBlockRecords = size_t{1} << kBlockShift;  // 32 KiB a block

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = NoteRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = const NoteRecord*;
        using reference = const NoteRecord&;

        const_iterator(const NoteList* list, size_t index) : list_(list), index_(index) {}
        reference operator*() const { return (*list_)[index_]; }
        pointer operator->() const { return &(*list_)[index_]; }
        const_iterator& operator++()
        {
            ++index_;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++index_;
            return old;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }
        bool operator!=(const const_iterator& other) const { return index_ != other.index_; }

    private:
        const NoteList* list_;
        size_t index_;
    };

    NoteList() = default;
    NoteList(const NoteList&) = delete;
    NoteList& operator=(const NoteList&) = delete;
    NoteList(NoteList&&) = default;
    NoteList& operator=(NoteList&&) = default;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Blocks are taken from `pool` from now on.
    void usePool(BlockPool* pool) { pool_ = pool; }

    const NoteRecord& operator[](size_t i) const { return blocks_[i >> kBlockShift][i & (kBlockRecords - 1)]; }
    NoteRecord& operator[](size_t i) { return blocks_[i >> kBlockShift][i & (kBlockRecords - 1)]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size_); }

    // The records in runs of consecutive memory: block i holds
    // blockLength(i) records from blockData(i).
    size_t blockCount() const { return (size_ + kBlockRecords - 1) >> kBlockShift; }
    const NoteRecord* blockData(size_t i) const { return blocks_[i]; }
    size_t blockLength(size_t i) const
    {
        return i + 1 < blockCount() ? kBlockRecords : size_ - (i << kBlockShift);
    }

    // Appends a record and returns it; it stays where it is for the
    // list's whole life.
    NoteRecord* push_back(const NoteRecord& record)
    {
        if (tail_ == tailEnd_) {
            tail_ = pool_ ? static_cast<NoteRecord*>(pool_->allocate()) : nullptr;
            if (!tail_) {
                owned_.emplace_back(new NoteRecord[kBlockRecords]);
                tail_ = owned_.back().get();
            }
            blocks_.push_back(tail_);
            tailEnd_ = tail_ + kBlockRecords;
        }
        ++size_;
        *tail_ = record;
        return tail_++;
    }

private:
    std::vector<NoteRecord*> blocks_;
    std::vector<std::unique_ptr<NoteRecord[]>> owned_;  // the blocks not from the pool
    BlockPool* pool_ = nullptr;
    size_t size_ = 0;
    NoteRecord* tail_ = nullptr;     // where the next record goes
    NoteRecord* tailEnd_ = nullptr;  // the end of the last block
};
