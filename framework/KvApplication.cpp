#include "framework/KvApplication.h"

namespace {

KvApplication* theApplication = nullptr;

// String resource 8 is the program's text for a missing application object.
const UINT kNoApplicationText = 8;

}  // namespace

KvApplication::KvApplication() { theApplication = this; }

KvApplication::~KvApplication()
{
    // Nothing may reach an application object that is gone (exit-time code).
    if (theApplication == this) theApplication = nullptr;
}

int KvApplication::Initialize() { return 1; }

int KvApplication::Run() { return 0; }

void KvApplication::Init(HINSTANCE instanceHandle, HINSTANCE previous, LPSTR line, int show)
{
    instance = instanceHandle;
    previousInstance = previous;
    commandLine = line;
    showCommand = show;
}

KvApplication* KvApplication::GetApplication() { return theApplication; }

HINSTANCE KvApplication::GetInstanceHandle()
{
    if (theApplication && theApplication->instance) return theApplication->instance;
    return GetModuleHandleA(nullptr);
}

int KvRunApplication(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                     int showCommand)
{
    KvApplication* application = KvApplication::GetApplication();
    if (!application) {
        char text[256] = "";
        if (LoadStringA(instance, kNoApplicationText, text, sizeof text) <= 0) text[0] = '\0';
        MessageBoxA(nullptr, text, "KVSDK_ERROR", MB_OK);
        return 0;
    }
    application->Init(instance, previousInstance, commandLine, showCommand);
    if (!application->Initialize()) return 0;
    return application->Run();
}
