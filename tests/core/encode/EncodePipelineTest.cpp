// The ordered pipeline: the encoder's own bytes whatever the threads and
// wherever the chunks end, and a failed write that ends the run.
#include "core/encode/EncodePipeline.h"
#include "core/midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Lines : LineSink {
    void appendLine(const char* line, size_t length) override { text.append(line, length) += "\r\n"; }
    std::string text;
};

// Keeps what is written; the write numbered failAt (from 1) fails.
struct Blocks : BlockOutput {
    bool write(const char* data, size_t size) override
    {
        if (++writes == failAt) return false;
        text.append(data, size);
        return true;
    }
    std::string text;
    size_t writes = 0, failAt = 0;
};

// Channel c holds records[c] notes, all at tick 0 (so no rests), each line
// different from its neighbours.
Bytes Song(const std::vector<size_t>& records)
{
    Bytes track;
    for (size_t c = 0; c < records.size(); ++c)
        for (size_t i = 0; i < records[c]; ++i) {
            const uint8_t status = static_cast<uint8_t>(0x90 | c), key = static_cast<uint8_t>(i * 7 % 128);
            track.insert(track.end(), {0x00, status, key, static_cast<uint8_t>(1 + i / 128 % 127), 0x00, status, key, 0});
        }
    return SmfWithTrack(Cat({track, {0x00, 0xFF, 0x2F, 0x00}}));
}

const size_t kBlock = 4096;  // a few dozen lines a chunk

// The calling thread alone, and the ring with one to four formatting threads.
const struct Threads {
    const char* name;
    unsigned threads;
    size_t threadedRecords;
} kThreads[] = {{"alone", 1, SIZE_MAX}, {"1 thread", 1, 0}, {"2 threads", 2, 0}, {"4 threads", 4, 0}};

}  // namespace

TEST(EncodePipeline, ThreadsWriteTheEncodersBytesAcrossChunkBoundaries)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    const size_t k = EncodePipeline(encoder, 1).chunkRecords(kBlock);
    ASSERT_GT(k, 10u);
    const std::vector<std::vector<size_t>> cases = {
        {k - 1}, {k}, {k + 1}, {3 * k}, {0, 3 * k + 5, 1, 0, 2 * k}, {k, 1, k - 1, k + 1, 20 * k + 3},
    };
    for (const std::vector<size_t>& records : cases) {
        ReaderOn<SmfNoteFile> notes(Song(records));
        notes.readEvents();
        size_t chunks = 0;
        for (size_t c = 0; c < records.size(); ++c) {
            ASSERT_EQ(records[c], notes.channelNotes(static_cast<int>(c)).size());
            chunks += (records[c] + k - 1) / k;
        }
        Lines expected;
        encoder.encodeNotes(notes, 0xFFFF, expected);
        for (const Threads& t : kThreads) {
            EncodePipeline pipeline(encoder, t.threads, kBlock, t.threadedRecords);
            Blocks out;
            EXPECT_TRUE(pipeline.run(notes, 0xFFFF, out));
            EXPECT_EQ(expected.text, out.text) << records.size() << " channels, " << t.name;
            EXPECT_EQ(chunks, out.writes) << records.size() << " channels, " << t.name;
        }
    }
}

TEST(EncodePipeline, FailedWriteEndsTheRunAndNothingFollowsIt)
{
    const NoteEncoder encoder(NoteEncoder::kDefaultFormat1, NoteEncoder::kDefaultFormat2);
    ReaderOn<SmfNoteFile> notes(Song({2000, 2000}));
    notes.readEvents();
    for (const Threads& t : kThreads)
        for (size_t failAt : {1u, 2u, 30u}) {  // the first, the second, one after the ring has gone round
            EncodePipeline pipeline(encoder, t.threads, kBlock, t.threadedRecords);
            Blocks out;
            out.failAt = failAt;
            EXPECT_FALSE(pipeline.run(notes, 0xFFFF, out)) << t.name;
            EXPECT_EQ(failAt, out.writes) << t.name;
        }
}
