#include "support/ReferenceEncoder.h"

#include "core/encode/LineFormatter.h"

std::string ReferenceFormat(const std::string& stored)
{
    std::string format;
    for (size_t i = 0; i < stored.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(stored[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF)) && i + 1 < stored.size())
            format += stored.substr(i++, 2);
        else if (c == '\\' && i + 1 < stored.size() && stored[i + 1] == 't')
            format += '\t', ++i;
        else
            format += stored[i];
    }
    return format;
}

size_t ReferenceLine(const NoteRecord& r, const std::string& format1, const std::string& format2, char* line)
{
    static const uint32_t kTicks[15] = {60, 80, 90, 120, 160, 180, 240, 320, 360, 480, 640, 720, 960, 1440, 1920};
    uint32_t code = 0;
    for (uint32_t i = 0; i < 15; ++i)
        if (r.length == kTicks[i]) code = 0x10 * (i + 1);
    const int32_t b = static_cast<int32_t>(code + ((r.velocity >> 3) & 0x0F)), key = r.key == 0 ? 32 : r.key;
    const int32_t length = static_cast<int32_t>(r.length);
    if (code) {
        const int32_t args[] = {key, b, r.channel, r.key, length, r.velocity};
        return LineFormatter::Format(line, LineFormatter::kLineCapacity, format2.c_str(), args, 6);
    }
    const uint32_t t = static_cast<uint32_t>(uint64_t{r.length} * 15 / 2 % 65536);
    const int32_t args[] = {key, b, static_cast<int32_t>(t % 256), static_cast<int32_t>(t / 256),
                            r.channel, r.key, length, r.velocity};
    return LineFormatter::Format(line, LineFormatter::kLineCapacity, format1.c_str(), args, 8);
}

std::string ReferenceEncoding(const std::vector<NoteRecord> (&lists)[16], uint32_t mask, const std::string& stored1,
                              const std::string& stored2)
{
    const std::string format1 = ReferenceFormat(stored1), format2 = ReferenceFormat(stored2);
    std::string text;
    char line[LineFormatter::kLineCapacity];
    for (int c = 0; c < 16; ++c)
        for (const NoteRecord& r : lists[c])
            if (mask >> c & 1) text.append(line, ReferenceLine(r, format1, format2, line)) += "\r\n";
    return text;
}
