#pragma once

#include "ForegroundWindow.h"

#include <string>
#include <vector>

// The output window lock: with the lock on, output goes only to a foreground window whose title
// matches one of the patterns ("*" and "?", case-sensitive).
bool isOutputWindowUnlocked(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles,
                            const ForegroundWindow& foregroundWindow);
