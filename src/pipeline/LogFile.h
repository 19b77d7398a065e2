#pragma once

#include <string>

// Appends the line (its bytes, nothing added) to the file, creating the file when absent. False
// when the name is empty or the file cannot be opened for appending; the write itself is not
// checked, a lost log line is not worth more than that.
bool writeLogLine(const std::string& strFilename, const std::string& strLine);
