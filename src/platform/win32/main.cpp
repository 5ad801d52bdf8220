// The Win32 program's entry: it takes no command line and hands over to
// the start-up module at once.
#include <windows.h>

#include "windows/modMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { modMain::Main(); }
