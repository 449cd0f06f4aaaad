#include "cli/FactsJson.h"

#include "cli/ShiftJisText.h"

#include <nlohmann/json.hpp>

#include <cstring>

namespace {

// A text of the file: the bytes before the terminator, bounded by its array.
std::string InfoText(const char (&text)[SmfInfo::kTextSize])
{
    const void* end = std::memchr(text, '\0', sizeof text);
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - text) : sizeof text;
    return std::string(text, length);
}

}  // namespace

std::string FactsJson::Hex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::string FactsJson::Line(const std::string& file, const SmfFile& smf)
{
    const SmfHeader& h = smf.header();
    const std::string name = InfoText(smf.info().sequenceName);
    const std::string copyright = InfoText(smf.info().copyright);
    nlohmann::ordered_json facts;
#ifdef _WIN32
    facts["file"] = ShiftJisText::ToUtf8(file);
#else
    facts["file"] = file;
#endif
    facts["format"] = static_cast<unsigned>(h.format);
    facts["tracks"] = static_cast<unsigned>(h.trackCount);
    facts["division"] = static_cast<unsigned>(h.division);
    facts["sequence_name"] = ShiftJisText::ToUtf8(name);
    facts["sequence_name_hex"] = Hex(name);
    facts["copyright"] = ShiftJisText::ToUtf8(copyright);
    facts["copyright_hex"] = Hex(copyright);
    return facts.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}
