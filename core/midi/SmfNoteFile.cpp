#include "core/midi/SmfNoteFile.h"

SmfNoteFile::SmfNoteFile()
{
    for (NoteList& list : channelNotes_) list.usePool(&blocks_);
}

SmfNoteFile::~SmfNoteFile() = default;

int SmfNoteFile::readNotes(bool complete, bool normalize)
{
    scale_ = ResolutionScale(normalize ? header().division : ResolutionScale::kTicksPerQuarter);
    scaledTick_ = elapsed();
    scaled_ = scale_.at(scaledTick_);
    // Past a few thousand notes, clearing one large page costs less than
    // the faults of the small pages the records would touch.
    if (dataSize() >= kSmallFile) blocks_.setFirstChunk(BlockPool::kLargeChunk);
    noteOffsEnd_ = complete;
    return complete ? readAllTracks() : readEvents();
}

uint64_t SmfNoteFile::noteCount() const
{
    uint64_t notes = 0;
    for (const NoteList& list : channelNotes_)
        for (const NoteRecord& r : list) notes += r.velocity != 0;
    return notes;
}

int SmfNoteFile::onShortEvent(const MidiEventRecord* record)
{
    uint32_t status = record->event & 0xFF;
    const uint32_t key = (record->event >> 8) & 0xFF;
    uint32_t velocity = (record->event >> 16) & 0xFF;
    if (noteOffsEnd_ && status >= 0x80 && status <= 0x8F) {
        status += 0x10;  // a note-off, whatever its velocity, as a velocity-0 note-on
        velocity = 0;
    }
    // Only note-ons count; a key byte of 0x80 or more (a malformed file) is
    // not a key at all, and the event is ignored as a whole.
    if (status < 0x90 || status > 0x9F || key >= kKeys) return 1;
    const int c = static_cast<int>(status - 0x90);
    OpenNote& open = openNotes_[c][key];

    const uint64_t tick = elapsed();
    const uint64_t now = scaledNow();
    // A note that ends (or is replaced) takes its length now.
    if (open.record) open.record->length = static_cast<uint32_t>(now - open.start);
    Idle& idle = idle_[c];
    if (velocity == 0) {
        open.record = nullptr;
        idle = {tick, now};
        return 1;
    }
    NoteList& notes = channelNotes_[c];
    // A rest of 2^32 ticks is none, as idle times count modulo 2^32; one
    // that scales to 0 stands for no time.
    if (static_cast<uint32_t>(tick - idle.start) != 0) {
        const uint32_t rest = static_cast<uint32_t>(now - idle.scaledStart);
        if (rest != 0) notes.push_back(NoteRecord{static_cast<uint8_t>(c), 0, 0, rest});
    }
    open.record = notes.push_back(NoteRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(key),
                                             static_cast<uint8_t>(velocity), 0});
    open.start = now;
    idle = {tick, now};
    return 1;
}

uint64_t SmfNoteFile::scaledNow()
{
    // Events at one tick are many (chords, a note's end and the next
    // note's start): the tick is scaled once for all of them.
    if (elapsed() != scaledTick_) {
        scaledTick_ = elapsed();
        scaled_ = scale_.at(scaledTick_);
    }
    return scaled_;
}

void SmfNoteFile::onEventsEnd()
{
    // Notes still sounding keep the length reached so far; they stay in the
    // table, so a second readEvents lets them grow on, as they would have.
    for (int c = 0; c < kChannels; ++c)
        for (OpenNote& note : openNotes_[c])
            if (note.record) note.record->length = static_cast<uint32_t>(scaledNow() - note.start);
}
