#include "midi/SmfFile.h"

#include "app/errors/ErrorRecord.h"

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

// Reads a variable-length number at `at`: seven bits a byte, high bit set on
// every byte but the last, no limit on the count, 32-bit arithmetic that
// wraps. False when the bytes run out before the last one.
bool ReadVarLen(const uint8_t* data, uint64_t size, uint64_t at, uint32_t& value, uint64_t& count)
{
    value = 0;
    for (uint64_t i = at; i < size; ++i) {
        const uint8_t b = data[i];
        value += b & 0x7Fu;
        if (!(b & 0x80)) {
            count = i - at + 1;
            return true;
        }
        value <<= 7;
    }
    return false;
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
    const uint8_t* const data = view;
    const uint64_t size = dataSize();
    uint64_t p = position;
    // The record is all zero at the start of every event. Only a long event
    // writes parameters, so only the bytes it wrote are cleared again: a
    // full clear of the 1 KiB record per event would cost more than all the
    // rest of the reading.
    std::memset(&record_, 0, sizeof record_);
    size_t parametersUsed = 0;

    for (;;) {
        const uint64_t offset = p;
        record_.deltaTime = 0;
        record_.streamId = 0;
        record_.event = 0;
        if (parametersUsed) {
            std::memset(record_.parameters, 0, parametersUsed);
            parametersUsed = 0;
        }

        uint32_t delta = 0;
        uint64_t d = 0;
        if (!ReadVarLen(data, size, p, delta, d)) break;
        onDeltaTime(delta);

        if (p + d >= size) break;
        const uint8_t s = data[p + d];

        if (s < 0xF0) {
            const int n = DataBytes(s);
            if (offset + d + 1 + n > size) break;
            record_.deltaTime = delta;
            record_.event = s;
            if (n >= 1) record_.event |= static_cast<uint32_t>(data[p + d + 1]) << 8;
            if (n >= 2) record_.event |= static_cast<uint32_t>(data[p + d + 2]) << 16;
            onShortEvent(&record_);
            p += d + 1 + n;
        } else if (s == 0xF0) {
            uint32_t length = 0;
            uint64_t b = 0;
            if (!ReadVarLen(data, size, p + d + 1, length, b)) break;
            const uint64_t m = static_cast<uint64_t>(length) + 1;
            if (offset + 12 + ((m + 3) & ~uint64_t{3}) > size) break;
            const uint64_t start = p + d + 1 + b;
            if (start + length > size) break;
            // The record holds 1012 parameter bytes; a longer message is cut.
            const uint64_t kept = m < MidiEventRecord::kParameterSize ? m : MidiEventRecord::kParameterSize;
            record_.deltaTime = delta;
            record_.event = static_cast<uint32_t>(kept) | MidiEventRecord::kLongEvent;
            record_.parameters[0] = 0xF0;
            std::memcpy(record_.parameters + 1, data + start, kept - 1);
            parametersUsed = kept;
            onLongEvent(&record_);
            p = start + length;
        } else if (s == 0xF7) {
            // An escape: skipped by its length, like a system-exclusive event.
            uint32_t length = 0;
            uint64_t b = 0;
            if (!ReadVarLen(data, size, p + d + 1, length, b)) break;
            const uint64_t next = p + d + 1 + b + length;
            if (next > size) break;
            p = next;
        } else if (s == 0xFF) {
            if (p + d + 1 >= size) break;
            const uint8_t type = data[p + d + 1];
            uint32_t length = 0;
            uint64_t c = 0;
            if (!ReadVarLen(data, size, p + d + 2, length, c)) break;
            const uint64_t q = p + d + 2 + c;

            char* field = nullptr;
            switch (type) {
            case 0x00:
                if (length > 0) {
                    if (q >= size) goto stop;
                    info_.sequenceNumber = data[q];
                }
                break;
            case 0x01: field = info_.text; break;
            case 0x02: field = info_.copyright; break;
            case 0x03: field = info_.sequenceName; break;
            case 0x05: field = info_.lyric; break;
            case 0x2F: goto stop;
            case 0x51:
                if (offset + 12 > size) goto stop;
                break;
            default: break;
            }
            if (field) {
                // The text ends at its length, at a zero byte or at 255 bytes,
                // whichever comes first; a text that runs past the end of the
                // data is not kept and ends the reading.
                const uint64_t limit = length < SmfInfo::kTextSize - 1 ? length : SmfInfo::kTextSize - 1;
                uint64_t k = 0;
                for (; k < limit; ++k) {
                    if (q + k >= size) goto stop;
                    if (data[q + k] == 0) break;
                }
                std::memcpy(field, data + q, k);
                field[k] = '\0';
            }
            p = q + length;
        } else {
            break;  // 0xF1-0xF6, 0xF8-0xFE: not events of a track
        }
    }
stop:
    onEventsEnd();
    return 1;
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
