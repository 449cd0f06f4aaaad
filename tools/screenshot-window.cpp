// screenshot-window: shows the main window as the program does, opened at a
// folder with one of its files selected and encoded and a few of the data
// view's lines selected, for the README's picture. Its settings go to a key of its own, so a user's are never
// touched.
//   screenshot-window FOLDER FILE-NAME SECONDS
#include "app/MainApplication.h"
#include "app/MainWindow.h"
#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "app/browser/ItemRecord.h"
#include "app/browser/MidiListView.h"
#include "app/dataview/DataFrame.h"
#include "app/dataview/DataView.h"
#include "framework/KvMessage.h"

#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Selects the row whose path is `path`; false when the list has none.
bool SelectRow(MidiListView* list, const std::string& path)
{
    for (int row = 0; row < int(list->GetItemCount()); ++row) {
        const ItemRecord* record = list->RecordAt(row);
        if (record && lstrcmpiA(record->path, path.c_str()) == 0) {
            list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            list->SendMessage(LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) return 2;
    OleInitialize(nullptr);
    MainApplication app;
    app.instance = GetModuleHandleA(nullptr);
    MainWindow* main = new MainWindow;
    SetMainWindow(main);
    const char key[] = "Software\\velmora-screenshot";
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "LastPath", REG_SZ, argv[1], DWORD(std::strlen(argv[1]) + 1));
    main->GetSettingsRecord()->SetKeyPath(key);
    if (!app.CreateMainWindow()) return 1;
    main->SetWindowPos(nullptr, 0, 0, 1200, 640, SWP_NOZORDER);
    main->Reveal(SW_SHOWNORMAL);
    const bool selected = SelectRow(main->GetRightFrame()->GetFileList(), std::string(argv[1]) + "\\" + argv[2]);
    // From the middle of the third line to the end of the fifth, with the focus in the view.
    DataView* view = main->GetRightFrame()->GetDataFrame()->GetDataView();
    const TextLayout& lines = view->Layout();
    view->SetFocus();
    view->SendMessage(EM_SETSEL, (lines.LineStart(2) + lines.LineEnd(2)) / 2, lines.LineEnd(4));

    SetTimer(nullptr, 0, UINT(std::atoi(argv[3]) * 1000), nullptr);
    KvMessage message;
    while (message.GetMessage(nullptr, 0, 0) > 0) {
        if (message.msg.message == WM_TIMER) break;
        MainApplication::HandleMessage(message, nullptr, main->GetHandle());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    return selected ? 0 : 1;
}
