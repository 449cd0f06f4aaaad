#pragma once
// MainApplication: the program's application object. Run handles the /u
// switch, or brings up the main window and runs the message loop.
#include "framework/KvApplication.h"

class KvMessage;

class MainApplication : public KvApplication {
public:
    static const char kUnregistered[];

    ~MainApplication() override;
    int Run() override;

    // The switch test: the first argument is "/u" in any case.
    static bool IsUnregisterSwitch(int argc, char** argv);
    // Deletes the settings key under `keyPath`; true when it was deleted.
    static bool DeleteSettingsKey(const char* keyPath);
    // Registers "OrvApplication", loads the settings and creates the main
    // window; false when no window could be made.
    bool CreateMainWindow();
    // One pass of the loop for a message taken from the queue: the
    // accelerators, the Tab key's focus move, or translate and dispatch.
    static void HandleMessage(KvMessage& message, HACCEL accelerators, HWND mainWindow);

private:
    // Creates and shows the main window and runs the loop; the exit code.
    int RunMainWindow();
};
