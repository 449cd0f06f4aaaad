#include "core/browser/StatusLine.h"

#include "core/browser/PathUtilities.h"
#include "core/midi/ResolutionScale.h"
#include "core/midi/SmfNoteFile.h"

namespace {

const char kGap[] = "　";  // between the facts and each hint

std::string DivisionText(uint16_t division)
{
    // SMPTE: frames per second as a negative high byte, ticks per frame.
    if (division & 0x8000)
        return "SMPTE " + std::to_string(256 - (division >> 8)) + " fps × " + std::to_string(division & 0xFF);
    return std::to_string(division);
}

}  // namespace

std::string StatusLine::Of(const SmfNoteFile& notes, bool complete, bool normalized)
{
    std::string line = Facts(notes.header(), notes.noteCount());
    for (const std::string& hint : {complete ? std::string() : CompleteReadingHint(notes.completeReadingHints()),
                                    normalized ? std::string() : ResolutionHint(notes.header().division)})
        if (!hint.empty()) line += kGap + hint;
    return line;
}

std::string StatusLine::Facts(const SmfHeader& header, uint64_t notes)
{
    return "SMF " + std::to_string(header.format) + "・" + std::to_string(header.trackCount) + " トラック・分解能 " +
           DivisionText(header.division) + "・音符 " + GroupThousands(notes);
}

std::string StatusLine::CompleteReadingHint(const ReadingHints& hints)
{
    if (!hints.any()) return std::string();
    std::string seen;
    auto add = [&seen](const char* before, uint64_t count, const char* after) {
        if (!count) return;
        seen += (seen.empty() ? "" : "、") + std::string(before) + GroupThousands(count) + after;
    };
    add("2 トラック目以降に ", hints.laterTrackNotes, " ノート");
    add("ランニングステータスのイベント ", hints.runningStatusEvents, " 個");
    add("ノートオフ (8n) ", hints.noteOffs, " 個");
    return seen + "があります。[完全読み込み] で読めます。";
}

std::string StatusLine::ResolutionHint(uint16_t division)
{
    if (!ResolutionScale::Applies(division)) return std::string();
    return "分解能 " + std::to_string(division) + " では長さコードが使えません。[480 に揃える] で使えます。";
}
