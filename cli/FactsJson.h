#pragma once
// FactsJson: the facts of an SMF file as one line of JSON, for scripts:
// file, format, tracks, division, sequence_name and copyright. Texts of the
// file are Shift-JIS: they appear decoded to UTF-8 (bytes that are no
// Shift-JIS character as U+FFFD) and, byte-exact, as lower-case hex in
// sequence_name_hex and copyright_hex.
#include "core/midi/SmfFile.h"

#include <string>

class FactsJson {
public:
    // The object and its line end. `file` is the name as it was given: in
    // the code page on Windows, in the locale's charset (UTF-8) elsewhere;
    // bytes that are not valid there become U+FFFD.
    static std::string Line(const std::string& file, const SmfFile& smf);

    static std::string Hex(const std::string& bytes);
};
