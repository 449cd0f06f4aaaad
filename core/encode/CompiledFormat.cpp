#include "core/encode/CompiledFormat.h"

#include "core/encode/LineFormatter.h"

#include <cstring>

namespace {

// Longest number text of a conversion: sign and digits.
size_t LongestNumber(bool isSigned, bool hex)
{
    return hex ? 8 : (isSigned ? 11 : 10);  // "FFFFFFFF", "-2147483648", "4294967295"
}

// Reads up to four decimal digits; false when there are more (such widths
// cannot fit a line anyway, and are left to the full formatter).
bool ReadNumber(const char*& p, uint16_t& value)
{
    value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > 4) return false;
        value = static_cast<uint16_t>(value * 10 + (*p - '0'));
    }
    return true;
}

// The four decimal digits of 0 to 9999, and the two hexadecimal digits of
// 0 to 255, as text; four spare bytes after the last entry let a copy of
// four bytes start anywhere in it.
struct DigitTables {
    char decimal4[10000 * 4 + 4];
    char upperHex2[256 * 2 + 4];
    char lowerHex2[256 * 2 + 4];

    constexpr DigitTables() : decimal4(), upperHex2(), lowerHex2()
    {
        for (int i = 0; i < 10000; ++i) {
            decimal4[i * 4] = static_cast<char>('0' + i / 1000);
            decimal4[i * 4 + 1] = static_cast<char>('0' + i / 100 % 10);
            decimal4[i * 4 + 2] = static_cast<char>('0' + i / 10 % 10);
            decimal4[i * 4 + 3] = static_cast<char>('0' + i % 10);
        }
        const char upper[] = "0123456789ABCDEF";
        const char lower[] = "0123456789abcdef";
        for (int i = 0; i < 256; ++i) {
            upperHex2[i * 2] = upper[i >> 4];
            upperHex2[i * 2 + 1] = upper[i & 15];
            lowerHex2[i * 2] = lower[i >> 4];
            lowerHex2[i * 2 + 1] = lower[i & 15];
        }
    }
};
constexpr DigitTables kTables;

const uint32_t kPowersOf10[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

size_t DecimalCount(uint32_t v)
{
    size_t n = 1;
    while (n < 10 && v >= kPowersOf10[n]) ++n;
    return n;
}

size_t HexCount(uint32_t v)
{
    size_t n = 1;
    while (n < 8 && (v >> (4 * n)) != 0) ++n;
    return n;
}

// Writes exactly `count` decimal digits of v (leading zeros included) so
// that they end at `end`.
void PutDecimal(uint32_t v, char* end, size_t count)
{
    char* p = end;
    while (count >= 4) {
        p -= 4;
        std::memcpy(p, kTables.decimal4 + (v % 10000) * 4, 4);
        v /= 10000;
        count -= 4;
    }
    for (; count; --count, v /= 10) *--p = static_cast<char>('0' + v % 10);
}

void PutHex(uint32_t v, char* end, size_t count, bool upper)
{
    const char* pairs = upper ? kTables.upperHex2 : kTables.lowerHex2;
    char* p = end;
    for (; count >= 2; count -= 2, v >>= 8) {
        p -= 2;
        std::memcpy(p, pairs + (v & 0xFF) * 2, 2);
    }
    if (count) *--p = pairs[(v & 0xF) * 2 + 1];
}

// The fixed-width fields of a line with room to spare after them: whole
// four- and two-byte copies, whose bytes past the field are overwritten by
// what follows.
void PutDecimalFixed(uint32_t v, char* at, size_t width)
{
    if (width <= 4) {
        std::memcpy(at, kTables.decimal4 + v * 4 + (4 - width), 4);
    } else {
        std::memcpy(at, kTables.decimal4 + (v / 10000) * 4 + (8 - width), 4);
        std::memcpy(at + width - 4, kTables.decimal4 + (v % 10000) * 4, 4);
    }
}

void PutHexFixed(uint32_t v, char* at, size_t width, bool upper)
{
    const char* pairs = upper ? kTables.upperHex2 : kTables.lowerHex2;
    if (width == 2) std::memcpy(at, pairs + v * 2, 2);
    else PutHex(v, at + width, width, upper);
}

}  // namespace

CompiledFormat::CompiledFormat(std::string format) : format_(std::move(format))
{
    compiled_ = compile();
    if (!compiled_) {
        text_.clear();
        pieces_.clear();
    }
    text_.append(kTextCopy, '\0');
}

bool CompiledFormat::compile()
{
    // The longest line the pieces can give must leave room for the
    // terminator: then no byte is ever cut.
    size_t longest = 0;
    const char* p = format_.c_str();
    Piece piece{};
    for (;;) {
        if (*p == '\0') {
            piece.textLength = static_cast<uint16_t>(text_.size() - piece.textStart);
            pieces_.push_back(piece);
            break;
        }
        if (*p != '%') {
            text_ += *p++;
            ++longest;
        } else if (p[1] == '%') {
            text_ += '%';
            p += 2;
            ++longest;
        } else {
            ++p;
            piece.left = *p == '-';
            if (piece.left) ++p;
            piece.zero = *p == '0';
            if (piece.zero) ++p;
            if (piece.left) piece.zero = false;  // "-" wins: no zero padding
            if (!ReadNumber(p, piece.width)) return false;
            piece.precision = 0;
            if (*p == '.') {
                ++p;
                if (!ReadNumber(p, piece.precision)) return false;
            }
            if (*p == 'l' || *p == 'h' || *p == 'w') ++p;  // no effect on 32-bit numbers
            switch (*p) {
            case 'd':
            case 'i': piece.kind = Kind::Signed; break;
            case 'u': piece.kind = Kind::Unsigned; break;
            case 'x': piece.kind = Kind::LowerHex; break;
            case 'X': piece.kind = Kind::UpperHex; break;
            default: return false;  // characters, strings, "#", 64-bit, unknown
            }
            ++p;
            piece.conversion = true;
            piece.textLength = static_cast<uint16_t>(text_.size() - piece.textStart);
            pieces_.push_back(piece);

            size_t field = LongestNumber(piece.kind == Kind::Signed,
                                         piece.kind == Kind::LowerHex || piece.kind == Kind::UpperHex);
            if (piece.precision > field) field = piece.precision;
            if (piece.width > field) field = piece.width;
            longest += field;
            // A zero-padded field without a precision beyond its width,
            // that a non-negative value fills with exactly `width` digits.
            if (piece.zero && piece.width > 0 && piece.precision <= piece.width) {
                const bool hex = piece.kind == Kind::LowerHex || piece.kind == Kind::UpperHex;
                if (hex && piece.width <= 8) pieces_.back().fixedBelow = uint64_t{1} << (4 * piece.width);
                if (!hex && piece.width <= 8) pieces_.back().fixedBelow = kPowersOf10[piece.width];
            }
            piece = Piece{};
            piece.textStart = static_cast<uint16_t>(text_.size());
        }
        if (longest >= LineFormatter::kLineCapacity) return false;
    }
    roomy_ = longest + kTextCopy < LineFormatter::kLineCapacity;
    longest_ = longest;
    return longest < LineFormatter::kLineCapacity;
}

size_t CompiledFormat::LineCapacity()
{
    return LineFormatter::kLineCapacity;
}

size_t CompiledFormat::format(char* out, const int32_t* args, size_t argCount) const
{
    if (!compiled_)
        return LineFormatter::Format(out, LineFormatter::kLineCapacity, format_.c_str(), args, argCount);

    // Members are read into locals once: every byte written through `o`
    // could, as far as the compiler knows, change them.
    char* o = out;
    const char* const text = text_.data();
    const bool roomy = roomy_;
    const Piece* const pieces = pieces_.data();
    const size_t pieceCount = pieces_.size();
    size_t nextArg = 0;
    for (size_t at = 0; at < pieceCount; ++at) {
        const Piece piece = pieces[at];
        if (roomy && piece.textLength <= kTextCopy)
            std::memcpy(o, text + piece.textStart, kTextCopy);  // the bytes past the text are overwritten next
        else
            std::memcpy(o, text + piece.textStart, piece.textLength);
        o += piece.textLength;
        if (!piece.conversion) break;

        const int32_t value = nextArg < argCount ? args[nextArg] : 0;
        ++nextArg;
        if (static_cast<uint32_t>(value) < piece.fixedBelow) {
            // "%05d", "%02X": negative numbers are never below the bound, since
            // it is at most 10^9 for a signed conversion.
            const uint32_t v = static_cast<uint32_t>(value);
            const bool decimal = piece.kind == Kind::Signed || piece.kind == Kind::Unsigned;
            if (!roomy) {
                o += piece.width;
                if (decimal) PutDecimal(v, o, piece.width);
                else PutHex(v, o, piece.width, piece.kind == Kind::UpperHex);
                continue;
            }
            if (decimal) PutDecimalFixed(v, o, piece.width);
            else PutHexFixed(v, o, piece.width, piece.kind == Kind::UpperHex);
            o += piece.width;
            continue;
        }
        const bool hex = piece.kind == Kind::LowerHex || piece.kind == Kind::UpperHex;
        const bool negative = piece.kind == Kind::Signed && value < 0;
        const uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);

        // The precision counts the sign; the "0" flag pads to the width
        // with zeros after the sign, otherwise spaces go in front.
        const size_t digits = hex ? HexCount(magnitude) : DecimalCount(magnitude);
        const size_t length = digits + (negative ? 1 : 0);
        size_t precision = piece.precision > length ? piece.precision : length;
        if (piece.zero && piece.width > precision) precision = piece.width;
        const size_t pad = piece.width > precision ? piece.width - precision : 0;

        if (!piece.left)
            for (size_t i = 0; i < pad; ++i) *o++ = ' ';
        if (negative) *o++ = '-';
        for (size_t i = length; i < precision; ++i) *o++ = '0';
        o += digits;
        if (hex) PutHex(magnitude, o, digits, piece.kind == Kind::UpperHex);
        else PutDecimal(magnitude, o, digits);
        if (piece.left)
            for (size_t i = 0; i < pad; ++i) *o++ = ' ';
    }
    *o = '\0';
    return static_cast<size_t>(o - out);
}
