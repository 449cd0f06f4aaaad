#include "core/text/TextLayout.h"

#include "core/text/KvText.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

enum CharKind { kSpace, kWord, kSign };

CharKind KindOf(const std::string& text, size_t offset, size_t length)
{
    const unsigned char byte = static_cast<unsigned char>(text[offset]);
    if (length == 2 || (byte >= 0xA1 && byte <= 0xDF)) return kWord;  // double-byte, half-width kana
    if (byte == ' ' || byte == '\t') return kSpace;
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_')
        return kWord;
    return kSign;
}

}  // namespace

template <class Step>
void TextLayout::Walk(size_t line, Step step) const
{
    const size_t end = LineEnd(line);
    int column = 0;
    for (size_t at = LineStart(line); at < end;) {
        const unsigned char byte = static_cast<unsigned char>(text_[at]);
        const size_t length = (KvText::IsLeadByte(byte) && at + 1 < end) ? 2 : 1;
        const int width = byte == '\t' ? kTabColumns - column % kTabColumns : int(length);
        if (!step(at, length, column, width)) return;
        at += length;
        column += width;
    }
}

void TextLayout::Assign(std::string text)
{
    text_ = std::move(text);
    Index();
}

void TextLayout::Index()
{
    const size_t limit = std::min<size_t>(text_.size(), std::numeric_limits<uint32_t>::max());
    const char* const data = text_.data();
    // Counted first, so that the index holds no spare room.
    std::vector<uint32_t> starts;
    starts.reserve(size_t(std::count(data, data + limit, '\n')) + 1);
    starts.push_back(0);
    for (const char* at = data; (at = static_cast<const char*>(std::memchr(at, '\n', limit - (at - data))));)
        starts.push_back(uint32_t(++at - data));
    starts_.swap(starts);
    // The text plus at most 8 bytes a line: a buffer grown by appending
    // gives back its spare room when that is more than 4 bytes a line.
    if (text_.capacity() - text_.size() > 4 * starts_.size()) text_.shrink_to_fit();
    columns_ = 0;
    for (size_t line = 0; line < starts_.size(); ++line) {
        int width = 0;
        Walk(line, [&width](size_t, size_t, int column, int w) { width = column + w; return true; });
        columns_ = std::max(columns_, width);
    }
}

size_t TextLayout::LineStart(size_t line) const
{
    return line < starts_.size() ? starts_[line] : text_.size();
}

size_t TextLayout::LineEnd(size_t line) const
{
    if (line + 1 >= starts_.size()) return text_.size();
    size_t end = starts_[line + 1] - 1;  // the LF
    if (end > starts_[line] && text_[end - 1] == '\r') --end;
    return end;
}

size_t TextLayout::LineOf(size_t offset) const
{
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), std::min(offset, text_.size()));
    return size_t(after - starts_.begin()) - 1;
}

int TextLayout::ColumnOf(size_t offset) const
{
    int found = 0;
    Walk(LineOf(offset), [&](size_t at, size_t, int column, int width) {
        found = column + (at < offset ? width : 0);
        return at < offset;
    });
    return found;
}

size_t TextLayout::OffsetAt(size_t line, int x, int cell) const
{
    size_t found = LineEnd(line);
    Walk(line, [&](size_t at, size_t, int column, int width) {
        // Left of a character's middle is before it.
        if (2LL * x < (2LL * column + width) * cell) {
            found = at;
            return false;
        }
        return true;
    });
    return found;
}

size_t TextLayout::Snap(size_t offset) const
{
    const size_t line = LineOf(offset);
    const size_t end = LineEnd(line);
    if (offset >= end) return end;
    size_t found = LineStart(line);
    Walk(line, [&](size_t at, size_t, int, int) {
        if (at > offset) return false;
        found = at;
        return true;
    });
    return found;
}

size_t TextLayout::Next(size_t offset) const
{
    const size_t at = Snap(offset);
    const size_t line = LineOf(at);
    if (at < LineEnd(line)) {
        const unsigned char byte = static_cast<unsigned char>(text_[at]);
        return at + ((KvText::IsLeadByte(byte) && at + 1 < LineEnd(line)) ? 2 : 1);
    }
    return line + 1 < LineCount() ? LineStart(line + 1) : at;
}

size_t TextLayout::Previous(size_t offset) const
{
    const size_t at = Snap(offset);
    const size_t line = LineOf(at);
    if (at == LineStart(line)) return line ? LineEnd(line - 1) : 0;
    return Snap(at - 1);
}

std::pair<size_t, size_t> TextLayout::WordAt(size_t offset) const
{
    const size_t line = LineOf(offset);
    std::vector<std::pair<size_t, CharKind>> chars;
    Walk(line, [&](size_t at, size_t length, int, int) {
        chars.push_back({at, KindOf(text_, at, length)});
        return true;
    });
    const size_t end = LineEnd(line);
    if (chars.empty()) return {end, end};
    // At the end of a line the word is the one before.
    size_t index = 0;
    while (index + 1 < chars.size() && chars[index + 1].first <= offset) ++index;
    const CharKind kind = chars[index].second;
    size_t first = index, last = index;
    while (first > 0 && chars[first - 1].second == kind) --first;
    while (last + 1 < chars.size() && chars[last + 1].second == kind) ++last;
    return {chars[first].first, last + 1 < chars.size() ? chars[last + 1].first : end};
}

void TextLayout::Runs(size_t line, std::vector<Run>& runs) const
{
    runs.clear();
    Walk(line, [&](size_t at, size_t length, int column, int) {
        if (text_[at] == '\t') return true;
        if (!runs.empty() && runs.back().offset + runs.back().length == at)
            runs.back().length += length;
        else
            runs.push_back({at, length, column});
        return true;
    });
}
