#pragma once

#include <windows.h>

#include <string>

// The system's own words for an error code, for event log lines: "Access is denied. (error 5)".
// The code alone when the system has no text for it.
std::string systemErrorText(DWORD dwError);
