#pragma once

#include <windows.h>

// Finds Quilbar's main window among the top-level windows, in the system's order.
HWND findQuilbarMainWindow();
