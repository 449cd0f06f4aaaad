#pragma once
// ShiftJisText: turns code page 932 text into another character set, one
// character at a time, so that a byte sequence that cannot be converted
// costs only itself: it is either kept as it is or replaced by U+FFFD.
// POSIX builds use iconv; the Windows build knows only UTF-8 as a target
// (through the system's code page tables).
#include <string>

class ShiftJisText {
public:
    enum class Invalid { KeepBytes, Replace };

    // `charset` is an iconv name ("UTF-8", "ANSI_X3.4-1968", ...).
    explicit ShiftJisText(const char* charset);
    ~ShiftJisText();
    ShiftJisText(const ShiftJisText&) = delete;
    ShiftJisText& operator=(const ShiftJisText&) = delete;

    // False when the target charset is not known: convert then keeps or
    // replaces every byte above 0x7F.
    bool ready() const;
    // The first occurrence of `verbatim` in the text (a file name, already in
    // the target's charset) is copied as it is.
    std::string convert(const std::string& text, Invalid invalid, const std::string& verbatim = {}) const;

    // Shift-JIS to UTF-8; bytes that are no Shift-JIS character become U+FFFD.
    static std::string ToUtf8(const std::string& text);
    // The program's own message texts as the terminal shows them: on POSIX
    // in the charset of the environment's locale (the first call sets
    // LC_CTYPE from the environment), unconvertible bytes kept; on Windows
    // unchanged (the console's code page).
    static std::string ForMessages(const std::string& text, const std::string& verbatim = {});

private:
    // Converts the one character at `at` (1 or 2 bytes); false when it cannot.
    bool convertChar(const char* at, size_t length, std::string& out) const;
    void convertPart(const std::string& text, size_t from, size_t to, Invalid invalid, std::string& out) const;

    void* converter_;  // iconv_t on POSIX; non-null when ready
};
