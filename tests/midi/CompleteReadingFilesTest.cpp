// Complete reading on real files: where the two ways of reading must agree,
// and an independent check of the merge against a format 0 conversion made
// here, by code that shares nothing with the reader.
#include "midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::string> MidiFilesIn(const std::string& dir)
{
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".mid" || ext == ".midi" || ext == ".kar") out.push_back(entry.path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string Lists(const SmfNoteFile& notes)
{
    std::string out;
    for (int c = 0; c < 16; ++c)
        for (const NoteRecord& r : notes.channelNotes(c))
            out += std::to_string(c) + ":" + std::to_string(r.key) + "/" + std::to_string(r.velocity) + "/" +
                   std::to_string(r.length) + " ";
    return out;
}

uint32_t Be(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[at + i];
    return v;
}

// The channel events of every track of a well-formed file, sorted into one
// track by time and then track, and written back as format 0 with an
// end-of-track at the latest track end.
Bytes ToFormat0(const Bytes& in)
{
    struct Timed {
        uint64_t time;
        size_t track;
        Bytes bytes;
    };
    std::vector<Timed> events;
    uint64_t end = 0;
    size_t at = 8 + Be(in, 4, 4), track = 0;
    for (; at + 8 <= in.size(); at += 8 + Be(in, at + 4, 4), ++track) {
        size_t p = at + 8;
        const size_t stop = std::min<size_t>(in.size(), p + Be(in, at + 4, 4));
        // Every read stays inside the track: past its end it gives 0.
        auto next = [&]() -> uint8_t { return p < stop ? in[p++] : (p++, 0); };
        auto varLen = [&]() {
            uint32_t v = 0;
            uint8_t b;
            do v = v << 7 | ((b = next()) & 0x7F);
            while (b & 0x80);
            return v;
        };
        uint64_t time = 0;
        uint8_t running = 0;
        while (p < stop) {
            time += varLen();
            const uint8_t status = p < stop && (in[p] & 0x80) ? next() : running;
            if (status == 0xFF && next() == 0x2F) break;
            if (status >= 0xF0) {
                p += varLen();
                continue;
            }
            running = status;
            Bytes event{status, next()};
            if ((status & 0xE0) != 0xC0) event.push_back(next());
            if (p <= stop) events.push_back({time, track, event});
        }
        end = std::max(end, time);
    }
    std::stable_sort(events.begin(), events.end(), [](const Timed& a, const Timed& b) {
        return a.time != b.time ? a.time < b.time : a.track < b.track;
    });
    Bytes data;
    uint64_t time = 0;
    for (const Timed& e : events) {
        const Bytes delta = VarLen(static_cast<uint32_t>(e.time - time));
        data.insert(data.end(), delta.begin(), delta.end());
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
        time = e.time;
    }
    data = Cat({data, VarLen(static_cast<uint32_t>(end - time)), {0xFF, 0x2F, 0x00}});
    return Cat({HeaderChunk(0, 1, static_cast<uint16_t>(Be(in, 12, 2))), TrackChunk(data)});
}

}  // namespace

TEST(CompleteReadingFiles, Format0WithoutRunningStatusOrNoteOffsReadsTheSameBothWays)
{
    int compared = 0;
    for (const std::string& dir : {TestDataDir(), SamplesDir()}) {
        for (const std::string& path : MidiFilesIn(dir)) {
            SmfNoteFile first, complete;
            if (first.open(path) != 0 || complete.open(path) != 0) continue;
            if (first.header().format != 0 || first.completeReadingHints().any()) continue;
            // The first-track reading runs to the file's end; complete reading
            // stops at the declared length, which may be shorter.
            const Bytes bytes = ReadAll(path);
            const uint64_t declaredEnd = 16 + uint64_t{first.header().length} + first.chunkHeader().length;
            first.readNotes(false);
            complete.readNotes(true);
            if (declaredEnd >= bytes.size()) {
                EXPECT_EQ(Lists(first), Lists(complete)) << path;
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 4);
}

TEST(CompleteReadingFiles, Format1ReadsAsItsFormat0Conversion)
{
    int compared = 0;
    for (const std::string& path : MidiFilesIn(TestDataDir())) {
        SmfNoteFile original;
        if (original.open(path) != 0 || original.header().format != 1) continue;
        original.readNotes(true);
        const TempFile converted(ToFormat0(ReadAll(path)));
        SmfNoteFile merged;
        ASSERT_EQ(0u, merged.open(converted.path()));
        merged.readNotes(true);
        EXPECT_EQ(Lists(merged), Lists(original)) << path;
        EXPECT_FALSE(Lists(original).empty()) << path;
        ++compared;
    }
    EXPECT_GE(compared, 5);
}
