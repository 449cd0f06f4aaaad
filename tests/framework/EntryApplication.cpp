// A program with the framework's entry point and an application object.
// Command line "init0": Initialize refuses (Run would exit 9). Otherwise Run
// exits 42 when the entry point stored instance, command line and show command.
#include "framework/KvApplication.h"

#include <cstring>

namespace {

struct EntryTestApplication : KvApplication {
    bool Has(const char* word) const { return commandLine && std::strstr(commandLine, word); }
    int Initialize() override { return Has("init0") ? 0 : 1; }
    int Run() override
    {
        const bool stored = instance == GetModuleHandleA(nullptr) && Has("run-me") && showCommand == SW_SHOWMINNOACTIVE;
        return Has("init0") ? 9 : stored ? 42 : 3;
    }
} application;

}  // namespace
