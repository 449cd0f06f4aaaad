#include "tools/bench/ListProbe.h"

#include "tools/bench/ListCallCosts.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

double Now() { return BenchNow(); }

// One started program, ended (killed) with the object.
struct Started {
    explicit Started(const std::string& command)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = command;
        ok = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &pi);
    }
    ~Started()
    {
        if (!ok) return;
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // The first window of class `a` or `b` inside a top-level window of the
    // process, or null after `seconds`; `top` gets its top-level window.
    HWND Find(const char* a, const char* b, HWND* top, double seconds = 20) const
    {
        struct Search {
            DWORD pid;
            const char *a, *b;
            HWND found, top;
        } search{pi.dwProcessId, a, b, nullptr, nullptr};
        for (const double end = Now() + seconds; Now() < end && !search.found; Sleep(5)) {
            EnumWindows(
                [](HWND window, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(window, &pid);
                    if (pid != s->pid) return TRUE;
                    EnumChildWindows(
                        window,
                        [](HWND child, LPARAM inner) -> BOOL {
                            auto* t = reinterpret_cast<Search*>(inner);
                            char name[64] = {};
                            GetClassNameA(child, name, sizeof name);
                            if (std::strcmp(name, t->a) && std::strcmp(name, t->b)) return TRUE;
                            t->found = child;
                            return FALSE;
                        },
                        data);
                    if (s->found) s->top = window;
                    return !s->found;
                },
                reinterpret_cast<LPARAM>(&search));
        }
        if (top) *top = search.top;
        return search.found;
    }
    PROCESS_INFORMATION pi{};
    BOOL ok = FALSE;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result);
    return static_cast<LRESULT>(result);
}

// Reads texts of the list's rows through records in the program's memory.
class RemoteTexts {
public:
    static constexpr int kColumns = 7, kText = 264;
    RemoteTexts(HANDLE process, HWND list) : process_(process), list_(list)
    {
        remote_ = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof block_, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteTexts() { VirtualFreeEx(process_, remote_, 0, MEM_RELEASE); }
    // The texts of row `row` in columns 0 to `columns` - 1; false on failure.
    bool Row(int row, int columns)
    {
        for (int c = 0; c < columns; ++c) {
            block_.items[c] = LVITEMA{};
            block_.items[c].iSubItem = c;
            block_.items[c].pszText = remote_ + offsetof(Block, texts) + c * kText;
            block_.items[c].cchTextMax = kText;
            block_.texts[c][0] = '\0';
        }
        if (!WriteProcessMemory(process_, remote_, &block_, sizeof block_, nullptr)) return false;
        for (int c = 0; c < columns; ++c)
            Ask(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote_ + c * sizeof(LVITEMA)));
        return ReadProcessMemory(process_, remote_, &block_, sizeof block_, nullptr);
    }
    const char* Text(int column) const { return block_.texts[column]; }
    bool Select(int row)
    {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
        return Ask(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(remote_)) != 0;
    }

private:
    struct Block {
        LVITEMA items[kColumns];
        char texts[kColumns][kText];
    } block_{};
    HANDLE process_;
    HWND list_;
    char* remote_ = nullptr;
};

struct Spread {
    std::vector<double> values;
    double Median() const
    {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

void PrintLine(const char* what, const Spread& s, const char* unit, double scale)
{
    std::printf("  %-34s %9.3f %s  (%.3f .. %.3f)\n", what, s.Median() * scale, unit, s.Min() * scale, s.Max() * scale);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void RememberFolder(const std::string& path)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\brelvik\\velmora", "LastPath", REG_SZ, path.c_str(),
                    static_cast<DWORD>(path.size() + 1));
}

// Every text of every row of `list`, read on the list's own thread by the
// probe's hook (reading them one message at a time from here would cost
// about a millisecond a text); the empty texts, or -1.
int ReadAllTexts(HWND list, const std::string& home)
{
    static HMODULE hook = LoadLibraryA((home + "\\list-probe-hook.dll").c_str());
    const auto procedure = hook ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hook, "ProbeHook"))) : nullptr;
    const HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, "velmora-list-probe");
    const HANDLE done = CreateEventA(nullptr, FALSE, FALSE, "velmora-list-probe-done");
    const HHOOK installed =
        procedure ? SetWindowsHookExA(WH_GETMESSAGE, procedure, hook, GetWindowThreadProcessId(list, nullptr)) : nullptr;
    int empty = -1;
    if (installed && PostMessageA(list, RegisterWindowMessageA("velmora-list-probe-read"), 7, 0) &&
        WaitForSingleObject(done, 120000) == WAIT_OBJECT_0) {
        const LONG* answer = static_cast<const LONG*>(MapViewOfFile(block, FILE_MAP_READ, 0, 0, 8));
        if (answer) {
            empty = static_cast<int>(answer[1]);
            UnmapViewOfFile(answer);
        }
    }
    if (installed) UnhookWindowsHookEx(installed);
    CloseHandle(done);
    CloseHandle(block);
    return empty;
}

// Seconds from the start of `command` until its list holds `rows` rows and
// every text of them has been read; `empty` counts the empty texts of the
// columns a row of that folder fills.
double FullListing(const std::string& command, const std::string& home, const ProbeFolder& folder, int* empty)
{
    const double start = Now();
    Started program(command);
    HWND top = nullptr;
    const HWND list = program.Find("KVsdkListView32", "SysListView32", &top);
    if (!list) return -1;
    while (Ask(list, LVM_GETITEMCOUNT) != folder.rows && Now() - start < 120) Sleep(2);
    *empty = ReadAllTexts(list, home);
    return Now() - start;
}

// velmora shows `home`; Enter on the row of `folder` lists it. Seconds
// until the first screenful is drawn, the longest WM_NULL wait until the
// listing is over, and the seconds until every text of every row is read.
bool FolderChange(const std::string& velmora, const std::string& home, const ProbeFolder& folder, double* first,
                  double* longestNull, double* allTexts)
{
    Started program(velmora + " " + Quoted(home));
    HWND top = nullptr;
    const HWND list = program.Find("KVsdkListView32", "", &top);
    if (!list) return false;
    const std::string name = folder.path.substr(folder.path.find_last_of('\\') + 1);
    RemoteTexts texts(program.pi.hProcess, list);
    int row = -1;
    for (const double end = Now() + 20; row < 0 && Now() < end; Sleep(20)) {
        const int count = static_cast<int>(Ask(list, LVM_GETITEMCOUNT));
        for (int i = 0; i < count && row < 0; ++i)
            if (texts.Row(i, 1) && name == texts.Text(0)) row = i;
    }
    if (row < 0 || !texts.Select(row)) return false;
    std::atomic<bool> stop{false};
    double longest = 0;
    std::thread nulls([&] {
        while (!stop) {
            const double sent = Now();
            Ask(top, WM_NULL);
            longest = std::max(longest, Now() - sent);
            Sleep(1);
        }
    });
    const double start = Now();
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    *first = -1;
    while (Now() - start < 120) {
        const int count = static_cast<int>(Ask(list, LVM_GETITEMCOUNT));
        const int page = static_cast<int>(Ask(list, LVM_GETCOUNTPERPAGE));
        if (*first < 0 && IsWindowVisible(list) && count >= std::min(page, folder.rows) && count > 0 &&
            !GetUpdateRect(list, nullptr, FALSE) && Ask(list, LVM_GETTOPINDEX) == 0 && texts.Row(0, 1) &&
            std::strcmp(texts.Text(0), folder.firstRow) == 0)
            *first = Now() - start;
        if (*first >= 0 && count == folder.rows) break;
        Sleep(1);
    }
    // The listing ends when the program waits for input again: after the
    // tree has followed and everything is drawn.
    WaitForInputIdle(program.pi.hProcess, 60000);
    stop = true;
    nulls.join();
    *longestNull = longest;
    *allTexts = ReadAllTexts(list, home) >= 0 ? Now() - start : -1;
    return *first >= 0 && *allTexts >= 0;
}

// The label of `node` of another process's tree, or empty.
std::string NodeLabel(HANDLE process, HWND tree, LRESULT node)
{
    struct Block {
        TVITEMA item;
        char text[264];
    } block{};
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof block, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return std::string();
    block.item.mask = TVIF_TEXT;
    block.item.hItem = reinterpret_cast<HTREEITEM>(node);
    block.item.pszText = remote + offsetof(Block, text);
    block.item.cchTextMax = sizeof block.text;
    if (WriteProcessMemory(process, remote, &block, sizeof block, nullptr)) {
        Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &block, sizeof block, nullptr);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    block.text[sizeof block.text - 1] = '\0';
    return block.text;
}

// Seconds of TVM_EXPAND on the selected node of the program's tree once it
// is the node of `folder` (and `ready` rows are listed, when there is a
// list); the nodes it added.
double Expansion(const std::string& command, const std::string& folder, int ready, int* added)
{
    Started program(command);
    HWND top = nullptr;
    const HWND tree = program.Find("KVsdkTreeView32", "SysTreeView32", &top);
    if (!tree) return -1;
    const HWND list = program.Find("KVsdkListView32", "", nullptr, 0.5);
    const double wait = Now();
    while (list && Ask(list, LVM_GETITEMCOUNT) != ready && Now() - wait < 60) Sleep(5);
    const std::string name = folder.substr(folder.find_last_of('\\') + 1);
    LRESULT node = 0;
    for (const double end = Now() + 20; Now() < end; Sleep(10)) {
        node = Ask(tree, TVM_GETNEXTITEM, TVGN_CARET);
        const std::string label = node ? NodeLabel(program.pi.hProcess, tree, node) : std::string();
        if (label == name || label == folder) break;  // the plain walk's node is labelled with the path
    }
    const LRESULT before = Ask(tree, TVM_GETCOUNT);
    const double start = Now();
    Ask(tree, TVM_EXPAND, TVE_EXPAND, node);
    const double seconds = Now() - start;
    *added = static_cast<int>(Ask(tree, TVM_GETCOUNT) - before);
    return seconds;
}

}  // namespace

void ProbeFolders(const std::string& home, const ProbeFolder& baseline, const std::vector<ProbeFolder>& folders,
                  const std::string& tree, int treeNodes, int runs, const std::string& only)
{
    const std::string velmora = Quoted(VELMORA_EXE), plain = Quoted(home + "\\plain-list.exe");
    const std::string empty = home + "\\list-bench-empty";
    CreateDirectoryA(empty.c_str(), nullptr);
    if (only.empty() || only == "full") std::printf("listing from the start of the program until every text of every row is read\n");
    for (const ProbeFolder& folder : folders) {
        if (!only.empty() && only != "full") break;
        Spread ours, floor;
        int oursEmpty = 0, floorEmpty = 0;
        for (int run = 0; run < runs; ++run) {
            RememberFolder(empty);
            floor.values.push_back(FullListing(plain + " " + Quoted(folder.path), home, folder, &floorEmpty));
            ours.values.push_back(FullListing(velmora + " " + Quoted(folder.path), home, folder, &oursEmpty));
        }
        std::printf("%s (empty texts: velmora %d, plain list %d)\n", folder.label, oursEmpty, floorEmpty);
        PrintLine("velmora", ours, "s", 1);
        PrintLine("plain list", floor, "s", 1);
        std::printf("  %-34s %9.2fx (goal at most 2x); velmora %.3f ms a row\n", "velmora / plain list",
                    ours.Median() / floor.Median(), ours.Median() * 1e3 / folder.rows);
        std::fflush(stdout);
    }
    if (only.empty() || only == "change") {
        std::printf("folder change by Enter in velmora: first screenful drawn (goal 0.3 s), longest WM_NULL until\n"
                    "every row is in (goal 0.1 s), every text of every row read; a row's cost is that time less\n"
                    "the time for the folder of one row, over the other rows\n");
    }
    Spread baseTexts;
    std::vector<double> perRow;
    for (const ProbeFolder& folder : folders) {
        if (!only.empty() && only != "change") break;
        Spread first, nulls, texts;
        for (int run = 0; run < runs; ++run) {
            double f = 0, n = 0, t = 0;
            RememberFolder(empty);
            if (FolderChange(velmora, home, baseline, &f, &n, &t)) baseTexts.values.push_back(t);
            RememberFolder(empty);
            if (!FolderChange(velmora, home, folder, &f, &n, &t)) continue;
            first.values.push_back(f);
            nulls.values.push_back(n);
            texts.values.push_back(t);
        }
        std::printf("%s\n", folder.label);
        PrintLine("first screenful", first, "s", 1);
        PrintLine("longest WM_NULL answer", nulls, "s", 1);
        PrintLine("every text of every row", texts, "s", 1);
        perRow.push_back((texts.Median() - baseTexts.Median()) / (folder.rows - 1));
        std::printf("  %-34s %9.3f ms (the folder of one row: %.3f s so far)\n", "a row", perRow.back() * 1e3,
                    baseTexts.Median());
        std::fflush(stdout);
    }
    if (perRow.size() >= 3) {
        std::printf("a row's cost, %s against %s: %.2fx (goal at most 1.3x)\n", folders[2].label, folders[0].label,
                    perRow[2] / perRow[0]);
    }
    if (!only.empty() && only != "tree") return;
    Spread ours, floor;
    int oursAdded = 0, floorAdded = 0;
    for (int run = 0; run < runs; ++run) {
        RememberFolder(empty);
        ours.values.push_back(Expansion(velmora + " " + Quoted(tree), tree, treeNodes, &oursAdded));
        floor.values.push_back(Expansion(plain + " /tree " + Quoted(tree), tree, treeNodes, &floorAdded));
    }
    std::printf("expanding a node of %d sub-folders (nodes added: velmora %d, plain walk %d)\n", treeNodes, oursAdded,
                floorAdded);
    PrintLine("velmora", ours, "s", 1);
    PrintLine("plain walk", floor, "s", 1);
    std::printf("  %-34s %9.2fx (goal at most 2x)\n", "velmora / plain walk", ours.Median() / floor.Median());
}
