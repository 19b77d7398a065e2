#pragma once

#include <windows.h>

// F1 in the monitor's windows: the topic of the window's dialog template in "Quilbar.chm" beside
// the program, shown by the HTML help viewer.
void showMonitorHelp(HWND hwndDialog, int nContextId, void* pContext);
