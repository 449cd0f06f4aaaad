// screenshot-window: shows the main window as the program does, with a MIDI
// file encoded in its data view, for the README's picture. Its settings go
// to a key of its own, so a user's are never touched.
//   screenshot-window FILE.mid SECONDS
#include "app/MainApplication.h"
#include "app/MainWindow.h"
#include "app/RightFrame.h"
#include "app/settings/Settings.h"
#include "browser/shell/ItemRecord.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "framework/KvMessage.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    MainApplication app;
    app.instance = GetModuleHandleA(nullptr);
    MainWindow* main = new MainWindow;
    SetMainWindow(main);
    const char key[] = "Software\\velmora-screenshot";
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    main->GetSettings()->SetKeyPath(key);
    if (!app.CreateMainWindow()) return 1;
    main->SetWindowPos(nullptr, 0, 0, 900, 600, SWP_NOZORDER);
    main->ShowWindow(SW_SHOWNORMAL);

    ItemRecord item{};
    std::strncpy(item.path, argv[1], sizeof item.path - 1);
    char folder[MAX_PATH] = {};
    std::strncpy(folder, argv[1], sizeof folder - 1);
    if (char* slash = std::strrchr(folder, '\\')) *slash = '\0';
    main->SetTitleFolder(folder);
    main->GetRightFrame()->GetDataFrame()->GetDataView()->loadFile(&item);

    SetTimer(nullptr, 0, UINT(std::atoi(argv[2]) * 1000), nullptr);
    KvMessage message;
    while (message.GetMessage(nullptr, 0, 0) > 0) {
        if (message.msg.message == WM_TIMER) break;
        MainApplication::HandleMessage(message, nullptr, main->GetHandle());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    return 0;
}
