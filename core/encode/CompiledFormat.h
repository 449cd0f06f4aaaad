#pragma once
// CompiledFormat: a line format parsed once, for formatting many lines.
//
// format() gives exactly the bytes of LineFormatter::Format with a capacity
// of LineFormatter::kLineCapacity. Formats made only of text, "%%" and the
// number conversions d i u x X with the "-" and "0" flags, a width, a
// precision and an l, h or w modifier, and whose longest possible line fits
// in the capacity, are laid out from the parsed pieces: no number there can
// be cut, so none of the formatter's end-of-buffer rules comes into play.
// Every other format is handed to LineFormatter::Format as it stands.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CompiledFormat {
public:
    explicit CompiledFormat(std::string format);

    // Formats into out (LineFormatter::kLineCapacity bytes) and returns the
    // length, without the terminating zero that follows it.
    size_t format(char* out, const int32_t* args, size_t argCount) const;

    // True when the format is laid out from its pieces.
    bool compiled() const { return compiled_; }
    // The longest line format() can give, without the terminator.
    size_t longest() const { return compiled_ ? longest_ : LineCapacity() - 1; }
    const std::string& text() const { return format_; }

private:
    enum class Kind : uint8_t { Signed, Unsigned, LowerHex, UpperHex };

    // Text, then one conversion (or none, for the text at the end).
    struct Piece {
        uint16_t textStart;
        uint16_t textLength;
        bool conversion;
        Kind kind;
        bool left;      // "-"
        bool zero;      // "0" without "-": pads with zeros to the width
        uint16_t width;
        uint16_t precision;
        // Values (as unsigned 32-bit) below this fill the field exactly with
        // their digits and leading zeros ("%05d" of 0 to 99999); 0 = never.
        uint64_t fixedBelow;
    };
    // Text of up to this many bytes is copied whole when the line has room.
    static constexpr size_t kTextCopy = 16;

    bool compile();
    static size_t LineCapacity();

    std::string format_;
    std::string text_;  // the pieces' text, one after another, then kTextCopy zeros
    std::vector<Piece> pieces_;
    bool compiled_ = false;
    bool roomy_ = false;  // the longest line leaves kTextCopy bytes spare
    size_t longest_ = 0;
};
