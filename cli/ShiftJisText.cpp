#include "cli/ShiftJisText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <iconv.h>
#include <langinfo.h>
#endif

#include <cstring>

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool IsLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes that are neither a character nor a lead byte. Windows' table maps
// some of them (0x80 to U+0080), iconv's does not: both builds agree here.
bool IsNoCharacter(unsigned char b)
{
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

bool IsTrail(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

#ifdef _WIN32
char utf8Target;  // the converter of the one target the Windows build knows
#endif

}  // namespace

#ifdef _WIN32

ShiftJisText::ShiftJisText(const char* charset)
    : converter_(std::strcmp(charset, "UTF-8") == 0 ? &utf8Target : nullptr)
{
}

ShiftJisText::~ShiftJisText() = default;

bool ShiftJisText::convertChar(const char* at, size_t length, std::string& out) const
{
    wchar_t wide[2];
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, at, static_cast<int>(length), wide, 2);
    if (n <= 0) return false;
    char utf8[8];
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr);
    if (m <= 0) return false;
    out.append(utf8, static_cast<size_t>(m));
    return true;
}

std::string ShiftJisText::ForMessages(const std::string& text, const std::string&)
{
    return text;
}

#else

ShiftJisText::ShiftJisText(const char* charset) : converter_(nullptr)
{
    const iconv_t cd = iconv_open(charset, "CP932");
    if (cd != reinterpret_cast<iconv_t>(-1)) converter_ = cd;
}

ShiftJisText::~ShiftJisText()
{
    if (converter_) iconv_close(static_cast<iconv_t>(converter_));
}

bool ShiftJisText::convertChar(const char* at, size_t length, std::string& out) const
{
    const iconv_t cd = static_cast<iconv_t>(converter_);
    char buffer[16];
    char* in = const_cast<char*>(at);
    size_t inLeft = length;
    char* o = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // no state from an earlier failure
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return false;
    // Stateful targets end their shift sequences here.
    if (iconv(cd, nullptr, nullptr, &o, &outLeft) == static_cast<size_t>(-1)) return false;
    out.append(buffer, static_cast<size_t>(o - buffer));
    return true;
}

std::string ShiftJisText::ForMessages(const std::string& text, const std::string& verbatim)
{
    // The locale is taken from the environment only when a message is shown:
    // loading it costs start-up time that a run without messages need not pay.
    static const ShiftJisText converter((std::setlocale(LC_CTYPE, ""), nl_langinfo(CODESET)));
    return converter.convert(text, Invalid::KeepBytes, verbatim);
}

#endif

bool ShiftJisText::ready() const
{
    return converter_ != nullptr;
}

std::string ShiftJisText::convert(const std::string& text, Invalid invalid, const std::string& verbatim) const
{
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    const size_t at = verbatim.empty() ? std::string::npos : text.find(verbatim);
    if (at == std::string::npos) {
        convertPart(text, 0, text.size(), invalid, out);
    } else {
        convertPart(text, 0, at, invalid, out);
        out += verbatim;
        convertPart(text, at + verbatim.size(), text.size(), invalid, out);
    }
    return out;
}

void ShiftJisText::convertPart(const std::string& text, size_t at, size_t end, Invalid invalid,
                               std::string& out) const
{
    while (at < end) {
        const unsigned char b = static_cast<unsigned char>(text[at]);
        if (b < 0x80) {  // ASCII is the same in every charset a terminal uses
            out += static_cast<char>(b);
            ++at;
            continue;
        }
        size_t length = 1;
        if (IsLead(b) && at + 1 < end && IsTrail(static_cast<unsigned char>(text[at + 1]))) length = 2;
        if (!converter_ || IsNoCharacter(b) || !convertChar(text.data() + at, length, out)) {
            // An ASCII byte after a lead byte stays itself (as in the WHATWG
            // decoder): only the lead byte is lost.
            if (length == 2 && static_cast<unsigned char>(text[at + 1]) < 0x80) length = 1;
            if (invalid == Invalid::KeepBytes) out.append(text, at, length);
            else out += kReplacement;
        }
        at += length;
    }
}

std::string ShiftJisText::ToUtf8(const std::string& text)
{
    static const ShiftJisText converter("UTF-8");
    return converter.convert(text, Invalid::Replace);
}
