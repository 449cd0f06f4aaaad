#pragma once
// An SmfFile that writes down what readEvents hands to its hooks, and checks
// in every call that the record holds nothing but the event: stream id 0 and
// every parameter byte past the event's own bytes zero.
#include "midi/SmfFile.h"

#include <cstdint>
#include <string>
#include <vector>

struct SeenEvent {
    char kind;          // 'd' delta-time, 's' short event, 'l' long event
    uint32_t value;     // the delta-time or the event word
    uint32_t deltaTime; // the record's delta-time
    std::vector<uint8_t> parameters;  // long events: the bytes the length covers
    bool operator==(const SeenEvent& o) const
    {
        return kind == o.kind && value == o.value && deltaTime == o.deltaTime && parameters == o.parameters;
    }
};

class RecordingSmfFile : public SmfFile {
public:
    using SmfFile::openMemory;  // reads bytes in memory as if they were a file

    int onDeltaTime(uint32_t d) override
    {
        seen.push_back({'d', d, 0, {}});
        return 1;
    }
    int onShortEvent(const MidiEventRecord* r) override
    {
        seen.push_back({'s', r->event, r->deltaTime, {}});
        checkRecord(*r, 0);
        return 1;
    }
    int onLongEvent(const MidiEventRecord* r) override
    {
        const uint32_t n = r->event & 0x7FFFFFFF;
        seen.push_back({'l', r->event, r->deltaTime, std::vector<uint8_t>(r->parameters, r->parameters + n)});
        checkRecord(*r, n);
        return 1;
    }
    void onEventsEnd() override { ++ends; }

    // Only the kinds and values, as "d0 s3C4090 ..." for readable failures.
    std::string trace() const
    {
        std::string out;
        char buffer[32];
        for (const SeenEvent& e : seen) {
            std::snprintf(buffer, sizeof buffer, "%s%c%X", out.empty() ? "" : " ", e.kind, e.value);
            out += buffer;
        }
        return out;
    }

    std::vector<SeenEvent> seen;
    int ends = 0;
    int uncleanRecords = 0;

private:
    void checkRecord(const MidiEventRecord& r, uint32_t used)
    {
        bool clean = r.streamId == 0;
        for (uint32_t i = used; i < MidiEventRecord::kParameterSize && clean; ++i) clean = r.parameters[i] == 0;
        if (!clean) ++uncleanRecords;
    }
};
