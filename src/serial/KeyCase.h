#pragma once

#include <cstdint>
#include <string>

// Applies the profile's KeyCase (0 as received, 1 upper, 2 lower) to received bytes in place.
// Letters of the Windows-1252 code page are converted, other bytes are left alone.
void applyKeyCase(char* pBytes, size_t nBytes, uint32_t dwKeyCase);
void applyKeyCase(std::string& strBytes, uint32_t dwKeyCase);
