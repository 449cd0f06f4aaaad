#pragma once
// The properties the fuzz targets hold the core to. Each check runs the core
// on one input and returns an empty text when every property holds, or a
// description of the first one that does not. The fuzz targets abort on a
// description; the regression test replays saved inputs through the same
// checks, natively and under Wine.
//
// Every input is copied to a heap block of exactly its size (texts with their
// terminator and nothing more), so that the address sanitizer reports any read
// past the data, and arguments are handed over the same way.
#include "tools/SmfTrackWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The bytes as a mapped file: the reader's header checks and readEvents, the
// note lists against the reference (tests/support/ReferenceNotes), the events
// and texts against a plain model of the reader's rules, complete reading
// against a model of its own.
std::string CheckSmfInput(const uint8_t* data, size_t size);
// A file whose track holds every kind of event, with delta-times and lengths
// of one to four bytes and a note after the end of the track (a seed, and
// in the regression test cut at every byte).
Bytes EveryEventKindFile();

// The line formatter, the note encoder (against the reference encoding of
// tests/support/ReferenceEncoder) and KvText::ReplaceAll with formats,
// arguments and texts taken from the bytes, laid out as:
//   1 byte                the number of arguments, modulo 17 (0 to 16);
//   4 bytes per argument  little-endian (a cut-off argument is not given);
//   1 byte                an output capacity less one (a second, short call);
//   the rest              zero-separated texts: the long-form format, the
//                         short-form format, then ReplaceAll's searched text,
//                         replacement and subject (missing texts are empty).
std::string CheckEncoderInput(const uint8_t* data, size_t size);
// Builds an input of that layout (for seeds and tests).
std::string EncoderInput(const int32_t* args, size_t argCount, uint8_t capacityLessOne,
                         const std::string& format1, const std::string& format2,
                         const std::string& searched, const std::string& replacement,
                         const std::string& subject);

// PathParts, ExtensionOf and DirectoryOf on the bytes as one path.
std::string CheckPathInput(const uint8_t* data, size_t size);
