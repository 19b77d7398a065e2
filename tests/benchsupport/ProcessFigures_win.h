#pragma once

#include <windows.h>

// What a benchmark reads of another running program.

// Its working set in MB (NAN when it cannot be read). Wine reports no private bytes of another
// process; the working set it does.
double workingSetMb(HANDLE hProcess);

// Its open handles, from the system's process list (0 when it is not listed): Wine answers
// GetProcessHandleCount with 0 for every process.
DWORD handleCount(DWORD dwProcessId);
