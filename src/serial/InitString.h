#pragma once

#include <string>

// The bytes that the initialisation string in caret notation stands for: "^M" is carriage
// return, "^j" line feed, "^1" the digit 1; other characters are sent as they are.
std::string encodeInitString(const std::string& strInitString);
