#pragma once

#include <string>

// The event log's "RAW INPUT DATA" detail line and its way back for replaying a recorded log.

// "41 42 0d" for the bytes A, B, carriage return.
std::string formatRawInput(const std::string& strBytes);

// One line of a log file (line end removed): when it is a "RAW INPUT DATA" line behind its
// 24-character time stamp, strBytes receives the recorded bytes and the result is true. Lines of
// other events, and lines whose hex fields are damaged, give false: a damaged record is not
// replayed as something the device never sent.
bool parseReplayLine(const std::string& strLine, std::string& strBytes);
