#pragma once
// StatusLine: the status bar's line for the MIDI file the data view shows.
// First the file's facts: its SMF format, track count and division and the
// notes read, "SMF 1・8 トラック・分解能 96・音符 3,024"; then what the
// reading leaves on the table: in the default reading, what complete reading
// would read more, and, when lengths are not normalised, that a division
// other than 480 keeps the length codes out of use.
#include "core/midi/SmfTracks.h"

#include <cstdint>
#include <string>

class SmfNoteFile;
struct SmfHeader;

class StatusLine {
public:
    // The line for a file whose lists were read as `complete` and `normalized` say.
    static std::string Of(const SmfNoteFile& notes, bool complete, bool normalized);

    static std::string Facts(const SmfHeader& header, uint64_t notes);
    // What complete reading would see, by count; empty when nothing.
    static std::string CompleteReadingHint(const ReadingHints& hints);
    // Empty unless normalisation would change the lengths of this division.
    static std::string ResolutionHint(uint16_t division);
};
