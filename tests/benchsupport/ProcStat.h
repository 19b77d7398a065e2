#pragma once

#include <cstdint>
#include <string>

// The CPU time a Linux process has used, from the text of /proc/<pid>/stat: user plus system time
// in clock ticks (fields 14 and 15). The command name in field 2 may hold spaces and parentheses,
// so the fields are counted from the last ')'. False for text that is not such a line.
bool parseProcStatCpuTicks(const std::string& strStat, uint64_t& nTicks);

// The context switches of a Linux thread, from the text of /proc/<pid>/task/<tid>/status: its
// voluntary plus its involuntary ones. False when either line is missing or not a number.
bool parseProcStatusSwitches(const std::string& strStatus, uint64_t& nSwitches);
