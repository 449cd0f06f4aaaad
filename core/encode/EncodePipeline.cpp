#include "core/encode/EncodePipeline.h"

#include "core/encode/LineFormatter.h"
#include "core/midi/OsFile.h"
#include "core/midi/SmfNoteFile.h"

#include <system_error>
#include <thread>

unsigned EncodePipeline::DefaultThreads()
{
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : (n > kMaxThreads ? kMaxThreads : n);
}

EncodePipeline::EncodePipeline(const NoteEncoder& encoder, unsigned threads, size_t blockBytes,
                               size_t threadedRecords)
    : encoder_(encoder), threads_(threads), blockBytes_(blockBytes), threadedRecords_(threadedRecords)
{
}

EncodePipeline::~EncodePipeline()
{
    OsFreeLarge(ring_, ringBytes_);
}

size_t EncodePipeline::chunkRecords(size_t blockBytes) const
{
    // The formatter may use a whole line's capacity after the last line.
    const size_t room = blockBytes > LineFormatter::kLineCapacity ? blockBytes - LineFormatter::kLineCapacity : 0;
    const size_t records = room / encoder_.lineRoom();
    return records ? records : 1;
}

size_t EncodePipeline::format(const Chunk& chunk, char* block) const
{
    return encoder_.encodeRecords(*chunk.list, chunk.first, chunk.count, block);
}

bool EncodePipeline::reserve(size_t bytes)
{
    if (bytes <= ringBytes_) return true;
    OsFreeLarge(ring_, ringBytes_);
    ringBytes_ = 0;
    ring_ = static_cast<char*>(OsAllocateLarge(bytes));
    if (ring_) ringBytes_ = bytes;
    outOfMemory_ = ring_ == nullptr;
    return ring_ != nullptr;
}

bool EncodePipeline::run(const SmfNoteFile& notes, uint32_t channelMask, BlockOutput& out)
{
    outOfMemory_ = false;
    size_t records = 0;
    for (int c = 0; c < SmfNoteFile::kChannels; ++c)
        if (channelMask & (1u << c)) records += notes.channelNotes(c).size();
    // With one formatting thread a large text still gains a writer beside it.
    const bool threaded = records >= threadedRecords_;
    chunkBlockBytes_ = blockBytes_ ? blockBytes_ : (threaded ? kBlockBytes : kSingleBlockBytes);
    // A block must hold a chunk of one record at least.
    const size_t smallest = encoder_.lineRoom() + LineFormatter::kLineCapacity;
    if (chunkBlockBytes_ < smallest) chunkBlockBytes_ = smallest;

    perChunk_ = chunkRecords(chunkBlockBytes_);
    chunkCount_ = 0;
    lists_.clear();
    for (int c = 0; c < SmfNoteFile::kChannels; ++c) {
        const NoteList& list = notes.channelNotes(c);
        if (!(channelMask & (1u << c)) || list.empty()) continue;
        lists_.push_back(&list);
        chunkCount_ += (list.size() + perChunk_ - 1) / perChunk_;
    }
    if (chunkCount_ == 0) return true;
    nextList_ = 0;
    nextFirst_ = 0;
    // The processors are counted only for a text worth threads.
    return threaded && chunkCount_ > 1 ? runThreaded(out, threads_ ? threads_ : DefaultThreads()) : runAlone(out);
}

EncodePipeline::Chunk EncodePipeline::takeChunk()
{
    const NoteList& list = *lists_[nextList_];
    const size_t left = list.size() - nextFirst_;
    const Chunk chunk{&list, nextFirst_, left < perChunk_ ? left : perChunk_};
    nextFirst_ += chunk.count;
    if (nextFirst_ == list.size()) {
        ++nextList_;
        nextFirst_ = 0;
    }
    return chunk;
}

bool EncodePipeline::runAlone(BlockOutput& out)
{
    if (!reserve(chunkBlockBytes_)) return false;
    for (size_t n = 0; n < chunkCount_; ++n)
        if (!out.write(ring_, format(takeChunk(), ring_))) return false;
    return true;
}

bool EncodePipeline::runThreaded(BlockOutput& out, unsigned threads)
{
    blocks_ = kRingBlocks;
    if (!reserve(blocks_ * chunkBlockBytes_)) return false;
    nextChunk_ = 0;
    written_ = 0;
    failed_ = false;
    filledBytes_.assign(blocks_, 0);
    ready_.assign(blocks_, 0);

    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        try {
            workers.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;  // go on with the threads there are
        }
    }
    if (workers.empty()) return runAlone(out);

    bool ok = true;
    for (size_t w = 0; w < chunkCount_ && ok; ++w) {
        const size_t b = w % blocks_;
        size_t bytes;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            filled_.wait(lock, [&] { return ready_[b] != 0; });
            bytes = filledBytes_[b];
        }
        ok = out.write(ring_ + b * chunkBlockBytes_, bytes);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ready_[b] = 0;
            written_ = w + 1;
            if (!ok) failed_ = true;
        }
        freed_.notify_all();
    }
    for (std::thread& worker : workers) worker.join();
    return ok;
}

void EncodePipeline::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (failed_ || nextChunk_ == chunkCount_) return;
        const size_t chunk = nextChunk_++;
        const Chunk records = takeChunk();
        // The chunk's block is free once the chunk a ring before it is written.
        freed_.wait(lock, [&] { return failed_ || chunk < written_ + blocks_; });
        if (failed_) return;
        const size_t b = chunk % blocks_;
        lock.unlock();
        const size_t bytes = format(records, ring_ + b * chunkBlockBytes_);
        lock.lock();
        filledBytes_[b] = bytes;
        ready_[b] = 1;
        filled_.notify_one();
    }
}
