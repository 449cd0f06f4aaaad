#pragma once
// ErrorRecord: the process-wide record of the last failure of file access or
// MIDI reading: its code and a message text built for it. Failing operations
// return the same code to their caller; nothing in the program shows the text.
#include <cstddef>
#include <cstdint>

constexpr uint32_t kErrorBit = 0x20000000;          // application-defined codes
constexpr uint32_t kErrorAlreadyOpen = 0x20000001;  // argument: the path
constexpr uint32_t kErrorNotOpen = 0x20000002;
constexpr uint32_t kErrorWrongKind = 0x20000005;    // arguments: the path, the expected kind
constexpr uint32_t kErrorCannotOpen = 0x20000006;   // argument: the path
constexpr uint32_t kErrorCannotWrite = 0x20000004;  // argument: the path (a failed save)
// Codes this program never raises; each has a text with one argument.
constexpr uint32_t kErrorReserved3 = 0x20000003;
constexpr uint32_t kErrorReserved7 = 0x20000007;
constexpr uint32_t kErrorSystem = 0x2FFFFFFF;       // text: the system's, for its last error

class ErrorRecord {
public:
    static constexpr size_t kTextSize = 1024;

    ErrorRecord();
    virtual ~ErrorRecord();
    ErrorRecord(const ErrorRecord&) = delete;
    ErrorRecord& operator=(const ErrorRecord&) = delete;

    uint32_t code = 0;
    char* text;  // kTextSize bytes, owned, zero-terminated
};

// The one record of the process, created on first use and never deleted.
ErrorRecord& GetErrorRecord();

// Records code | kErrorBit and its message, built from the arguments the code
// takes (missing ones count as empty texts), and returns that code.
uint32_t SetError(ErrorRecord& record, uint32_t code,
                  const char* argument1 = nullptr, const char* argument2 = nullptr);
