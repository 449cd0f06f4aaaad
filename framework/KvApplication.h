#pragma once
// KvApplication: the one application object of a program (a static object of
// a derived class). The entry point stores its arguments here and runs
// Initialize and Run.
#include <windows.h>

class KvApplication {
public:
    KvApplication();
    virtual ~KvApplication();
    KvApplication(const KvApplication&) = delete;
    KvApplication& operator=(const KvApplication&) = delete;

    // 0 ends the program with exit code 0 before Run.
    virtual int Initialize();
    // The program's exit code.
    virtual int Run();

    void Init(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

    // The process's application object (the last constructed), or null.
    static KvApplication* GetApplication();
    // The instance handle for class registration: the application's, or the
    // program module's while there is no application or it has no instance
    // yet (objects made during static initialisation).
    static HINSTANCE GetInstanceHandle();

    HINSTANCE instance = nullptr;
    HINSTANCE previousInstance = nullptr;
    LPSTR commandLine = nullptr;
    int showCommand = 0;
};

// The program entry, also reachable for tests: what WinMain does.
int KvRunApplication(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                     int showCommand);
