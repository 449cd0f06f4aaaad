#include "core/errors/ErrorRecord.h"

#include "core/errors/ErrorTexts.h"
#include "core/errors/SystemErrorText.h"

#include <cstdio>
#include <cstring>

ErrorRecord::ErrorRecord() : text(new char[kTextSize]())
{
}

ErrorRecord::~ErrorRecord()
{
    delete[] text;
}

ErrorRecord& GetErrorRecord()
{
    static ErrorRecord* record = new ErrorRecord;  // lives until the process ends
    return *record;
}

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif

uint32_t SetError(ErrorRecord& record, uint32_t code, const char* argument1, const char* argument2)
{
    const uint32_t c = code | kErrorBit;
    record.code = c;
    const char* a1 = argument1 ? argument1 : "";
    const char* a2 = argument2 ? argument2 : "";
    char* text = record.text;
    const size_t size = ErrorRecord::kTextSize;

    switch (c) {
    case kErrorSystem:
        SystemErrorText(text, size);
        break;
    case kErrorNotOpen:
        std::snprintf(text, size, "%s", ErrorTemplate(2));
        break;
    case kErrorWrongKind:
        std::snprintf(text, size, ErrorTemplate(5), a1, a2);
        break;
    case kErrorAlreadyOpen:
    case kErrorReserved3:
    case kErrorCannotWrite:
    case kErrorCannotOpen:
    case kErrorReserved7:
        std::snprintf(text, size, ErrorTemplate(c & 0xFFFF), a1);
        break;
    default:
        std::snprintf(text, size, kUnsupportedErrorTemplate, static_cast<unsigned>(c));
        break;
    }
    return c;
}
