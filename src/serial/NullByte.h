#pragma once

#include <string>

// A data string never holds a zero byte (it crosses threads as a zero-terminated text); a zero
// byte received is kept as these six characters instead.
extern const char* const kszNullByte;

// Appends the bytes with every zero byte written as kszNullByte.
void appendExpandingNulls(std::string& strTarget, const char* pBytes, size_t nBytes);
std::string expandNullBytes(const std::string& strBytes);
