#pragma once
// KvText: one Shift-JIS text value with double-byte-aware helpers.
#include <string>

class KvText {
public:
    explicit KvText(std::string text = std::string());
    virtual ~KvText();

    const char* CStr() const { return text_.c_str(); }
    const std::string& str() const { return text_; }

    // Characters, counting a lead byte and the byte after it as one; a lead
    // byte at the very end counts as one character.
    int CharCount() const;

    // Replaces every occurrence of `searched` by `replacement`, searching
    // from the start again after each replacement. An occurrence starts only
    // at a character boundary, so the trail byte of a double-byte character
    // never begins a match (the 0x5C of 表 followed by "t" is no "\t").
    // Returns -1 and changes nothing when `searched` does not occur (or is
    // empty), otherwise CharCount of the result. A replacement that contains
    // the searched text is replaced once, left to right, not forever.
    int ReplaceAll(const std::string& searched, const std::string& replacement);

    // 1 for 0x81-0x9F and 0xE0-0xEF, else 0.
    static int IsLeadByte(unsigned char byte);

private:
    // Offset of the first occurrence at or after `from` that starts on a
    // character boundary, or npos.
    size_t find(const std::string& searched, size_t from) const;

    std::string text_;
};
