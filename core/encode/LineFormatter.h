#pragma once
// LineFormatter: the printf-style formatter of the encoder's user-editable
// line formats. It follows the platform's wsprintfA for integer conversions
// (flags "-", "#", "0" in that order, width, precision, the l/h/I64/I
// modifiers, d i u x X c p, "%%", unknown conversions printed as text), and
// it is our own code so that no user format can harm the program:
//   - a conversion beyond the given arguments takes the value 0;
//   - string conversions (%s, %S and their forms) print nothing but still
//     take their argument's place;
//   - a %c (or wide character) whose value is 0 prints nothing, since a zero
//     byte would end the text it lands in;
//   - the output is cut to the capacity given (the terminator included).
#include <cstddef>
#include <cstdint>

class LineFormatter {
public:
    // One formatted line of the encoder holds at most 255 bytes.
    static constexpr size_t kLineCapacity = 256;

    // Formats `format` with the arguments (each one 32-bit integer argument
    // slot, as the platform passes them) into `out`, which holds `capacity`
    // bytes including the terminating zero (capacity 0 writes nothing).
    // Returns the number of bytes written, without the terminator.
    static size_t Format(char* out, size_t capacity, const char* format,
                         const int32_t* args, size_t argCount);
};
