#pragma once

#include "MonitorEvent.h"

#include <string>

// One data string in the monitor's list: what arrived, what the replacements made of it, the
// format that matched and what became of it, with the whole event behind it.
struct ScanRow
{
  enum class Fate
  {
    Typed,
    Sent,
    Duplicate,
    Unknown,
    Held,
    NotTyped,
    Other
  };

  std::string strTime;
  std::string strArrived;
  std::string strAfterReplacements;
  std::string strFormat;
  Fate fate = Fate::Other;
  std::string strFate;
  std::string strEvent;

  // False for events that are not about a data string (a profile switch, a subscriber).
  static bool fromEvent(const MonitorEvent& event, ScanRow& row);
  // One line of the list as text: the columns separated by tabs.
  std::string line() const;
};
