// velmora-view-bench: times the data view on generated songs of 10,000 and
// 100,000 notes in a main window made as the program makes it (Windows, run
// under Wine), side by side with a bare read-only multi-line EDIT given the
// same text by SetWindowTextA: the selection of a row to the first screen
// drawn, a channel change, Ctrl+End, and the view's memory beside its text.
// See tools/bench/README.md.
#include "app/MainApplication.h"
#include "app/MainWindow.h"
#include "app/RightFrame.h"
#include "app/browser/MidiListView.h"
#include "app/dataview/DataFrame.h"
#include "app/dataview/DataView.h"
#include "app/settings/Settings.h"
#include "framework/KvMessage.h"
#include "resources/resource.h"
#include "tools/bench/BenchMidi.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kBenchKey[] = "Software\\velmora-bench\\view";
const size_t kNotes[] = {10000, 100000};

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

void Pump()
{
    KvMessage message;
    while (PeekMessageA(&message.msg, nullptr, 0, 0, PM_REMOVE)) {
        if (message.msg.message != WM_QUIT) MainApplication::HandleMessage(message, nullptr, nullptr);
    }
}

// Median, min and max of `runs` timings of `work`, each after `prepare`.
struct Figures {
    double median, low, high;
};
Figures Time(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        Pump();
        const double start = Seconds();
        work();
        times.push_back(Seconds() - start);
        Pump();
    }
    if (times.empty()) return {0, 0, 0};
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

void Print(const char* what, size_t notes, const Figures& ours, const Figures* floor, double goal)
{
    std::printf("%-22s %7zu notes  velmora %8.1f ms (%.1f-%.1f)", what, notes, ours.median * 1e3, ours.low * 1e3,
                ours.high * 1e3);
    if (floor)
        std::printf("  bare EDIT %8.1f ms (%.1f-%.1f)", floor->median * 1e3, floor->low * 1e3, floor->high * 1e3);
    std::printf("  goal <= %.0f ms: %s\n", goal * 1e3, ours.median <= goal ? "met" : "MISSED");
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

void SelectRow(HWND list, int row, bool selected)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = selected ? state.stateMask : 0;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&state));
}

void ControlKey(HWND window, WPARAM key)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(window, WM_KEYDOWN, key, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int floorRuns = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;  // 0: no floor
    const std::string folder = ProgramFolder() + "\\view-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (size_t notes : kNotes) {
        char name[64];
        std::snprintf(name, sizeof name, "\\n%06zu.mid", notes);
        if (!WriteBenchMidi(folder + name, notes)) {
            std::fprintf(stderr, "velmora-view-bench: cannot write %s%s\n", folder.c_str(), name);
            return 1;
        }
    }
    OleInitialize(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    RegSetKeyValueA(HKEY_CURRENT_USER, kBenchKey, "LastPath", REG_SZ, folder.c_str(), DWORD(folder.size() + 1));
    MainApplication app;
    app.instance = GetModuleHandleA(nullptr);
    app.showCommand = SW_SHOWNORMAL;
    MainWindow* main = new MainWindow;
    SetMainWindow(main);
    main->GetSettingsRecord()->SetKeyPath(kBenchKey);
    if (!app.CreateMainWindow()) {
        std::fprintf(stderr, "velmora-view-bench: no main window (is DISPLAY set?)\n");
        return 1;
    }
    main->ShowWindow(SW_SHOWNORMAL);
    SetWindowPos(main->GetHandle(), nullptr, 0, 0, 1000, 750, SWP_NOZORDER);
    Pump();
    const HWND list = main->GetRightFrame()->GetFileList()->GetHandle();
    DataFrame* frame = main->GetRightFrame()->GetDataFrame();
    DataView* view = frame->GetDataView();
    for (DWORD start = GetTickCount(); SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) < 2 && GetTickCount() - start < 10000;)
        Pump();

    // The floor: a bare read-only multi-line edit of the view's size and font.
    RECT place{};
    GetWindowRect(view->GetHandle(), &place);
    const HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                      WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY,
                                      place.left, place.top, place.right - place.left, place.bottom - place.top,
                                      main->GetHandle(), nullptr, app.instance, nullptr);
    SendMessageA(edit, WM_SETFONT, WPARAM(view->SendMessage(WM_GETFONT, 0, 0)), FALSE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    ShowWindow(edit, SW_HIDE);

    std::printf("median (min-max) of %d runs, the bare EDIT of %d\n", runs, floorRuns);
    for (int row = 0; row < 2; ++row) {
        const size_t notes = kNotes[row];
        const double goal = notes > 10000 ? 0.3 : 0.1;
        const Figures select = Time(runs, [&] { SelectRow(list, row, false); }, [&] {
            SelectRow(list, row, true);
            UpdateWindow(view->GetHandle());
        });
        const std::string text = view->GetTextBuffer();
        ShowWindow(edit, SW_SHOWNA);
        const Figures floor = Time(floorRuns, [&] { SetWindowTextA(edit, ""); }, [&] {
            SetWindowTextA(edit, text.c_str());
            UpdateWindow(edit);
        });
        const bool same = !floorRuns || size_t(GetWindowTextLengthA(edit)) == text.size();
        SetWindowTextA(edit, "");
        ShowWindow(edit, SW_HIDE);
        Print("selection to screen", notes, select, floorRuns ? &floor : nullptr, goal);
        const Figures channel = Time(runs, [] {}, [&] {
            frame->SendMessage(WM_COMMAND, IDM_OPTION_CHANNELS, 0);
            UpdateWindow(view->GetHandle());
        });
        Print("channel change", notes, channel, floorRuns ? &floor : nullptr, goal);
        const Figures end = Time(runs, [&] { ControlKey(view->GetHandle(), VK_HOME); }, [&] {
            ControlKey(view->GetHandle(), VK_END);
            UpdateWindow(view->GetHandle());
        });
        Print("Ctrl+End and paint", notes, end, nullptr, 0.05);
        const TextLayout& layout = view->Layout();
        std::printf("memory %7zu notes: %zu lines, text %zu bytes (%zu held), index %zu bytes = %.2f bytes a line%s\n",
                    notes, layout.LineCount(), text.size(), view->GetTextBuffer().capacity(), layout.IndexBytes(),
                    double(layout.IndexBytes()) / double(layout.LineCount()), same ? "" : "  EDIT TEXT DIFFERS");
    }
    DestroyWindow(edit);
    DestroyWindow(main->GetHandle());
    Pump();
    SetMainWindow(nullptr);
    delete main;
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    OleUninitialize();
    return 0;
}
