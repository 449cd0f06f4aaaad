#pragma once
// The probe: looks at a running velmora.exe from another process, as a user
// sees it: its windows found by class and control id, their texts, fonts and
// button states, and real key input through SendInput. Every question to the
// program has a timeout, so a program that stopped answering fails the test
// instead of hanging it.
//
// Fonts cannot be read this way: under Wine 8 a WM_GETFONT sent from another
// process never reaches the window and answers 0, for every window (measured
// on a property sheet's own OK button as on the data view). Fonts are checked
// inside the process, on a main window made as the program makes it.
#include <windows.h>

#include <string>

class Probe {
public:
    // Starts the program with `arguments` and waits for its main window.
    explicit Probe(const std::string& arguments = "");
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    HWND main() const { return main_; }
    // The exit code, or -1 when the program did not end within `ms`.
    long exitCode(DWORD ms = 15000);

    // A window of the program (top-level, not hidden) with this class and title.
    HWND waitForTopLevel(const char* cls, const char* title, DWORD ms = 5000) const;

    // The first descendant of `parent` of class `cls` with control id `id`
    // (visible ones first when `visibleOnly`).
    static HWND findChild(HWND parent, const char* cls, int id, bool visibleOnly = false);
    // True when the window's thread handles a message within `ms`.
    static bool answers(HWND window, DWORD ms = 1000);
    // The window that has the keyboard focus in the program's thread.
    HWND focus() const;

    // Presses and releases each key in turn (virtual-key codes).
    static void pressKeys(const std::string& keys);

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND main_ = nullptr;
};

// Sets a number in the program's settings key (made when missing).
void WriteProgramSetting(const char* name, DWORD value);
bool ReadProgramSetting(const char* name, DWORD& value);
bool ReadProgramSetting(const char* name, std::string& value);
