#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One event as Quilbar hands it to a monitor window: its name, its time stamp and its detail
// lines, and the text it came in (bounded, for showing the whole event).
struct MonitorEvent
{
  // Longer texts (a very long data string) are kept up to here; what follows is counted.
  static constexpr size_t kcchMaxText = 16384;

  std::string strName;
  std::string strTimeStamp;
  std::vector<std::string> rgstrDetails;
  std::string strText;

  // The value of the first detail line "Key = value"; false when there is none.
  bool detail(const std::string& strKey, std::string& strValue) const;
  bool hasDetail(const std::string& strLine) const;

  // Reads a copy-data block: text up to its first zero byte within cbBlock, a name line, a
  // "Time Stamp = " line, then the details. False (and the event unchanged) for anything else.
  static bool parse(const void* pBlock, size_t cbBlock, MonitorEvent& event);
};
