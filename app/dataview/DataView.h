#pragma once
// DataView: the read-only text view of the data view frame that shows the
// encoded lines of the selected MIDI file. It owns the font it shows them in
// and the note lists of the file it shows, so that a change of channels
// encodes again without reading the file; the encoder writes its lines
// straight into the view's text.
#include "framework/KvTextView.h"

#include <functional>
#include <memory>
#include <string>

class DataFrame;
class KvFont;
class SmfNoteFile;
struct ItemRecord;

class DataView : public KvTextView {
public:
    explicit DataView(DataFrame* frame);
    ~DataView() override;

    LRESULT OnCreate(CREATESTRUCTA* create) override;

    // Both run in the busy state (wait cursor, mouse captured by the view),
    // which they leave on every path, and set the view's text once (a
    // reload without a loaded file leaves it as it is).
    //
    // Loads the MIDI file of the row that became selected, encodes it and
    // shows it: 1 when it was loaded, else 0 (the view is then empty). A
    // file whose extension is not "mid" (any case) keeps the file loaded
    // before, so that a later channel change shows it again. The file is
    // read completely when the CompleteReading setting says so, with lengths
    // at 480 ticks per quarter when NormalizeResolution says so.
    int loadFile(const ItemRecord* item);
    // Reads the loaded file again, the way CompleteReading and
    // NormalizeResolution now say, and shows it: 1 when a file is loaded, else 0.
    int reloadFile();
    // Called with the status bar's line (StatusLine) whenever a file is
    // shown, and with an empty line whenever the view is emptied.
    void setStatusSink(std::function<void(const std::string&)> sink) { statusSink_ = std::move(sink); }
    // Encodes the loaded file with the channels the toolbar chooses and
    // shows it; 1 when a file is loaded, else 0.
    int showEncoding();

    void appendLine(const char* line, size_t length);
    void appendLine(const std::string& line) { appendLine(line.data(), line.size()); }
    void clearText() { TextBuffer().clear(); }
    void showText() { ShowText(); }
    const std::string& GetTextBuffer() const { return Text(); }
    // The path of the MIDI file loaded last; empty before the first.
    const std::string& GetLoadedPath() const { return path_; }

private:
    DataFrame* frame_;
    std::unique_ptr<KvFont> font;
    std::unique_ptr<SmfNoteFile> noteFile;
    std::string path_;  // of the loaded file
    std::function<void(const std::string&)> statusSink_;

    int readFile();
    int showNothing();
    void setStatus(const std::string& line);
};
