#pragma once
// EncodePipeline: the encoder's text of a whole file (the bytes of
// NoteEncoder::encodeNotes), written in order through a small ring of output
// blocks. The selected channels' note lists are cut into chunks of records
// whose text is sure to fit one block; worker threads format chunks into
// free blocks, and the calling thread writes the blocks strictly in chunk
// order, handing each back to the ring once it is written. Memory is the ring,
// whatever the size of the file and the number of threads.
//
// Texts of fewer than kThreadedRecords lines are done by the calling thread
// alone, through one block: starting threads would cost them more than it
// saves. Larger ones always have the ring and the calling thread as writer,
// whatever the number of formatting threads, one included.
#include "core/encode/NoteEncoder.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class SmfNoteFile;

// Where the blocks go, in order; false when a block could not be written.
class BlockOutput {
public:
    virtual ~BlockOutput() = default;
    virtual bool write(const char* data, size_t size) = 0;
};

class EncodePipeline {
public:
    static constexpr size_t kBlockBytes = size_t{256} << 10;
    static constexpr size_t kSingleBlockBytes = size_t{64} << 10;
    static constexpr size_t kRingBlocks = 8;
    static constexpr size_t kThreadedRecords = size_t{1} << 16;
    static constexpr unsigned kMaxThreads = 8;

    // The formatting threads to use by default: one a processor, at most
    // kMaxThreads.
    static unsigned DefaultThreads();

    // threads: how many threads format a large text (0: DefaultThreads()). blockBytes: the size of each block of the ring (0: the
    // defaults above); it decides how many records a chunk holds.
    // threadedRecords: the fewest records that are worth threads.
    EncodePipeline(const NoteEncoder& encoder, unsigned threads, size_t blockBytes = 0,
                   size_t threadedRecords = kThreadedRecords);
    ~EncodePipeline();
    EncodePipeline(const EncodePipeline&) = delete;
    EncodePipeline& operator=(const EncodePipeline&) = delete;

    // Writes the lines of every selected channel, channel 0 first. False
    // when a write failed (or no memory was had for the ring); nothing is
    // written after a failed write, and every thread has ended on return.
    bool run(const SmfNoteFile& notes, uint32_t channelMask, BlockOutput& out);

    // True when the last run failed for want of memory for its ring.
    bool outOfMemory() const { return outOfMemory_; }

    // The records of one chunk with blocks of `blockBytes`.
    size_t chunkRecords(size_t blockBytes) const;

private:
    struct Chunk {
        const NoteList* list;
        size_t first;
        size_t count;
    };

    // The records of the next chunk, in the order of the text.
    Chunk takeChunk();
    bool runAlone(BlockOutput& out);
    bool runThreaded(BlockOutput& out, unsigned threads);
    void work();
    size_t format(const Chunk& chunk, char* block) const;
    bool reserve(size_t bytes);

    const NoteEncoder& encoder_;
    unsigned threads_;
    size_t blockBytes_;
    size_t threadedRecords_;

    std::vector<const NoteList*> lists_;  // the selected channels' lists with records
    size_t perChunk_ = 0;
    size_t chunkCount_ = 0;
    size_t nextList_ = 0;   // where the next chunk starts (taken under the lock when threaded)
    size_t nextFirst_ = 0;
    char* ring_ = nullptr;
    size_t ringBytes_ = 0;
    size_t blocks_ = 0;          // blocks in the ring, for this run
    size_t chunkBlockBytes_ = 0; // bytes of one block, for this run
    bool outOfMemory_ = false;

    std::mutex mutex_;
    std::condition_variable filled_;  // a block is ready to be written
    std::condition_variable freed_;   // a block was written, or a write failed
    size_t nextChunk_ = 0;            // the next chunk a worker takes
    size_t written_ = 0;              // chunks written
    bool failed_ = false;
    std::vector<size_t> filledBytes_;  // per block: its text's bytes
    std::vector<char> ready_;          // per block: formatted, not yet written
};
