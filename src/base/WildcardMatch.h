#pragma once

#include <string>

// Whole-text match with "*" (any run) and "?" (exactly one byte), comparing bytes exactly.
// The character after a "*" is always compared literally or as "?", even when it is another "*".
// Both texts end at their first zero byte.
bool wildcardMatch(const char* pszText, const char* pszPattern);
bool wildcardMatch(const std::string& strText, const std::string& strPattern);
