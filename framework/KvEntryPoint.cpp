// The program entry point of a GUI program built on the framework. Kept in an
// object library of its own (velmora_entry): only the program links it, so
// test programs keep their own main.
#include "framework/KvApplication.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand)
{
    return KvRunApplication(instance, previousInstance, commandLine, showCommand);
}
