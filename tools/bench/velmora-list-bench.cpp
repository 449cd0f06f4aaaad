// velmora-list-bench: times the file list on generated folders (Windows,
// run under Wine). Prints the cost of the MIDI columns (MidiListView over a
// plain ShellListView, 2,000 files) and the time per item at 10,000 files
// over that at 1,000 (MidiListView). See tools/bench/README.md.
#include "app/browser/MidiListView.h"
#include "tools/bench/BenchMidi.h"

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/"));
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// A folder of `count` files, half of them MIDI files of `minBytes` to
// `maxBytes` (about 8 bytes a note), half other files of the same sizes.
// Kept between runs: a folder whose marker file exists is used as it is.
std::string MakeFolder(const std::string& name, int count, size_t minBytes, size_t maxBytes)
{
    const std::string folder = ProgramFolder() + "\\list-bench-" + name;
    const std::string marker = folder + "\\zz-complete.txt";
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::mt19937 random(static_cast<uint32_t>(count));
    std::uniform_int_distribution<size_t> size(minBytes, maxBytes);
    for (int i = 0; i < count - 1; ++i) {
        char file[64];
        const size_t bytes = size(random);
        if (i % 2 == 0) {
            std::snprintf(file, sizeof file, "\\song%05d.mid", i);
            WriteWholeFile(folder + file, MakeBenchMidi(bytes / 8, static_cast<uint32_t>(i)));
        } else {
            std::snprintf(file, sizeof file, "\\data%05d.dat", i);
            WriteWholeFile(folder + file, std::vector<uint8_t>(bytes, static_cast<uint8_t>(i)));
        }
    }
    WriteWholeFile(marker, {'o', 'k'});
    return folder;
}

LPITEMIDLIST ParsePath(const std::string& path, IdListPool& pool)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
    std::wstring wide(path.begin(), path.end());
    LPITEMIDLIST shellList = nullptr, copy = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &shellList, nullptr))) {
        copy = pool.CloneIdList(shellList);
        pool.Free(shellList);
    }
    desktop->Release();
    return copy;
}

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median time of listing `folder` and deleting its rows again.
double TimeListing(ShellListView& list, LPCITEMIDLIST folder, int runs, LRESULT* rows)
{
    std::vector<double> times;
    list.ShowFolder(folder);  // warm the caches
    list.DeleteAllItems();
    for (int run = 0; run < runs; ++run) {
        const double start = Seconds();
        list.ShowFolder(folder);
        *rows = list.GetItemCount();
        list.DeleteAllItems();
        times.push_back(Seconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Seconds per block of a pool that hands out `rows` rows' blocks (a record
// and two id lists each, and gives back the enumerator's child, which it
// does not hold) and takes them back row by row, as deleting all rows does:
// the pool's share of listing, without the shell.
double PoolSecondsPerBlock(int rows)
{
    const double start = Seconds();
    for (int repeat = 0; repeat < 100000 / rows; ++repeat) {
        IdListPool pool;
        std::vector<void*> blocks;
        for (int i = 0; i < rows * 3; ++i) {
            blocks.push_back(pool.Alloc(i % 3 == 0 ? sizeof(ItemRecord) : 32));
            if (i % 3 == 2) pool.Free(CoTaskMemAlloc(32));  // the shell's child id
        }
        for (void* block : blocks) pool.Free(block);
    }
    return (Seconds() - start) / (static_cast<double>(100000 / rows) * rows * 3);
}

// A hidden parent whose procedure reflects the list's notifications to it.
class BenchParent : public KvWindow {};

const char* ParentClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = WindowProc;
        description.cbWndExtra = sizeof(LONG_PTR);
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "VelmoraListBench";
        registered = RegisterClassExA(&description) != 0;
    }
    return "VelmoraListBench";
}

bool CreateList(ShellListView& list, KvWindow& parent)
{
    if (!parent.GetHandle() &&
        !parent.Create(0, ParentClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                       GetModuleHandleA(nullptr), nullptr)) {
        return false;
    }
    return list.Create(WS_EX_CLIENTEDGE, "",
                       WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, 0, 0, 780,
                       580, parent.GetHandle(), reinterpret_cast<HMENU>(30), GetModuleHandleA(nullptr),
                       nullptr) != nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double poolSmall = PoolSecondsPerBlock(1000), poolLarge = PoolSecondsPerBlock(10000);
    std::printf("IdListPool     %.3f us/block at 3,000 blocks, %.3f us/block at 30,000: %.2fx\n", poolSmall * 1e6,
                poolLarge * 1e6, poolLarge / poolSmall);
    if (argc > 2 && std::string(argv[2]) == "pool") return 0;
    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "velmora-list-bench: OleInitialize failed\n");
        return 1;
    }
    std::printf("generating folders (kept for the next run) ...\n");
    std::fflush(stdout);
    const std::string mixed = MakeFolder("2000", 2000, 1024, 50 * 1024);
    const std::string small = MakeFolder("1000", 1000, 1024, 8 * 1024);
    const std::string large = MakeFolder("10000", 10000, 1024, 8 * 1024);

    BenchParent parent;
    ShellListView plain;
    MidiListView midi;
    if (!CreateList(plain, parent) || !CreateList(midi, parent)) {
        std::fprintf(stderr, "velmora-list-bench: cannot create the list windows (is DISPLAY set?)\n");
        return 1;
    }
    IdListPool pool;
    LPITEMIDLIST mixedId = ParsePath(mixed, pool), smallId = ParsePath(small, pool),
                 largeId = ParsePath(large, pool);
    if (!mixedId || !smallId || !largeId) {
        std::fprintf(stderr, "velmora-list-bench: cannot parse the folders\n");
        return 1;
    }

    LRESULT rows = 0;
    const double plainTime = TimeListing(plain, mixedId, runs, &rows);
    std::printf("ShellListView  %5ld items  %8.1f ms\n", static_cast<long>(rows), plainTime * 1e3);
    const double midiTime = TimeListing(midi, mixedId, runs, &rows);
    std::printf("MidiListView   %5ld items  %8.1f ms\n", static_cast<long>(rows), midiTime * 1e3);
    const double smallTime = TimeListing(midi, smallId, runs, &rows);
    const double smallPerItem = smallTime / static_cast<double>(std::max<LRESULT>(rows, 1));
    std::printf("MidiListView   %5ld items  %8.1f ms  %6.1f us/item\n", static_cast<long>(rows), smallTime * 1e3,
                smallPerItem * 1e6);
    const double largeTime = TimeListing(midi, largeId, std::max(1, runs / 2), &rows);
    const double largePerItem = largeTime / static_cast<double>(std::max<LRESULT>(rows, 1));
    std::printf("MidiListView   %5ld items  %8.1f ms  %6.1f us/item\n", static_cast<long>(rows), largeTime * 1e3,
                largePerItem * 1e6);

    std::printf("MIDI columns / plain listing (2,000 files):     %.2fx (goal at most 1.3x)\n",
                midiTime / plainTime);
    std::printf("per item 10,000 files / per item 1,000 files:   %.2fx (goal at most 1.3x)\n",
                largePerItem / smallPerItem);
    DestroyWindow(parent.GetHandle());
    OleUninitialize();
    return 0;
}
