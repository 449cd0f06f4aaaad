#pragma once
// The encoding as its rules read, line by line with LineFormatter::Format:
// the short form (key or 32, length code + velocity / 8, channel, key,
// length, velocity) for the 15 note values, the long form (the length x 7.5
// modulo 65536 as two bytes after the second argument) for every other
// length. The tests, the fuzz targets and the benchmark hold NoteEncoder to it.
#include "core/encode/NoteEncoder.h"
#include "core/midi/NoteRecord.h"

#include <string>
#include <vector>

// A stored format with its backslash-t pairs as tabs (a 0x5C trail byte of a
// double-byte character starts no pair).
std::string ReferenceFormat(const std::string& stored);
// One line into `line` (LineFormatter::kLineCapacity bytes) from formats
// already through ReferenceFormat; returns its length.
size_t ReferenceLine(const NoteRecord& record, const std::string& format1, const std::string& format2, char* line);
// The text of the channels in `mask`, in ascending order, lines ended by CR LF.
std::string ReferenceEncoding(const std::vector<NoteRecord> (&lists)[16], uint32_t mask, const std::string& stored1,
                              const std::string& stored2);

// The text an encoder writes, lines ended by CR LF. Given a room, it lends
// the encoder that many bytes at a time to write lines in place.
struct TextSink : LineSink {
    explicit TextSink(size_t room = 0) : room(room) {}
    void appendLine(const char* line, size_t length) override { text.append(line, length).append("\r\n"); }
    char* textSpace(size_t& given) override
    {
        space.assign(given = room, '#');
        return room ? &space[0] : nullptr;
    }
    void textWritten(size_t count) override { text.append(space, 0, count); }
    size_t room;
    std::string text, space;
};
