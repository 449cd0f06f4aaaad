// velmora-list-bench: the file list's speed against the floor (Windows, run
// under Wine). Makes the folders, prints the cost of each per-row call, then
// times velmora.exe and plain-list.exe from outside, side by side. See
// tools/bench/README.md.
#include "app/browser/IdListPool.h"
#include "app/browser/ItemRecord.h"
#include "tools/bench/BenchMidi.h"
#include "tools/bench/ListCallCosts.h"
#include "tools/bench/ListProbe.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

enum class Content { Midi, Text, Folders };

// A folder of `count` items: MIDI files of 1 to 8 KB, text files of the
// same sizes, or empty sub-folders. Kept between runs: a folder whose
// marker exists is used as it is.
std::string MakeFolder(Content content, int count)
{
    const char* kind = content == Content::Midi ? "midi" : content == Content::Text ? "text" : "folders";
    const std::string folder = ProgramFolder() + "\\list-bench-" + kind + "-" + std::to_string(count);
    const std::string marker = folder + ".complete";
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::mt19937 random(static_cast<uint32_t>(count));
    std::uniform_int_distribution<size_t> size(1024, 8 * 1024);
    for (int i = 0; i < count; ++i) {
        char name[64];
        if (content == Content::Folders) {
            std::snprintf(name, sizeof name, "\\folder%05d", i);
            CreateDirectoryA((folder + name).c_str(), nullptr);
        } else if (content == Content::Midi) {
            std::snprintf(name, sizeof name, "\\song%05d.mid", i);
            WriteWholeFile(folder + name, MakeBenchMidi(size(random) / 8, static_cast<uint32_t>(i)));
        } else {
            std::snprintf(name, sizeof name, "\\note%05d.txt", i);
            WriteWholeFile(folder + name, std::vector<uint8_t>(size(random), 'a'));
        }
    }
    WriteWholeFile(marker, {'o', 'k'});
    return folder;
}

// Seconds per block of a pool that hands out `rows` rows' blocks (a record
// and two id lists each, and gives back the enumerator's child, which it
// does not hold) and takes them back row by row, as deleting all rows does:
// the pool's share of listing, without the shell.
double PoolSecondsPerBlock(int rows)
{
    const double start = BenchNow();
    for (int repeat = 0; repeat < 100000 / rows; ++repeat) {
        IdListPool pool;
        std::vector<void*> blocks;
        for (int i = 0; i < rows * 3; ++i) {
            blocks.push_back(pool.Alloc(i % 3 == 0 ? sizeof(ItemRecord) : 32));
            if (i % 3 == 2) pool.Free(CoTaskMemAlloc(32));  // the shell's child id
        }
        for (void* block : blocks) pool.Free(block);
    }
    return (BenchNow() - start) / (static_cast<double>(100000 / rows) * rows * 3);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string only = argc > 2 ? argv[2] : "";
    const double poolSmall = PoolSecondsPerBlock(1000), poolLarge = PoolSecondsPerBlock(10000);
    std::printf("IdListPool     %.3f us/block at 3,000 blocks, %.3f us/block at 30,000: %.2fx\n", poolSmall * 1e6,
                poolLarge * 1e6, poolLarge / poolSmall);
    if (only == "pool") return 0;
    if (FAILED(OleInitialize(nullptr))) return 1;
    std::printf("making the folders (kept for the next run) ...\n");
    std::fflush(stdout);
    const std::string midi1 = MakeFolder(Content::Midi, 1), midi300 = MakeFolder(Content::Midi, 300), midi1000 = MakeFolder(Content::Midi, 1000),
                      midi3000 = MakeFolder(Content::Midi, 3000), text3000 = MakeFolder(Content::Text, 3000),
                      folders1000 = MakeFolder(Content::Folders, 1000);
    if (only.empty() || only == "calls") {
        std::printf("per-row calls, 300 MIDI files:\n");
        PrintCallCosts(midi300, 300);
        std::printf("per-row calls, 3,000 MIDI files:\n");
        PrintCallCosts(midi3000, 1000);
        std::printf("per-node calls, 1,000 sub-folders:\n");
        PrintCallCosts(folders1000, 0);
        std::fflush(stdout);
    }
    if (only != "calls") {
        const std::string folder = ProgramFolder();
        ProbeFolders(folder, {"1 MIDI file", midi1, 1, "song00000.mid"},
                     {{"300 MIDI files", midi300, 300, "song00000.mid"},
                      {"1,000 MIDI files", midi1000, 1000, "song00000.mid"},
                      {"3,000 MIDI files", midi3000, 3000, "song00000.mid"},
                      {"3,000 text files", text3000, 3000, "note00000.txt"}},
                     folders1000, 1000, runs, only == "probe" ? std::string() : only);
    }
    OleUninitialize();
    return 0;
}
