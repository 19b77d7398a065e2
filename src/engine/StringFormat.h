#pragma once

#include <string>

// printf into a std::string of whatever length the values need (error texts quote data strings).
std::string formatString(const char* pszFormat, ...);
