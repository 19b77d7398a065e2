#pragma once

#include <windows.h>

// Opens a harness COM port ("COM3") at 9600 8N1 in binary mode, with reads that return at once
// with whatever is waiting. Setting the line matters under Wine: until then the pseudo-terminal
// may translate carriage returns. INVALID_HANDLE_VALUE on failure.
HANDLE openTestComPort(const char* pszName, bool fOverlapped);
