#pragma once
// The window classes of the program's own frames ("OrvApplication",
// "OrvRightFrame", "OrvWindow"): the framework's window procedure, the
// button-face background and the main menu, with their own icons and
// cursor. The cursor is what shows over a splitter gap.
#include <windows.h>

ATOM RegisterFrameClass(const char* name, HICON icon, HICON smallIcon, LPCSTR cursor);
