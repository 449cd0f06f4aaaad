#include "app/dataview/DataView.h"

#include "app/settings/Settings.h"
#include "app/browser/ItemRecord.h"
#include "core/browser/PathUtilities.h"
#include "core/browser/StatusLine.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataFrame.h"
#include "core/encode/NoteEncoder.h"
#include "framework/KvBusyState.h"
#include "framework/KvFont.h"
#include "core/midi/SmfNoteFile.h"

#include <cstring>

namespace {

// Hands the encoder's lines to the view's text.
class ViewSink : public LineSink {
public:
    explicit ViewSink(DataView& view) : view_(view) {}
    void appendLine(const char* line, size_t length) override { view_.appendLine(line, length); }

private:
    DataView& view_;
};

}  // namespace

DataView::DataView(DataFrame* frame) : frame_(frame), font(new KvFont)
{
}

DataView::~DataView() = default;

LRESULT DataView::OnCreate(CREATESTRUCTA*)
{
    // Without a font of its own the view keeps the system's.
    if (font->Create(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "FixedSys"))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), FALSE);
    // The encoding of a long file runs far past the edit control's default
    // limit of 30,000 characters: lift it.
    SendMessage(EM_SETLIMITTEXT, 0, 0);
    return 0;
}

void DataView::appendLine(const char* line, size_t length)
{
    text.append(line, length);
    text += "\r\n";
}

void DataView::showText()
{
    if (GetHandle()) SetWindowText(text.c_str());
}

int DataView::showEncoding()
{
    // A long file takes seconds to show (the edit control's own cost).
    const KvBusyState busy(GetHandle());
    clearText();
    showText();
    if (!noteFile) return 0;
    const Settings& settings = GetSettings();
    const NoteEncoder encoder(settings.PrintFormat1, settings.PrintFormat2);
    ChannelToolBar* toolbar = frame_ ? frame_->GetChannelToolBar() : nullptr;
    const uint32_t channels = toolbar && toolbar->GetHandle()
                                  ? toolbar->SelectedChannels()
                                  : NoteEncoder::SelectedChannels(true, settings.EncodeChannel, 0);
    ViewSink sink(*this);
    encoder.encodeNotes(*noteFile, channels, sink);
    showText();
    return 1;
}

int DataView::loadFile(const ItemRecord* item)
{
    const KvBusyState busy(GetHandle());
    clearText();
    showText();
    setStatus(std::string());
    if (!item) return 0;
    // The record's path is a fixed field: never read past it.
    const std::string path(item->path, strnlen(item->path, sizeof item->path));
    if (!IsMidiExtensionAnyCase(ExtensionOf(path))) return 0;
    path_ = path;
    return readFile();
}

int DataView::reloadFile()
{
    if (!noteFile) return 0;
    clearText();
    showText();
    setStatus(std::string());
    return readFile();
}

int DataView::readFile()
{
    noteFile.reset();  // closes the file shown before
    noteFile.reset(new SmfNoteFile);
    if (noteFile->open(path_) != 0) return 0;
    const bool complete = GetSettings().CompleteReading != 0;
    const bool normalized = GetSettings().NormalizeResolution != 0;
    noteFile->readNotes(complete, normalized);
    setStatus(StatusLine::Of(*noteFile, complete, normalized));
    showEncoding();
    return 1;
}

void DataView::setStatus(const std::string& line)
{
    if (statusSink_) statusSink_(line);
}
