#include "core/encode/LineFormatter.h"

// The rules below reproduce the platform's wsprintfA byte for byte for every
// integer and character conversion, including its less obvious habits:
//   - flags are read only in the order "-", "#", "0"; any other order ends
//     the conversion early and the rest is printed as text;
//   - width and precision are plain decimal numbers kept in 32 bits (a
//     longer number wraps around);
//   - the precision of a signed number counts its minus sign ("%.3d" of -7
//     is "-07"), and the "0" flag pads to the width even with a precision;
//   - "#" adds "0x"/"0X" in front of the width ("%#08x" is ten bytes long);
//   - "h" takes a full 32-bit value (no truncation to 16 bits);
//   - an unknown conversion character takes no argument: the width is
//     printed as spaces and the character itself as text, so "%5%" gives
//     five spaces and loses the second "%";
//   - near the end of the buffer, width, precision and digits are each
//     shortened to the room left before the padding is laid out, which
//     decides what the last bytes of a cut line are.
// "#" means the hexadecimal prefix and nothing else: on a decimal
// conversion it is ignored. (Wine's wsprintfA instead copies the number's
// terminating zero and two stray bytes into the text, which cuts the line
// short; a user's "%#d" should not lose the rest of the line.)
// Where wsprintfA writes bytes it cannot mean, the text as any reader sees
// it is what counts:
//   - a "#" hexadecimal field whose prefix no longer fits at the end of the
//     buffer makes wsprintfA copy the number's terminator into the text: the
//     line ends after that number's digits;
//   - such a field laid out at the very end of the buffer can make wsprintfA
//     write past it; here nothing goes past `capacity`, the line is cut.

namespace {

enum class Kind { Unknown, Char, WideChar, String, Signed, Unsigned, Hex };

struct Conversion {
    bool left = false;    // "-"
    bool prefix = false;  // "#"
    bool zero = false;    // "0"
    bool wide64 = false;  // "I64", "I" or "p": a 64-bit value
    bool upper = false;   // "X", "p"
    uint32_t width = 0;
    uint32_t precision = 0;
    Kind kind = Kind::Unknown;
};

// Reads one conversion after its "%". Returns the position after it; for an
// unknown conversion character, the position of that character, which is
// then printed as ordinary text.
const char* ParseConversion(const char* p, Conversion& conv)
{
    if (*p == '-') { conv.left = true; ++p; }
    if (*p == '#') { conv.prefix = true; ++p; }
    if (*p == '0') { conv.zero = true; ++p; }
    for (; *p >= '0' && *p <= '9'; ++p) conv.width = conv.width * 10u + static_cast<uint32_t>(*p - '0');
    if (*p == '.') {
        ++p;
        for (; *p >= '0' && *p <= '9'; ++p)
            conv.precision = conv.precision * 10u + static_cast<uint32_t>(*p - '0');
    }

    bool isLong = false, isShort = false;
    if (*p == 'l') { isLong = true; ++p; }
    else if (*p == 'h') { isShort = true; ++p; }
    else if (*p == 'w') { ++p; }  // selects wide strings only
    else if (*p == 'I') {
        if (p[1] == '6' && p[2] == '4') { conv.wide64 = true; p += 3; }
        else if (p[1] == '3' && p[2] == '2') { p += 3; }
        else { conv.wide64 = true; ++p; }  // pointer-sized: 64 bits on x64
    }

    switch (*p) {
    // In the ANSI function only "l" makes %c wide; "%wc" stays a byte.
    case 'c': conv.kind = isLong ? Kind::WideChar : Kind::Char; break;
    case 'C': conv.kind = isShort ? Kind::Char : Kind::WideChar; break;
    case 's':
    case 'S': conv.kind = Kind::String; break;
    case 'd':
    case 'i': conv.kind = Kind::Signed; break;
    case 'u': conv.kind = Kind::Unsigned; break;
    case 'p':
        // 16 upper-case digits, zero-padded, whatever width was written.
        conv.width = 16;
        conv.zero = true;
        conv.wide64 = true;
        conv.upper = true;
        conv.kind = Kind::Hex;
        break;
    case 'X': conv.upper = true; conv.kind = Kind::Hex; break;
    case 'x': conv.kind = Kind::Hex; break;
    default:
        conv.kind = Kind::Unknown;
        return p;
    }
    return p + 1;
}

// Bounded writer: everything past `cap` bytes is dropped.
struct Out {
    char* buf;
    size_t cap;  // capacity - 1: room for text before the terminator
    size_t n = 0;

    bool Full() const { return n >= cap; }
    size_t Room() const { return cap - n; }
    void Put(char c)
    {
        if (n < cap) buf[n++] = c;
    }
    void Repeat(char c, size_t count)
    {
        if (count > Room()) count = Room();
        for (size_t i = 0; i < count; ++i) buf[n++] = c;
    }
    void Write(const char* s, size_t count)
    {
        if (count > Room()) count = Room();
        for (size_t i = 0; i < count; ++i) buf[n++] = s[i];
    }
};

size_t Clamp(uint32_t v, size_t room) { return v < room ? v : room; }

// Lays out a text field of `len` bytes (a character or nothing) in `width`.
void PutField(Out& out, const Conversion& conv, size_t width, const char* text, size_t len)
{
    const size_t pad = width > len ? width - len : 0;
    if (!conv.left) out.Repeat(' ', pad);
    out.Write(text, len);
    if (conv.left) out.Repeat(' ', pad);
}

// Formats one number conversion. Returns false when the text ends with it
// (see the "#" rule at the top of this file).
bool PutNumber(Out& out, const Conversion& conv, int32_t slot)
{
    // Every argument is one 32-bit slot; a 64-bit conversion takes that
    // slot's value sign-extended, so %I64d of -5 prints -5 (what the
    // platform would read from the upper half of the slot is undefined).
    const int64_t value = slot;
    uint64_t magnitude;
    bool negative = false;
    if (conv.kind == Kind::Signed && value < 0) {
        negative = true;
        magnitude = 0u - static_cast<uint64_t>(value);
    } else {
        magnitude = static_cast<uint64_t>(value);
    }
    if (!conv.wide64) magnitude = static_cast<uint32_t>(magnitude);

    // number[] holds the sign and the digits, as wsprintfA measures them.
    char number[24];
    size_t numLen = 0;
    if (negative) number[numLen++] = '-';
    {
        const char* digits = conv.upper ? "0123456789ABCDEF" : "0123456789abcdef";
        const unsigned base = conv.kind == Kind::Hex ? 16u : 10u;
        char rev[20];
        size_t r = 0;
        do {
            rev[r++] = digits[magnitude % base];
            magnitude /= base;
        } while (magnitude);
        while (r) number[numLen++] = rev[--r];
    }

    // Width, digits and precision are each shortened to the room left.
    const size_t room = out.Room();
    const size_t width = Clamp(conv.width, room);
    const size_t len = numLen < room ? numLen : room;
    size_t precision = conv.precision > len ? conv.precision : len;
    if (precision > room) precision = room;
    const bool zero = conv.zero && !conv.left;
    if (zero && width > precision) precision = width;

    const size_t pad = width > precision ? width - precision : 0;
    if (!conv.left) out.Repeat(' ', pad);

    bool prefixWritten = false;
    if (conv.prefix && conv.kind == Kind::Hex && out.Room() >= 3) {
        out.Put('0');
        out.Put(conv.upper ? 'X' : 'x');
        prefixWritten = true;
    }
    // A "#" without its prefix still counts two bytes in the field: two
    // fewer zeros, and the number's terminator lands in the text.
    const bool endsText = conv.prefix && conv.kind == Kind::Hex && !prefixWritten;
    const size_t counted = endsText ? len + 2 : len;

    size_t sign = 0;
    if (negative) {
        out.Put('-');
        sign = 1;
    }
    if (precision > counted) out.Repeat('0', precision - counted);
    if (len > sign) out.Write(number + sign, len - sign);
    if (endsText) return false;
    if (conv.left) out.Repeat(' ', pad);
    return true;
}

}  // namespace

size_t LineFormatter::Format(char* out, size_t capacity, const char* format,
                             const int32_t* args, size_t argCount)
{
    if (capacity == 0) return 0;
    Out o{out, capacity - 1};
    size_t nextArg = 0;
    auto takeArg = [&]() -> int32_t {
        const size_t i = nextArg++;
        return i < argCount ? args[i] : 0;
    };

    const char* p = format;
    while (*p && !o.Full()) {
        if (*p != '%') {
            o.Put(*p++);
            continue;
        }
        ++p;
        if (*p == '%') {
            o.Put(*p++);
            continue;
        }
        Conversion conv;
        p = ParseConversion(p, conv);
        const size_t width = Clamp(conv.width, o.Room());

        switch (conv.kind) {
        case Kind::Unknown:
            // No argument is taken; the precision written still counts
            // against the width, and "-" drops the padding altogether.
            if (!conv.left && width > conv.precision) o.Repeat(' ', width - conv.precision);
            break;
        case Kind::Char: {
            // A zero byte would end the line: it is left out.
            const char c = static_cast<char>(takeArg());
            PutField(o, conv, width, &c, c != 0 ? 1 : 0);
            break;
        }
        case Kind::WideChar: {
            // The platform converts the 16-bit character to the ANSI code
            // page. Characters 1..0x7F are the same byte in every code page
            // we run under; anything else is left out, so that the output
            // never depends on the machine's code page.
            const uint16_t wc = static_cast<uint16_t>(takeArg());
            const char c = static_cast<char>(wc);
            PutField(o, conv, width, &c, wc >= 1 && wc <= 0x7F ? 1 : 0);
            break;
        }
        case Kind::String:
            // Strings print as the empty string (only its padding); the
            // argument's place is taken so later conversions stay in step.
            takeArg();
            PutField(o, conv, width, nullptr, 0);
            break;
        case Kind::Signed:
        case Kind::Unsigned:
        case Kind::Hex:
            if (!PutNumber(o, conv, takeArg())) {
                out[o.n] = '\0';
                return o.n;
            }
            break;
        }
    }
    out[o.n] = '\0';
    return o.n;
}
