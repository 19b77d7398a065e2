#pragma once

#include "MonitorEvent.h"

#include <cstddef>
#include <string>

// The monitor's own words: its title, its messages and the lines it builds from its state.
namespace MonitorTexts
{
extern const char kszTitle[];
extern const char kszSubscribeNotRegistered[];

// One entry of the choice between running wedges, named by the profile of its "Connected" event.
std::string chooserLine(const MonitorEvent* pConnected, size_t nIndex);
std::string countLine(size_t nRows, bool fPaused, size_t nMissed);
std::string notSaved(const std::string& strFile);
}  // namespace MonitorTexts
