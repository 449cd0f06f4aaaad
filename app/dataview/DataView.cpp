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
    return 0;
}

void DataView::appendLine(const char* line, size_t length)
{
    std::string& text = TextBuffer();
    text.append(line, length);
    text += "\r\n";
}

int DataView::showNothing()
{
    clearText();
    showText();
    return 0;
}

int DataView::showEncoding()
{
    const KvBusyState busy(GetHandle());
    if (!noteFile) return showNothing();
    const Settings& settings = GetSettings();
    const NoteEncoder encoder(settings.PrintFormat1, settings.PrintFormat2);
    ChannelToolBar* toolbar = frame_ ? frame_->GetChannelToolBar() : nullptr;
    const uint32_t channels = toolbar && toolbar->GetHandle()
                                  ? toolbar->SelectedChannels()
                                  : NoteEncoder::SelectedChannels(true, settings.EncodeChannel, 0);
    clearText();
    ViewSink sink(*this);
    encoder.encodeNotes(*noteFile, channels, sink);
    showText();
    return 1;
}

int DataView::loadFile(const ItemRecord* item)
{
    const KvBusyState busy(GetHandle());
    setStatus(std::string());
    if (!item) return showNothing();
    // The record's path is a fixed field: never read past it.
    const std::string path(item->path, strnlen(item->path, sizeof item->path));
    if (!IsMidiExtensionAnyCase(ExtensionOf(path))) return showNothing();
    path_ = path;
    return readFile();
}

int DataView::reloadFile()
{
    const KvBusyState busy(GetHandle());
    if (!noteFile) return 0;
    setStatus(std::string());
    return readFile();
}

int DataView::readFile()
{
    noteFile.reset();  // closes the file shown before
    noteFile.reset(new SmfNoteFile);
    if (noteFile->open(path_) != 0) return showNothing();
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
