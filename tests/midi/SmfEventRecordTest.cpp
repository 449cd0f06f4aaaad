#include "midi/SmfFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Checks, in every hook call, that the record holds nothing but the event:
// stream id 0 and every parameter byte past the event's own bytes zero.
class RecordChecker : public SmfFile {
public:
    int onLongEvent(const MidiEventRecord* r) override
    {
        check(*r, r->event & ~MidiEventRecord::kLongEvent);
        return 1;
    }
    int onShortEvent(const MidiEventRecord* r) override
    {
        check(*r, 0);
        return 1;
    }
    std::vector<std::string> problems;
    int events = 0;

private:
    void check(const MidiEventRecord& r, uint32_t used)
    {
        ++events;
        if (r.streamId != 0) problems.push_back("event " + std::to_string(events) + ": stream id");
        for (uint32_t i = used; i < MidiEventRecord::kParameterSize; ++i) {
            if (r.parameters[i] != 0) {
                problems.push_back("event " + std::to_string(events) + ": parameter byte " + std::to_string(i));
                break;
            }
        }
    }
};

Bytes Sysex(uint32_t delta, size_t dataBytes)
{
    Bytes data(dataBytes, 0x55);
    data.back() = 0xF7;
    return Cat({VarLen(delta), {0xF0}, VarLen(static_cast<uint32_t>(dataBytes)), data});
}

}  // namespace

TEST(SmfEventRecord, EveryEventSeesARecordClearedOfTheEventsBeforeIt)
{
    // A long message, a shorter one, channel events between and after them,
    // and one longer than the record (cut to its 1012 bytes). A message
    // needs 12 bytes and its own rounded up to 4 from its delta-time on, so
    // the last one is followed by events enough.
    TempFile file(SmfWithTrack(Cat({Sysex(0, 40), {0x00, 0x90, 60, 100}, Sysex(10, 12), Sysex(0, 3),
                                    {0x05, 0xC0, 0x07}, Sysex(0, 1500), {0x00, 0x90, 60, 0},
                                    Sysex(0, 2), {0x00, 0x90, 62, 0, 0x00, 0x90, 62, 0},
                                    {0x00, 0xFF, 0x2F, 0x00}})));
    RecordChecker f;
    ASSERT_EQ(0u, f.open(file.path()));
    f.readEvents();
    EXPECT_EQ(10, f.events);
    EXPECT_TRUE(f.problems.empty()) << f.problems.front();
    // A second walk starts from a clear record too.
    f.readEvents();
    EXPECT_EQ(20, f.events);
    EXPECT_TRUE(f.problems.empty()) << f.problems.front();
}
