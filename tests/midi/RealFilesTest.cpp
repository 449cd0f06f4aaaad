// Files written by other software: each is read to its end agreeing with
// its header and with the reference note lists; where its first track is the
// whole song (format 0, no running status, no note-offs), complete reading
// gives the same lists.
#include "app/errors/ErrorRecord.h"
#include "midi/SmfNoteFile.h"
#include "support/ReferenceNotes.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

TEST(RealFiles, ReadAgreeingWithTheirHeadersTheReferenceAndCompleteReading)
{
    int files = 0, compared = 0;
    for (const std::string& dir : {TestDataDir(), SamplesDir()}) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string path = entry.path().string(), ext = entry.path().extension().string();
            if (ext != ".mid" && ext != ".midi" && ext != ".kar") continue;
            SCOPED_TRACE(path);
            const Bytes b = ReadAll(path);
            SmfNoteFile f, complete;
            ReferenceNotes reference;
            const bool notMidi = path.find("Bad") != std::string::npos;  // named so in the test data
            ASSERT_EQ(notMidi ? kErrorWrongKind : 0u, f.open(path));
            if (notMidi) continue;
            EXPECT_EQ(1, f.readEvents());
            EXPECT_EQ(b[8] << 8 | b[9], f.header().format);
            EXPECT_EQ(b[10] << 8 | b[11], f.header().trackCount);
            EXPECT_EQ(b[12] << 8 | b[13], f.header().division);
            ASSERT_EQ(0u, reference.open(path));
            reference.readEvents();
            for (int c = 0; c < 16; ++c)
                EXPECT_EQ(DescribeNotes(reference.lists[c]), DescribeNotes(f.channelNotes(c))) << c;
            ++files;
            // The first-track reading runs to the file's end; complete reading
            // stops at the declared length, which may be shorter.
            const uint64_t declaredEnd = 16 + uint64_t{f.header().length} + f.chunkHeader().length;
            if (f.header().format != 0 || f.completeReadingHints().any() || declaredEnd < b.size()) continue;
            ASSERT_EQ(0u, complete.open(path));
            complete.readNotes(true);
            for (int c = 0; c < 16; ++c)
                EXPECT_EQ(DescribeNotes(f.channelNotes(c)), DescribeNotes(complete.channelNotes(c))) << c;
            ++compared;
        }
    }
    EXPECT_GE(files, 12);
    EXPECT_GE(compared, 4);
}

namespace {

uint32_t Be(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}

// An independent format 0 conversion that shares no code with the reader:
// the channel events of every track, sorted by time and then track, written
// back as one track ending at the latest track end.
Bytes ToFormat0(const Bytes& in)
{
    struct Timed {
        uint64_t time;
        size_t track;
        Bytes bytes;
    };
    std::vector<Timed> events;
    uint64_t end = 0;
    size_t track = 0;
    for (size_t at = 8 + Be(in, 4, 4); at + 8 <= in.size(); at += 8 + Be(in, at + 4, 4), ++track) {
        size_t p = at + 8;
        const size_t stop = std::min<size_t>(in.size(), p + Be(in, at + 4, 4));
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
    for (const Timed& e : events) {  // appended in place: a copy a time is quadratic
        const Bytes delta = VarLen(static_cast<uint32_t>(e.time - time));
        data.insert(data.end(), delta.begin(), delta.end());
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
        time = e.time;
    }
    data = Cat({data, VarLen(static_cast<uint32_t>(end - time)), {0xFF, 0x2F, 0x00}});
    return Cat({HeaderChunk(0, 1, static_cast<uint16_t>(Be(in, 12, 2))), TrackChunk(data)});
}

}  // namespace

TEST(RealFiles, Format1ReadsCompletelyAsItsFormat0Conversion)
{
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataDir())) {
        const std::string path = entry.path().string();
        SmfNoteFile original, merged;
        if (original.open(path) != 0 || original.header().format != 1) continue;
        SCOPED_TRACE(path);
        original.readNotes(true);
        const TempFile converted(ToFormat0(ReadAll(path)));
        ASSERT_EQ(0u, merged.open(converted.path()));
        merged.readNotes(true);
        size_t notes = 0;
        for (int c = 0; c < 16; ++c) {
            EXPECT_EQ(DescribeNotes(original.channelNotes(c)), DescribeNotes(merged.channelNotes(c))) << c;
            notes += original.channelNotes(c).size();
        }
        EXPECT_GT(notes, 0u);
        ++compared;
    }
    EXPECT_GE(compared, 5);
}
