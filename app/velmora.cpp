// The program's one application object and its main window object, made
// during static initialisation: the main window object is the first window
// object and so the head of the window registry.
#include "app/MainApplication.h"
#include "app/MainWindow.h"

namespace {

struct Startup {
    Startup()
    {
        static MainApplication application;
        SetMainWindow(new MainWindow);
    }
} startup;

}  // namespace
