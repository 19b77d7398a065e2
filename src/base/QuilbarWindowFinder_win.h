#pragma once

#include <windows.h>

#include <vector>

// Quilbar's main windows among the top-level windows, in the system's order: one per running
// instance. The companion programs take the first (Pelldrop) or let the user choose (the monitor).
std::vector<HWND> findQuilbarMainWindows();
HWND findQuilbarMainWindow();
