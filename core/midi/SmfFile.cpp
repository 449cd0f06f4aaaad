#include "core/midi/SmfFile.h"

#include "core/midi/SmfCursor.h"

#include "core/errors/ErrorRecord.h"

#include <cstring>

namespace {

const char kExpectedKind[] = "midiファイル";

uint32_t BigEndian32(uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

uint16_t BigEndian16(uint16_t v)
{
    return static_cast<uint16_t>((v >> 8) | (v << 8));
}

// Number of data bytes of a status below 0xF0, by its high four bits; a data
// byte met where a status is expected (0x00-0x7F) has none.
int DataBytes(uint8_t status)
{
    switch (status >> 4) {
    case 0x8: case 0x9: case 0xA: case 0xB: case 0xE: return 2;
    case 0xC: case 0xD: return 1;
    default: return 0;
    }
}

}  // namespace

SmfFile::SmfFile() = default;

SmfFile::~SmfFile()
{
    close();
}

uint32_t SmfFile::open(std::string path)
{
    const std::string given = path;
    const uint32_t result = MappedFile::open(std::move(path));
    return result != 0 ? result : readChunkHeaders(given);
}

uint32_t SmfFile::openMemory(std::string path, const uint8_t* data, uint32_t count)
{
    const std::string given = path;
    const uint32_t result = mapMemory(std::move(path), data, count);
    return result != 0 ? result : readChunkHeaders(given);
}

uint32_t SmfFile::readChunkHeaders(const std::string& given)
{
    uint32_t n = 0;
    if (read(&header_, sizeof header_, n) != 0) {
        std::memset(&header_, 0, sizeof header_);
        return SetError(GetErrorRecord(), kErrorSystem);
    }
    header_.length = BigEndian32(header_.length);
    header_.format = BigEndian16(header_.format);
    header_.trackCount = BigEndian16(header_.trackCount);
    header_.division = BigEndian16(header_.division);
    if (n < 4 || std::memcmp(header_.tag, "MThd", 4) != 0) {
        std::memset(&header_, 0, sizeof header_);
        return SetError(GetErrorRecord(), kErrorWrongKind, given.c_str(), kExpectedKind);
    }

    position = 8 + static_cast<uint64_t>(header_.length);
    if (read(&chunkHeader_, sizeof chunkHeader_, n) != 0) {
        std::memset(&chunkHeader_, 0, sizeof chunkHeader_);
        return SetError(GetErrorRecord(), kErrorSystem);
    }
    if (n < 4 || std::memcmp(chunkHeader_.tag, "MTrk", 4) != 0) {
        std::memset(&chunkHeader_, 0, sizeof chunkHeader_);
        return SetError(GetErrorRecord(), kErrorWrongKind, given.c_str(), kExpectedKind);
    }
    chunkHeader_.length = BigEndian32(chunkHeader_.length);
    position = static_cast<uint64_t>(header_.length) + 16;
    return 0;
}

int SmfFile::readEvents()
{
    SmfCursor in(view, position, dataSize());
    // The record is all zero at the start of every event. Only a long event
    // writes parameters, so only the bytes it wrote are cleared again: a
    // full clear of the 1 KiB record per event would cost more than all the
    // rest of the reading.
    std::memset(&record_, 0, sizeof record_);
    parametersUsed_ = 0;
    while (readEvent(in)) {
    }
    onEventsEnd();
    return 1;
}

bool SmfFile::readEvent(SmfCursor& in)
{
    const uint64_t start = in.position();
    record_.deltaTime = 0;
    record_.streamId = 0;
    record_.event = 0;
    if (parametersUsed_) {
        std::memset(record_.parameters, 0, parametersUsed_);
        parametersUsed_ = 0;
    }

    const uint32_t delta = in.varLen();
    if (!in.ok()) return false;
    elapsed_ += delta;
    onDeltaTime(delta);
    const uint8_t status = in.byte();
    if (!in.ok()) return false;

    if (status < 0xF0) return readChannelEvent(in, delta, status);
    switch (status) {
    case 0xF0: return readSystemExclusive(in, start, delta);
    case 0xF7: return skipEscape(in);
    case 0xFF: return readMeta(in, start);
    default: return false;  // 0xF1-0xF6, 0xF8-0xFE: not events of a track
    }
}

bool SmfFile::readChannelEvent(SmfCursor& in, uint32_t delta, uint8_t status)
{
    const int n = DataBytes(status);
    const uint8_t first = n >= 1 ? in.byte() : 0;
    const uint8_t second = n >= 2 ? in.byte() : 0;
    if (!in.ok()) return false;
    record_.deltaTime = delta;
    record_.event = status | static_cast<uint32_t>(first) << 8 | static_cast<uint32_t>(second) << 16;
    onShortEvent(&record_);
    return true;
}

bool SmfFile::readSystemExclusive(SmfCursor& in, uint64_t start, uint32_t delta)
{
    const uint32_t length = in.varLen();
    const uint64_t message = static_cast<uint64_t>(length) + 1;  // F0 and its data
    // The event is handed on as the platform's stream record: 12 bytes of
    // header and the message padded to a multiple of four. That record,
    // counted from the event's first byte (its delta-time), must fit inside
    // the file, or reading stops here.
    if (!in.require(in.fits(start, 12 + ((message + 3) & ~uint64_t{3})))) return false;
    const uint8_t* const data = in.here();
    in.skip(length);
    if (!in.ok()) return false;
    // The record holds 1012 parameter bytes; a longer message is cut.
    const uint64_t kept = message < MidiEventRecord::kParameterSize ? message : MidiEventRecord::kParameterSize;
    record_.deltaTime = delta;
    record_.event = static_cast<uint32_t>(kept) | MidiEventRecord::kLongEvent;
    record_.parameters[0] = 0xF0;
    std::memcpy(record_.parameters + 1, data, kept - 1);
    parametersUsed_ = kept;
    onLongEvent(&record_);
    return true;
}

bool SmfFile::skipEscape(SmfCursor& in)
{
    // An escape: skipped by its length, like a system-exclusive event.
    const uint32_t length = in.varLen();
    in.skip(length);
    return in.ok();
}

bool SmfFile::readMeta(SmfCursor& in, uint64_t start)
{
    const uint8_t type = in.byte();
    const uint32_t length = in.varLen();
    if (!in.ok()) return false;
    switch (type) {
    case 0x00:
        if (length > 0) {
            const uint8_t number = in.peek(0);  // its first byte only
            if (!in.ok()) return false;
            info_.sequenceNumber = number;
        }
        break;
    case 0x01: readMetaText(in, length, info_.text); break;
    case 0x02: readMetaText(in, length, info_.copyright); break;
    case 0x03: readMetaText(in, length, info_.sequenceName); break;
    case 0x05: readMetaText(in, length, info_.lyric); break;
    case 0x2F: return false;  // end of track
    case 0x51:
        // Set tempo: its value is not used, but the 12 bytes of a stream
        // record, counted from the event's first byte, must lie inside the
        // file, as for a system-exclusive event; otherwise reading stops.
        in.require(in.fits(start, 12));
        break;
    default: break;
    }
    in.skip(length);
    return in.ok();
}

void SmfFile::readMetaText(SmfCursor& in, uint32_t length, char* field)
{
    // The text ends at its length, at a zero byte or at 255 bytes, whichever
    // comes first; a text that runs past the end of the data is not kept and
    // ends the reading.
    const uint64_t limit = length < SmfInfo::kTextSize - 1 ? length : SmfInfo::kTextSize - 1;
    uint64_t k = 0;
    for (; k < limit; ++k) {
        const uint8_t b = in.peek(k);
        if (!in.ok()) return;
        if (b == 0) break;
    }
    std::memcpy(field, in.here(), k);
    field[k] = '\0';
}

SmfTracks SmfFile::tracks() const
{
    // `open` found the first track chunk right after the header chunk.
    return SmfTracks(view, dataSize(), 8 + static_cast<uint64_t>(header_.length), header_.format,
                     header_.trackCount);
}

// Hands the merged events of complete reading to the reader's hooks, each
// with the time since the event before.
class SmfFile::HookSink : public SmfTracks::Sink {
public:
    explicit HookSink(SmfFile& file) : file_(file) {}
    void onEvent(uint64_t time, uint32_t event) override
    {
        file_.record_.event = event;
        advanceTo(time);
        file_.onShortEvent(&file_.record_);
    }
    // Differences beyond 32 bits go on to the hooks modulo 2^32, as every
    // time they see counts; elapsed() keeps them whole.
    void advanceTo(uint64_t time)
    {
        file_.record_.deltaTime = static_cast<uint32_t>(time - time_);
        file_.elapsed_ += time - time_;
        time_ = time;
        file_.onDeltaTime(file_.record_.deltaTime);
    }

private:
    SmfFile& file_;
    uint64_t time_ = 0;
};

int SmfFile::readAllTracks()
{
    std::memset(&record_, 0, sizeof record_);
    parametersUsed_ = 0;
    SmfTracks all = tracks();
    HookSink sink(*this);
    all.read(&sink);
    sink.advanceTo(all.endTime());
    onEventsEnd();
    return 1;
}

ReadingHints SmfFile::completeReadingHints() const
{
    SmfTracks all = tracks();
    all.read(nullptr);
    return all.hints();
}

int SmfFile::onDeltaTime(uint32_t)
{
    return 1;
}

int SmfFile::onLongEvent(const MidiEventRecord*)
{
    return 1;
}

int SmfFile::onShortEvent(const MidiEventRecord*)
{
    return 1;
}

void SmfFile::onEventsEnd()
{
}
