#pragma once

#include <string>

// The running program's own file name in full; empty when it cannot be read.
std::string programFileName();
// The same path in its short (8.3) form, as the start-with-system entries hold it.
bool programShortPath(std::string& strShortPath);
