#pragma once
// The encoding as its rules read, line by line with LineFormatter::Format:
// the short form (6 arguments: key or 32, length code + velocity / 8,
// channel, key, length, velocity) for the 15 note values of the table, the
// long form (8 arguments, the length x 7.5 modulo 65536 as two bytes after
// the second) for every other length. The tests, the fuzz targets and the
// benchmark hold NoteEncoder to it.
#include "midi/NoteRecord.h"

#include <cstddef>
#include <string>
#include <vector>

// A stored format with its backslash-t pairs as tabs (a 0x5C trail byte of a
// double-byte character starts no pair).
std::string ReferenceFormat(const std::string& stored);

// One line into `line` (LineFormatter::kLineCapacity bytes) from formats
// already through ReferenceFormat; returns its length.
size_t ReferenceLine(const NoteRecord& record, const std::string& format1, const std::string& format2, char* line);

// The whole text of the channels in `mask`, in ascending order, each line
// ended by CR LF; the formats as stored.
std::string ReferenceEncoding(const std::vector<NoteRecord> (&lists)[16], uint32_t mask, const std::string& stored1,
                              const std::string& stored2);
