// Keeps one Wine process attached to the desktop while the Windows tests run,
// so that each GUI test program starts quickly. Ended by the test script.
#include <windows.h>

int main()
{
    GetDesktopWindow();
    for (;;) Sleep(60 * 1000);
}
