#pragma once
// SmfNoteFile: an SmfFile that builds, while it reads the first track (or,
// in complete reading, every track), the ordered notes and rests of each of
// the 16 channels.
//
// A note runs from its note-on until a note-on of the same channel and key
// with velocity 0, or until a new note-on of that key replaces it; note-off
// events (0x8n) are ignored, except in complete reading, where they end a
// note exactly as a velocity-0 note-on does. A rest is recorded in front of a note-on when
// ticks have passed on its channel since the last note-on or velocity-0
// note-on there. Lengths and idle times count modulo 2^32.
//
// Rather than adding every delta-time to every sounding note, the file keeps
// the tick at which each note and each idle time began (absolute, in 64
// bits); a length is the difference to the running tick, taken when the note
// ends (or when reading stops). The cost of an event therefore does not
// depend on how many notes sound, and the results are the same.
//
// Normalised reading keeps those ticks scaled to 480 ticks per quarter note
// (ResolutionScale, when the header's division calls for it), so that every
// length is S(end) - S(start), and leaves out a rest that scales to 0.
#include "core/midi/NoteList.h"
#include "core/midi/ResolutionScale.h"
#include "core/midi/SmfFile.h"

class SmfNoteFile : public SmfFile {
public:
    static constexpr int kChannels = 16;
    static constexpr int kKeys = 128;

    using NoteList = ::NoteList;

    SmfNoteFile();
    ~SmfNoteFile() override;

    // Builds the lists once after `open`: from the first track (readEvents),
    // or with `complete` from all tracks (readAllTracks); with `normalize`,
    // lengths at 480 ticks per quarter note. Returns 1.
    int readNotes(bool complete, bool normalize = false);
    // The notes of all channels, rests not counted.
    uint64_t noteCount() const;

    // The channel's notes and rests, in the order they were recorded.
    const NoteList& channelNotes(int channel) const { return channelNotes_[channel]; }

    int onShortEvent(const MidiEventRecord* record) override;
    void onEventsEnd() override;

private:
    struct OpenNote {
        NoteRecord* record;  // in its channel's list; null = none
        uint64_t start;      // scaled tick of its note-on
    };
    struct Idle {
        uint64_t start;        // tick of the last note-on or velocity-0 note-on
        uint64_t scaledStart;  // the same scaled
    };

    // The running tick scaled (as it is without normalisation).
    uint64_t scaledNow();

    static constexpr uint32_t kSmallFile = 32u << 10;

    bool noteOffsEnd_ = false;                 // complete reading: 0x8n ends a note
    ResolutionScale scale_;                    // normalised reading: the file's division
    uint64_t scaledTick_ = 0, scaled_ = 0;     // the tick last scaled, and its scaled value
    OpenNote openNotes_[kChannels][kKeys] = {};
    Idle idle_[kChannels] = {};
    BlockPool blocks_{NoteList::kBlockRecords * sizeof(NoteRecord)};  // before the lists: they use it
    NoteList channelNotes_[kChannels];
};
