#pragma once
// NoteEncoder: turns the note lists of an SmfNoteFile into assembler lines,
// one per note or rest. A length that is one of fifteen note values (at 480
// ticks per quarter, matched exactly) is written in the short form, its code
// packed with the velocity's top four bits into one byte; any other length in
// the long form, which carries length x 7.5 as a 16-bit value.
//
// The encoder takes plain values: the line formats as stored (with
// backslash-t pairs), the mask of the channels to write, and a sink for the
// lines. The data view and the command-line encoder are its callers, so both
// write the same bytes.
#include "core/encode/CompiledFormat.h"
#include "core/midi/NoteList.h"
#include "core/midi/NoteRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>

class SmfNoteFile;

// Receives the encoder's lines, one call per line, without line ends. The
// line lies in a buffer of LineFormatter::kLineCapacity bytes, of which the
// first `length` are the line.
//
// A sink that gathers the text in memory, each line followed by CR LF, may
// instead lend the encoder its buffer: textSpace gives room for at least
// kTextSpace bytes (or nullptr, and appendLine is used), the encoder writes
// whole lines with their CR LF there and reports their bytes to textWritten
// before asking again.
class LineSink {
public:
    static constexpr size_t kTextSpace = 4096;

    virtual ~LineSink() = default;
    virtual void appendLine(const char* line, size_t length) = 0;
    virtual char* textSpace(size_t& room)
    {
        room = 0;
        return nullptr;
    }
    virtual void textWritten(size_t) {}
};

class NoteEncoder {
public:
    // The stored defaults of the two line formats.
    static const char kDefaultFormat1[];  // long form
    static const char kDefaultFormat2[];  // short form
    static constexpr uint32_t kDefaultEncodeChannel = 0xFDFF;

    // format1: long form (lengths without a code); format2: short form.
    NoteEncoder(const std::string& format1, const std::string& format2);

    // The code of a length in ticks (0x10 to 0xF0), or 0 when it has none.
    static uint32_t LengthCode(uint32_t ticks);

    // The channels to write: with the toolbar's options button (40025)
    // checked those of encodeChannel, otherwise those whose channel button is
    // checked (bit n of channelButtons for CH n+1).
    static uint32_t SelectedChannels(bool optionsButtonChecked, uint32_t encodeChannel,
                                     uint32_t channelButtons);

    // Formats one record into line (LineFormatter::kLineCapacity bytes) and
    // returns its length.
    size_t encodeLine(const NoteRecord& record, char* line) const;

    // Writes the lines of every selected channel, channel 0 first.
    void encodeNotes(const SmfNoteFile& notes, uint32_t channelMask, LineSink& sink) const;

    // The longest line with its CR LF.
    size_t lineRoom() const;
    // Writes the lines of `count` records of `list` from record `first`,
    // each ended by CR LF, into `out`, which holds count * lineRoom() +
    // LineFormatter::kLineCapacity bytes at least (the formatter may use a
    // whole line's capacity as scratch after the last line); returns the
    // bytes written.
    size_t encodeRecords(const NoteList& list, size_t first, size_t count, char* out) const;

    // The formats in use, with backslash-t pairs turned into tabs.
    const std::string& format1() const { return format1_.text(); }
    const std::string& format2() const { return format2_.text(); }

private:
    CompiledFormat format1_;
    CompiledFormat format2_;
};
