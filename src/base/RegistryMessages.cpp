#include "RegistryMessages.h"

#include "Registry.h"

// Built by concatenation rather than printf: names and paths come from the registry and may hold
// '%' characters of their own.
namespace registrymessages
{
namespace
{
std::string pathOf(const Registry& regKey)
{
  std::string strPath;
  regKey.getKeyPath(strPath);
  return strPath;
}
}  // namespace

std::string failedToRead(const char* pszValueName, const Registry& regKey)
{
  return std::string("Failed to read the registry key ") + pszValueName + " from subkey "
         + pathOf(regKey) + ".";
}

std::string invalidValue(const char* pszValueName, const Registry& regKey)
{
  return std::string("Invalid value in registry key ") + pszValueName + " in subkey "
         + pathOf(regKey) + ".";
}

std::string failedToOpenSubKey(const Registry& regKey, const std::string& strSubKey)
{
  return "Failed to open registry subkey " + pathOf(regKey) + "\\" + strSubKey + ".";
}

std::string failedToGetSubKeys(const Registry& regKey)
{
  return "Failed to get subkeys of " + pathOf(regKey) + ".";
}
}  // namespace registrymessages
