#pragma once

#include "base/Registry.h"

#include <cstdint>
#include <vector>
#include <string>

// One value to plant in a test key: a DWORD or a REG_SZ text.
struct StoredValue
{
  StoredValue(const char* pszName, uint32_t dwValue) : pszName(pszName), fText(false), dwValue(dwValue) {}
  StoredValue(const char* pszName, const char* pszText) : pszName(pszName), fText(true), strText(pszText) {}

  const char* pszName;
  bool fText;
  uint32_t dwValue = 0;
  std::string strText;
};

// Creates the sub-key (any depth) below parent and writes the values into it; false on failure.
bool plantKey(const Registry& parent, const std::string& strSubKey,
              const std::vector<StoredValue>& values);
