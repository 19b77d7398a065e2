#pragma once

#include <string>

class Registry;

// The load messages every record stored in the registry shares, filled with the value name and
// the full path text of the key being read.
namespace registrymessages
{
// "Failed to read the registry key %s from subkey %s."
std::string failedToRead(const char* pszValueName, const Registry& regKey);
// "Invalid value in registry key %s in subkey %s."
std::string invalidValue(const char* pszValueName, const Registry& regKey);
// "Failed to open registry subkey %s\%s."
std::string failedToOpenSubKey(const Registry& regKey, const std::string& strSubKey);
// "Failed to get subkeys of %s."
std::string failedToGetSubKeys(const Registry& regKey);
}  // namespace registrymessages
