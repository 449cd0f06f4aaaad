#include "app/MainApplication.h"

#include "app/FrameClass.h"
#include "app/MainWindow.h"
#include "app/RightFrame.h"
#include "app/browser/MidiListView.h"
#include "app/settings/Settings.h"
#include "framework/KvMessage.h"
#include "framework/KvRegKey.h"
#include "app/browser/FolderTreeView.h"
#include "app/browser/IconPrefetch.h"
#include "resources/resource.h"

#include <ole2.h>

#include <cstdlib>
#include <cstring>

const char MainApplication::kUnregistered[] = "レジストリ情報を削除しました。";

MainApplication::~MainApplication()
{
    MainWindow* main = GetMainWindow();
    SetMainWindow(nullptr);
    delete main;
}

bool MainApplication::IsUnregisterSwitch(int argc, char** argv)
{
    return argc >= 2 && argv[1] && lstrcmpiA(argv[1], "/u") == 0;
}

bool MainApplication::DeleteSettingsKey(const char* keyPath)
{
    KvRegKey key;
    DWORD disposition = 0;
    if (key.Create(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | DELETE, nullptr,
                   &disposition) != ERROR_SUCCESS)
        return false;
    const bool deleted = key.DeleteKey("") == ERROR_SUCCESS;
    key.Close();
    return deleted;
}

bool MainApplication::CreateMainWindow()
{
    MainWindow* main = GetMainWindow();
    if (!main) return false;
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELMORA));
    RegisterFrameClass("OrvApplication", icon, icon, reinterpret_cast<LPCSTR>(IDC_SIZEWE));

    Settings& settings = *main->GetSettingsRecord();
    settings.Load();
    return main->Create(0, "OrvApplication", MainWindow::kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        settings.WindowLeft, settings.WindowTop, settings.WindowWidth, settings.WindowHeight,
                        nullptr, nullptr, instance, nullptr) != nullptr;
}

void MainApplication::HandleMessage(KvMessage& message, HACCEL accelerators, HWND mainWindow)
{
    if (accelerators && TranslateAcceleratorA(mainWindow, accelerators, &message.msg)) return;
    if (message.msg.message == WM_KEYDOWN && message.msg.wParam == VK_TAB) {
        KvWindow* next = (GetKeyState(VK_SHIFT) & 0x8000) ? KvWindow::PrevTabStop() : KvWindow::NextTabStop();
        if (next && next->GetHandle()) ::SetFocus(next->GetHandle());
        return;
    }
    message.TranslateMessage();
    message.DispatchMessage();
}

int MainApplication::Run()
{
    if (IsUnregisterSwitch(__argc, __argv)) {
        if (DeleteSettingsKey(Settings::kKey))
            MessageBoxA(nullptr, kUnregistered, MainWindow::kTitle, MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    // The shell's clipboard verbs (copy and cut in a file's context menu)
    // report success and do nothing unless OLE is initialised.
    const HRESULT ole = OleInitialize(nullptr);
    const int code = RunMainWindow();
    if (SUCCEEDED(ole)) OleUninitialize();
    return code;
}

int MainApplication::RunMainWindow()
{
    // Without a main window the loop would wait for a quit message that
    // never comes.
    if (!CreateMainWindow()) return 0;
    const IconPrefetch prefetch;
    MainWindow* main = GetMainWindow();
    // A folder or file named on the command line opens as if dropped, before
    // the window is first drawn; the history starts with it.
    if (__argc >= 2 && __argv[1]) {
        main->OpenPath(__argv[1]);
        main->StartHistory();
    }
    // A file's row has the focus, else the tree.
    KvWindow* list = main->GetRightFrame()->GetFileList();
    const bool fileSelected = list->GetHandle() && GetFocus() == list->GetHandle();
    main->Reveal(showCommand);
    KvWindow* focused = fileSelected ? list : main->GetFolderTree();
    if (focused->GetHandle()) ::SetFocus(focused->GetHandle());
    const HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

    KvMessage message;
    BOOL got;
    while ((got = message.GetMessage(nullptr, 0, 0)) != 0) {
        if (got == -1) break;
        HandleMessage(message, accelerators, main->GetHandle());
    }
    return int(message.msg.wParam);
}
