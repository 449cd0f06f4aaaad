#include "core/encode/NoteEncoder.h"

#include "core/encode/LineFormatter.h"
#include "core/text/KvText.h"
#include "core/midi/SmfNoteFile.h"

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

namespace {

// The codes by ticks / 10: every length of the table is a multiple of 10.
struct LengthCodes {
    uint8_t byTens[193];
    constexpr LengthCodes() : byTens()
    {
        const uint32_t ticks[15] = {60,   // thirty-second
                                    80,   // sixteenth triplet
                                    90,   // dotted thirty-second
                                    120,  // sixteenth
                                    160,  // eighth triplet
                                    180,  // dotted sixteenth
                                    240,  // eighth
                                    320,  // quarter triplet
                                    360,  // dotted eighth
                                    480,  // quarter
                                    640,  // half triplet
                                    720,  // dotted quarter
                                    960,  // half
                                    1440, // dotted half
                                    1920};// whole
        for (int i = 0; i < 15; ++i) byTens[ticks[i] / 10] = static_cast<uint8_t>(0x10 * (i + 1));
    }
};
constexpr LengthCodes kLengthCodes;

}  // namespace

uint32_t NoteEncoder::LengthCode(uint32_t ticks)
{
    return ticks <= 1920 && ticks % 10 == 0 ? kLengthCodes.byTens[ticks / 10] : 0;
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
        return format2_.format(line, args, 6);
    }
    // len x 7.5, truncated, modulo 65536, in exact integer arithmetic.
    const uint32_t t = static_cast<uint32_t>((static_cast<uint64_t>(len) * 15 / 2) & 0xFFFFu);
    const int32_t args[] = {keyValue, b, static_cast<int32_t>(t & 0xFF), static_cast<int32_t>(t >> 8),
                            ch, k, static_cast<int32_t>(len), v};
    return format1_.format(line, args, 8);
}

void NoteEncoder::encodeNotes(const SmfNoteFile& notes, uint32_t channelMask, LineSink& sink) const
{
    // Each line goes straight into the sink's buffer when it lends one; the
    // room left must hold the longest line, its CR LF (and the terminator
    // the formatter writes after it).
    constexpr size_t kLongestLine = LineFormatter::kLineCapacity + 2;
    static_assert(LineSink::kTextSpace >= kLongestLine, "room for one line at least");
    size_t room = 0, used = 0;
    char* text = sink.textSpace(room);
    if (room < kLongestLine) text = nullptr;
    char line[LineFormatter::kLineCapacity];

    for (int c = 0; c < SmfNoteFile::kChannels; ++c) {
        if (!(channelMask & (1u << c))) continue;
        const SmfNoteFile::NoteList& list = notes.channelNotes(c);
        for (size_t b = 0; b < list.blockCount(); ++b) {
            const NoteRecord* record = list.blockData(b);
            const NoteRecord* const end = record + list.blockLength(b);
            for (; record != end; ++record) {
                if (text && room - used < kLongestLine) {
                    sink.textWritten(used);
                    used = 0;
                    text = sink.textSpace(room);
                    if (room < kLongestLine) text = nullptr;
                }
                if (!text) {
                    sink.appendLine(line, encodeLine(*record, line));
                    continue;
                }
                const size_t n = encodeLine(*record, text + used);
                text[used + n] = '\r';
                text[used + n + 1] = '\n';
                used += n + 2;
            }
        }
    }
    if (text) sink.textWritten(used);
}

size_t NoteEncoder::lineRoom() const
{
    const size_t longest = format1_.longest() > format2_.longest() ? format1_.longest() : format2_.longest();
    return longest + 2;
}

size_t NoteEncoder::encodeRecords(const NoteList& list, size_t first, size_t count, char* out) const
{
    char* at = out;
    while (count) {
        const size_t block = first >> NoteList::kBlockShift;
        const size_t offset = first & (NoteList::kBlockRecords - 1);
        size_t run = list.blockLength(block) - offset;
        if (run > count) run = count;
        const NoteRecord* record = list.blockData(block) + offset;
        for (const NoteRecord* const end = record + run; record != end; ++record) {
            at += encodeLine(*record, at);
            at[0] = '\r';
            at[1] = '\n';
            at += 2;
        }
        first += run;
        count -= run;
    }
    return static_cast<size_t>(at - out);
}
