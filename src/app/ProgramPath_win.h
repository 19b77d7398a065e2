#pragma once

#include <string>

// The running program's own file name in full; empty when it cannot be read.
std::string programFileName();
// The same path in its short (8.3) form, as the start-with-system entries hold it; the full path
// where the system gives no short form (GetShortPathName then returns the long path itself, or
// fails on a file system without short names).
bool programShortPath(std::string& strShortPath);
