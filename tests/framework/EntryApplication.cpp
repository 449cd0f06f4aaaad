// A program with the framework's entry point and an application object.
// Command line "init0": Initialize refuses (Run would exit 9). Otherwise Run
// checks what the entry point stored and exits 42 when all is right.
#include "framework/KvApplication.h"

#include <cstring>

namespace {

class EntryTestApplication : public KvApplication {
public:
    int Initialize() override
    {
        return commandLine && std::strstr(commandLine, "init0") ? 0 : 1;
    }

    int Run() override
    {
        if (commandLine && std::strstr(commandLine, "init0")) return 9;
        if (instance != GetModuleHandleA(nullptr)) return 3;
        if (!commandLine || !std::strstr(commandLine, "run-me")) return 4;
        if (showCommand != SW_SHOWMINNOACTIVE) return 5;
        return 42;
    }
};

EntryTestApplication application;

}  // namespace
