#include "encode/NoteEncoder.h"

#include "encode/LineFormatter.h"
#include "framework/KvText.h"
#include "midi/SmfNoteFile.h"

const char NoteEncoder::kDefaultFormat1[] = "\\tdb\\t%02d,$%02X,$%02X,$%02X\\t;%02d %03d %05d %03d";
const char NoteEncoder::kDefaultFormat2[] = "\\tdb\\t%02d,$%02X\\t\\t;%02d %03d %05d %03d";

namespace {

// A stored format with each backslash-t pair turned into a tab; no other
// backslash sequence means anything.
std::string WithTabs(const std::string& format)
{
    KvText text(format);
    text.ReplaceAll("\\t", "\t");
    return text.str();
}

}  // namespace

NoteEncoder::NoteEncoder(const std::string& format1, const std::string& format2)
    : format1_(WithTabs(format1)), format2_(WithTabs(format2))
{
}

uint32_t NoteEncoder::LengthCode(uint32_t ticks)
{
    switch (ticks) {
    case 60: return 0x10;    // thirty-second
    case 80: return 0x20;    // sixteenth triplet
    case 90: return 0x30;    // dotted thirty-second
    case 120: return 0x40;   // sixteenth
    case 160: return 0x50;   // eighth triplet
    case 180: return 0x60;   // dotted sixteenth
    case 240: return 0x70;   // eighth
    case 320: return 0x80;   // quarter triplet
    case 360: return 0x90;   // dotted eighth
    case 480: return 0xA0;   // quarter
    case 640: return 0xB0;   // half triplet
    case 720: return 0xC0;   // dotted quarter
    case 960: return 0xD0;   // half
    case 1440: return 0xE0;  // dotted half
    case 1920: return 0xF0;  // whole
    default: return 0;
    }
}

uint32_t NoteEncoder::SelectedChannels(bool optionsButtonChecked, uint32_t encodeChannel,
                                       uint32_t channelButtons)
{
    return (optionsButtonChecked ? encodeChannel : channelButtons) & 0xFFFFu;
}

size_t NoteEncoder::encodeLine(const NoteRecord& record, char* line) const
{
    const uint32_t len = record.length;
    const uint32_t code = LengthCode(len);
    const int32_t b = static_cast<int32_t>(code + ((record.velocity >> 3) & 0x0Fu));
    const int32_t keyValue = record.key == 0 ? 32 : record.key;
    const int32_t ch = record.channel;
    const int32_t k = record.key;
    const int32_t v = record.velocity;
    if (code != 0) {
        const int32_t args[] = {keyValue, b, ch, k, static_cast<int32_t>(len), v};
        return LineFormatter::Format(line, LineFormatter::kLineCapacity, format2_.c_str(), args, 6);
    }
    // len x 7.5, truncated, modulo 65536, in exact integer arithmetic.
    const uint32_t t = static_cast<uint32_t>((static_cast<uint64_t>(len) * 15 / 2) & 0xFFFFu);
    const int32_t args[] = {keyValue, b, static_cast<int32_t>(t & 0xFF), static_cast<int32_t>(t >> 8),
                            ch, k, static_cast<int32_t>(len), v};
    return LineFormatter::Format(line, LineFormatter::kLineCapacity, format1_.c_str(), args, 8);
}

void NoteEncoder::encodeNotes(const SmfNoteFile& notes, uint32_t channelMask, LineSink& sink) const
{
    char line[LineFormatter::kLineCapacity];
    for (int c = 0; c < SmfNoteFile::kChannels; ++c) {
        if (!(channelMask & (1u << c))) continue;
        for (const NoteRecord& record : notes.channelNotes(c)) {
            const size_t n = encodeLine(record, line);
            sink.appendLine(line, n);
        }
    }
}
