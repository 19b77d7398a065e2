#pragma once

#include <string>

// Appends the line (its bytes, nothing added) to the file, creating the file when absent. False
// when the name is empty, the file cannot be opened for appending or the line was not written
// whole (a full disk, a locked range).
bool writeLogLine(const std::string& strFilename, const std::string& strLine);
