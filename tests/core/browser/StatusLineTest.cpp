// The status bar's line: the file's facts, then the hints of what the
// reading leaves out.
#include "core/browser/StatusLine.h"
#include "core/midi/SmfNoteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

TEST(StatusLine, FactsThenWhatTheReadingLeavesOut)
{
    // Format 1 at 96: one note in the first track, two in the second.
    const Bytes note = {0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0}, end = {0x00, 0xFF, 0x2F, 0x00};
    const Bytes twoTracks =
        Cat({HeaderChunk(1, 2, 96), TrackChunk(Cat({note, end})), TrackChunk(Cat({note, note, end}))});
    const char kResolution[] = "分解能 96 では長さコードが使えません。[480 に揃える] で使えます。";
    const struct {
        const char* what;
        Bytes file;
        bool complete, normalized;
        std::string line;
    } cases[] = {
        {"both hints", twoTracks, false, false,
         "SMF 1・2 トラック・分解能 96・音符 1　2 トラック目以降に 2 ノートがあります。[完全読み込み] で読めます。　" +
             std::string(kResolution)},
        {"complete reading", twoTracks, true, false, "SMF 1・2 トラック・分解能 96・音符 3　" + std::string(kResolution)},
        {"normalised", twoTracks, false, true,
         "SMF 1・2 トラック・分解能 96・音符 1　2 トラック目以降に 2 ノートがあります。[完全読み込み] で読めます。"},
        {"SMPTE", Cat({HeaderChunk(0, 1, 0xE728), TrackChunk(Cat({note, end}))}), false, false,
         "SMF 0・1 トラック・分解能 SMPTE 25 fps × 40・音符 1"},
        {"division 0", Cat({HeaderChunk(0, 1, 0), TrackChunk(Cat({note, end}))}), false, false,
         "SMF 0・1 トラック・分解能 0・音符 1"},
    };
    for (const auto& c : cases) {
        ReaderOn<SmfNoteFile> notes(c.file);
        notes.readNotes(c.complete, c.normalized);
        EXPECT_EQ(c.line, StatusLine::Of(notes, c.complete, c.normalized)) << c.what;
    }
}

TEST(StatusLine, CompleteReadingHintGroupsTheCountsAndNamesOnlyWhatIsThere)
{
    ReadingHints later;  // no running status: the hint does not name it
    later.laterTrackNotes = 2974;
    later.noteOffs = 1;
    EXPECT_EQ("2 トラック目以降に 2,974 ノート、ノートオフ (8n) 1 個があります。[完全読み込み] で読めます。",
              StatusLine::CompleteReadingHint(later));
}
