#pragma once
// The note lists built the straightforward way: every delta-time is added to
// every sounding note and idle time; a note-on ends its key's note and, with
// a velocity, records the idle time as a rest, then the note. Keys of 0x80
// and above are ignored. The tests, fuzz targets and benchmark hold
// SmfNoteFile to it. Beside each record it keeps the absolute ticks (64 bits)
// where it starts and ends, from which ReferenceNormalized scales it.
#include "core/midi/NoteRecord.h"
#include "core/midi/SmfFile.h"

#include <string>
#include <vector>

struct TickSpan {
    uint64_t start, end;
};

class ReferenceNotes : public SmfFile {
public:
    using SmfFile::openMemory;
    int onDeltaTime(uint32_t delta) override;
    int onShortEvent(const MidiEventRecord* record) override;
    std::vector<NoteRecord> lists[16];
    std::vector<TickSpan> spans[16];

private:
    struct Sounding { uint8_t channel, key; size_t index; };
    std::vector<Sounding> sounding_;
    uint32_t idle_[16] = {};
    uint64_t now_ = 0, idleSince_[16] = {};
};

// The reference lists, with every event a walk hands to the hooks written
// down as "d0 s403C90 l80000002" (delta-times, short and long events), the
// long events' bytes one after another, and the first record holding more
// than its event (a stream id, a delta-time other than the one before it,
// bytes of an earlier event) described in `fault`.
class WatchedNotes : public ReferenceNotes {
public:
    int onDeltaTime(uint32_t delta) override;
    int onShortEvent(const MidiEventRecord* record) override;
    int onLongEvent(const MidiEventRecord* record) override;
    void onEventsEnd() override { ++ends; }
    std::string trace, longBytes, fault;
    uint64_t deltas = 0;
    int ends = 0;

private:
    void note(char kind, uint32_t value, const MidiEventRecord* record, uint32_t used);
    uint32_t delta_ = 0;
};

// The normalisation as its rules read, on one channel's records and their
// spans: with a division of ticks per quarter other than 480, each length
// becomes S(end) - S(start) modulo 2^32, S(t) = (t x 480 + division / 2) /
// division in exact arithmetic, and a rest that becomes 0 goes.
std::vector<NoteRecord> ReferenceNormalized(const std::vector<NoteRecord>& list, const std::vector<TickSpan>& spans,
                                            uint16_t division);
