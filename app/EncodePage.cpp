#include "app/EncodePage.h"

#include "app/settings/Settings.h"
#include "encode/NoteEncoder.h"
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
    for (KvButton*& box : channelBoxes) {
        delete box;
        box = nullptr;
    }
    delete format2Box;
    format2Box = nullptr;
    delete format1Box;
    format1Box = nullptr;
}

LRESULT EncodePage::OnInitDialog()
{
    ReleaseWrappers();
    const Settings& settings = GetSettings();
    for (int i = 0; i < 16; ++i) {
        channelBoxes[i] = new KvButton(GetDlgItem(IDC_CHANNEL_FIRST + i));
        channelBoxes[i]->SetCheck(((settings.EncodeChannel >> i) & 1) ? BST_CHECKED : BST_UNCHECKED);
    }
    format1Box = new KvEdit(GetDlgItem(IDC_FORMAT1));
    format2Box = new KvEdit(GetDlgItem(IDC_FORMAT2));
    format1Box->SetText(settings.GetPrintFormat1().c_str());
    format2Box->SetText(settings.GetPrintFormat2().c_str());
    return TRUE;
}

LRESULT EncodePage::OnCommand(UINT, UINT id, KvWindow*)
{
    if (!format1Box) return 1;
    switch (id) {
    case IDC_SELECT_ALL:
    case IDC_CLEAR_ALL:
        for (KvButton* box : channelBoxes) box->SetCheck(id == IDC_SELECT_ALL ? BST_CHECKED : BST_UNCHECKED);
        break;
    case IDC_DEFAULT_FORMATS:
        if (MessageBox(kRestoreQuestion, "velmora", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
            format1Box->SetText(NoteEncoder::kDefaultFormat1);
            format2Box->SetText(NoteEncoder::kDefaultFormat2);
        }
        break;
    default:
        break;  // a channel box toggles itself
    }
    return 1;
}

LRESULT EncodePage::OnApply(PSHNOTIFY*)
{
    if (!format1Box) return 1;
    Settings& settings = GetSettings();
    for (int i = 0; i < 16; ++i) {
        if (channelBoxes[i]->GetCheck() == BST_CHECKED) settings.EncodeChannel |= 1u << i;
        else settings.EncodeChannel &= ~(1u << i);
    }
    settings.SetPrintFormat1(format1Box->GetText());
    settings.SetPrintFormat2(format2Box->GetText());
    return 1;
}

UINT EncodePage::OnPageRelease(PROPSHEETPAGEA*)
{
    ReleaseWrappers();
    return 1;
}
