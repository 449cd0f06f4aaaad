#pragma once
// Helpers of the application's window tests: a main window made as the
// program makes it (with a settings key of the test's own), the program
// itself as another process, a message pump, an answerer of its message
// boxes on a thread of its own, and clipboard and registry access.
#include "app/MainApplication.h"
#include "app/MainWindow.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

class ChannelToolBar;

// A format 0 song: key 60 on channel 0 for 480 ticks, key 64 on channel 2
// for 500 ticks; the data view's line of each.
Bytes TwoChannels();
extern const char kCh0[];
extern const char kCh2[];

std::string TestKeyPath();  // a settings key of this test process
void DeleteTestKey();
// Values under HKEY_CURRENT_USER\`key` (the key is made when missing).
void WriteValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size);
bool ReadNumberAt(const std::string& key, const char* name, DWORD& value);
bool ReadTextAt(const std::string& key, const char* name, std::string& text);

// Runs the queued messages through the program's loop body until none is left.
void Pump();

std::string ClipboardText();

// Clicks a toolbar button as the mouse would, so that the toolbar toggles it.
void ClickButton(ChannelToolBar* toolbar, UINT id);

// Waits on its own thread for the program's message box, then presses its
// button `id` as a person would; `text` is the box's once `seen` or joined.
struct MessageBoxAnswer {
    explicit MessageBoxAnswer(int id);
    ~MessageBoxAnswer();
    void join();

    std::atomic<bool> stop{false}, seen{false};
    std::string text;
    std::thread thread;
};

// The program itself (or another), started as a process and ended at the end
// of the scope when it still runs. Every question to it has a timeout, so a
// program that stopped answering fails the test instead of hanging it.
struct Program {
    explicit Program(const std::string& arguments, const char* exe = VELMORA_EXE);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // The exit code, or -1 when it did not end within the time.
    long exitCode(DWORD ms = 15000);
    // A visible top-level window of the program, or null after `ms`.
    HWND window(const char* cls, const char* title, DWORD ms = 5000) const;
    HWND mainWindow() const { return window("OrvApplication", nullptr, 10000); }
    BOOL started = FALSE;
    PROCESS_INFORMATION pi{};
};

// Polls `done` until it is true or `ms` milliseconds have passed.
template <class Done>
bool WaitFor(Done done, DWORD ms = 10000)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20))
        if (done()) return true;
    return done();
}

// A main window made as the program makes it, in a settings key of the
// test's own; `Prepare` may write stored values before they are loaded.
class AppWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual void Prepare() {}

    void WriteText(const char* name, const std::string& text)
    {
        WriteValue(TestKeyPath(), name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
    }

    MainApplication app;
    MainWindow* main = nullptr;
};
