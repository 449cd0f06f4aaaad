#include "app/EncodePage.h"

#include "app/MainWindow.h"
#include "app/settings/Settings.h"
#include "core/encode/NoteEncoder.h"
#include "framework/KvButton.h"
#include "framework/KvEdit.h"
#include "resources/resource.h"

const char EncodePage::kRestoreQuestion[] = "現在の出力フォーマットが失われます。\nよろしいですか？";

EncodePage::EncodePage() = default;

EncodePage::~EncodePage()
{
    ReleaseWrappers();
}

void EncodePage::ReleaseWrappers()
{
    for (auto& box : channelBoxes) box.reset();
    format2Box.reset();
    format1Box.reset();
}

void EncodePage::SetChecks(const ChannelMask::Checks& checks)
{
    for (size_t i = 0; i < channelBoxes.size(); ++i)
        channelBoxes[i]->SetCheck(checks[i] ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT EncodePage::OnInitDialog()
{
    ReleaseWrappers();
    const Settings& settings = GetSettings();
    for (size_t i = 0; i < channelBoxes.size(); ++i)
        channelBoxes[i] = std::make_unique<KvButton>(GetDlgItem(IDC_CHANNEL_FIRST + int(i)));
    format1Box = std::make_unique<KvEdit>(GetDlgItem(IDC_FORMAT1));
    format2Box = std::make_unique<KvEdit>(GetDlgItem(IDC_FORMAT2));
    filling_ = true;
    SetChecks(ChannelMask::ChecksOf(settings.EncodeChannel));
    format1Box->SetText(settings.PrintFormat1.c_str());
    format2Box->SetText(settings.PrintFormat2.c_str());
    filling_ = false;
    return TRUE;
}

LRESULT EncodePage::OnCommand(UINT code, UINT id, KvWindow*)
{
    if (!format1Box) return 1;
    switch (id) {
    case IDC_SELECT_ALL:
    case IDC_CLEAR_ALL: {
        ChannelMask::Checks checks;
        checks.fill(id == IDC_SELECT_ALL);
        SetChecks(checks);
        SetModified();
        break;
    }
    case IDC_DEFAULT_FORMATS:
        // The new texts offer Apply through their change notifications.
        if (MessageBox(kRestoreQuestion, MainWindow::kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
            format1Box->SetText(NoteEncoder::kDefaultFormat1);
            format2Box->SetText(NoteEncoder::kDefaultFormat2);
        }
        break;
    case IDC_FORMAT1:
    case IDC_FORMAT2:
        if (code == EN_CHANGE && !filling_) SetModified();
        break;
    default:
        // A channel box toggles itself.
        if (id >= IDC_CHANNEL_FIRST && id < IDC_CHANNEL_FIRST + ChannelMask::kChannels && code == BN_CLICKED)
            SetModified();
        break;
    }
    return 1;
}

LRESULT EncodePage::OnApply(PSHNOTIFY*)
{
    if (!format1Box) return 1;
    Settings& settings = GetSettings();
    ChannelMask::Checks checks{};
    for (size_t i = 0; i < channelBoxes.size(); ++i) checks[i] = channelBoxes[i]->GetCheck() == BST_CHECKED;
    settings.EncodeChannel = ChannelMask::WithChecks(settings.EncodeChannel, checks);
    settings.PrintFormat1 = format1Box->GetText();
    settings.PrintFormat2 = format2Box->GetText();
    if (MainWindow* main = GetMainWindow()) main->OptionsApplied();
    return 1;
}

UINT EncodePage::OnPageRelease(PROPSHEETPAGEA*)
{
    ReleaseWrappers();
    return 1;
}
