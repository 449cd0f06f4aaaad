#include "encode/view/DataView.h"

#include "app/settings/Settings.h"
#include "browser/shell/ItemRecord.h"
#include "browser/PathUtilities.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "encode/NoteEncoder.h"
#include "framework/KvBusyState.h"
#include "framework/KvFont.h"
#include "midi/SmfNoteFile.h"

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

bool IsMidiExtension(const std::string& extension)
{
    return extension.size() == 3 && (extension[0] | 0x20) == 'm' && (extension[1] | 0x20) == 'i' &&
           (extension[2] | 0x20) == 'd';
}

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
    const NoteEncoder encoder(settings.GetPrintFormat1(), settings.GetPrintFormat2());
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
    if (!item) return 0;
    // The record's path is a fixed field: never read past it.
    const std::string path(item->path, strnlen(item->path, sizeof item->path));
    if (!IsMidiExtension(ExtensionOf(path))) return 0;
    noteFile.reset();  // closes the file shown before
    noteFile.reset(new SmfNoteFile);
    if (noteFile->open(path) != 0) return 0;
    noteFile->readEvents();
    showEncoding();
    return 1;
}
