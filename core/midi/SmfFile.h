#pragma once
// SmfFile: reads a Standard MIDI File through a MappedFile. `open` checks the
// header chunk and the chunk after it; `readEvents` walks the events of the
// first track once, keeps the texts of its meta events and hands every timed
// event to the hooks, which derived classes override. `readAllTracks` is the
// complete reading (SmfTracks): every track, running status, merged by time.
//
// `readEvents` reads only the first track and does not recognise running
// status (a data byte where a status is expected is delivered as a status
// without data). Neither reading uses the tempo, nor the division (only
// SmfNoteFile's normalised reading scales by it). No read
// touches a byte at or past the end of the file: an event that does not fit
// ends the reading.
#include "core/midi/MappedFile.h"
#include "core/midi/SmfRecords.h"
#include "core/midi/SmfTracks.h"

class SmfCursor;

class SmfFile : public MappedFile {
public:
    SmfFile();
    ~SmfFile() override;

    // Opens the file and checks "MThd" and "MTrk"; 0 or the error code.
    uint32_t open(std::string path) override;

    // Walks the first track from its first event. Always returns 1, whether
    // it stopped at the end-of-track event or where the data ran out.
    int readEvents();

    // Complete reading (see SmfTracks): the channel events of all tracks, in
    // merged order, go to onDeltaTime (the time since the event before; 0 at
    // equal times) and onShortEvent; after the last one onDeltaTime gets the
    // time up to the latest track end, then onEventsEnd is called. The texts
    // are left as they are. Call it after a successful `open`; returns 1.
    int readAllTracks();
    // What complete reading would see that readEvents does not.
    ReadingHints completeReadingHints() const;

    // Called for every event with its delta-time, before its status is read.
    virtual int onDeltaTime(uint32_t deltaTime);
    // Called for every system-exclusive (F0) event.
    virtual int onLongEvent(const MidiEventRecord* record);
    // Called for every channel event and every data byte met as a status.
    virtual int onShortEvent(const MidiEventRecord* record);
    // Called once when readEvents stops, whatever stopped it.
    virtual void onEventsEnd();

    const SmfHeader& header() const { return header_; }
    const SmfChunkHeader& chunkHeader() const { return chunkHeader_; }
    const SmfInfo& info() const { return info_; }

protected:
    // The sum of every delta-time handed to onDeltaTime so far, in 64 bits:
    // the time of the current event since the first walk began. Complete
    // reading adds the whole time between merged events, which onDeltaTime
    // gets modulo 2^32.
    uint64_t elapsed() const { return elapsed_; }

    // `open` on bytes in memory instead of a file (see MappedFile::mapMemory):
    // the same header checks, and readEvents then walks these bytes.
    uint32_t openMemory(std::string path, const uint8_t* data, uint32_t count);

private:
    // Steps after the file is mapped: the header chunk, the chunk after it.
    uint32_t readChunkHeaders(const std::string& path);
    SmfTracks tracks() const;
    class HookSink;

    // One event each, read at the cursor; false when reading ends there.
    // `start` is the offset of the event's delta-time.
    bool readEvent(SmfCursor& in);
    bool readChannelEvent(SmfCursor& in, uint32_t delta, uint8_t status);
    bool readSystemExclusive(SmfCursor& in, uint64_t start, uint32_t delta);
    bool skipEscape(SmfCursor& in);
    bool readMeta(SmfCursor& in, uint64_t start);
    void readMetaText(SmfCursor& in, uint32_t length, char* field);

    SmfHeader header_{};
    SmfChunkHeader chunkHeader_{};
    SmfInfo info_{};
    MidiEventRecord record_{};
    size_t parametersUsed_ = 0;  // parameter bytes the last long event wrote
    uint64_t elapsed_ = 0;
};
