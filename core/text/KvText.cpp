#include "core/text/KvText.h"

#include <cstring>
#include <utility>

KvText::KvText(std::string text) : text_(std::move(text))
{
}

KvText::~KvText() = default;

int KvText::IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF) ? 1 : 0;
}

int KvText::CharCount() const
{
    int count = 0;
    for (size_t i = 0; i < text_.size(); ++count)
        i += IsLeadByte(static_cast<unsigned char>(text_[i])) ? 2 : 1;
    return count;
}

size_t KvText::find(const std::string& searched, size_t from) const
{
    const size_t n = searched.size();
    for (size_t i = from; i + n <= text_.size();) {
        if (std::memcmp(text_.data() + i, searched.data(), n) == 0) return i;
        i += IsLeadByte(static_cast<unsigned char>(text_[i])) ? 2 : 1;
    }
    return std::string::npos;
}

int KvText::ReplaceAll(const std::string& searched, const std::string& replacement)
{
    if (searched.empty()) return -1;
    size_t at = find(searched, 0);
    if (at == std::string::npos) return -1;
    if (replacement.find(searched) == std::string::npos) {
        // Each pass searches from the start again: a replacement may join
        // with the text before it into a new occurrence. Some rewritings of
        // that kind never end; a bound far beyond any real use stops them.
        size_t passes = 1024 + 4 * text_.size();
        while (at != std::string::npos && passes-- > 0) {
            text_.replace(at, searched.size(), replacement);
            at = find(searched, 0);
        }
    } else {
        // Searching from the start would never end; replace left to right.
        std::string result;
        size_t from = 0;
        while (at != std::string::npos) {
            result.append(text_, from, at - from);
            result += replacement;
            from = at + searched.size();
            // A searched text ending in a lead byte leaves that character's
            // trail byte after the match: the next search starts past it.
            size_t next = at;
            while (next < from) next += IsLeadByte(static_cast<unsigned char>(text_[next])) ? 2 : 1;
            at = find(searched, next);
        }
        result.append(text_, from, std::string::npos);
        text_ = std::move(result);
    }
    return CharCount();
}
