// The Windows registry behind the Registry class: each call is the advapi32 function of the same
// name, with sizes converted between uint32_t and DWORD. Keys of the memory root are answered by
// the in-memory hive.
#include "MemoryHive.h"

#include <windows.h>

namespace regapi
{
namespace
{
HKEY asKey(void* hkKey)
{
  return static_cast<HKEY>(hkKey);
}
}  // namespace

void* rootKey(Root root)
{
  switch (root)
  {
  case Root::ClassesRoot: return HKEY_CLASSES_ROOT;
  case Root::CurrentUser: return HKEY_CURRENT_USER;
  case Root::LocalMachine: return HKEY_LOCAL_MACHINE;
  case Root::Users: return HKEY_USERS;
  case Root::CurrentConfig: return HKEY_CURRENT_CONFIG;
  case Root::DynData: return HKEY_DYN_DATA;
  case Root::Memory: return memoryhive::rootKey(root);
  }
  return nullptr;
}

long openKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  if (memoryhive::ownsKey(hkParent))
    return memoryhive::openKey(hkParent, pszName, dwAccess, hkResult);
  HKEY hkKey = nullptr;
  LONG nStatus = RegOpenKeyExA(asKey(hkParent), pszName, 0, dwAccess, &hkKey);
  hkResult = nStatus == ERROR_SUCCESS ? hkKey : nullptr;
  return nStatus;
}

long createKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  if (memoryhive::ownsKey(hkParent))
    return memoryhive::createKey(hkParent, pszName, dwAccess, hkResult);
  HKEY hkKey = nullptr;
  LONG nStatus = RegCreateKeyExA(asKey(hkParent), pszName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 dwAccess, nullptr, &hkKey, nullptr);
  hkResult = nStatus == ERROR_SUCCESS ? hkKey : nullptr;
  return nStatus;
}

long closeKey(void* hkKey)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::closeKey(hkKey);
  return RegCloseKey(asKey(hkKey));
}

long deleteKey(void* hkParent, const char* pszName)
{
  if (memoryhive::ownsKey(hkParent))
    return memoryhive::deleteKey(hkParent, pszName);
  return RegDeleteKeyA(asKey(hkParent), pszName);
}

long queryValue(void* hkKey, const char* pszName, uint32_t* pdwType, unsigned char* pData,
                uint32_t* pdwSize)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::queryValue(hkKey, pszName, pdwType, pData, pdwSize);
  DWORD dwType = 0;
  DWORD dwSize = pdwSize != nullptr ? *pdwSize : 0;
  LONG nStatus = RegQueryValueExA(asKey(hkKey), pszName, nullptr, &dwType, pData,
                                  pdwSize != nullptr ? &dwSize : nullptr);
  if (pdwType != nullptr)
    *pdwType = dwType;
  if (pdwSize != nullptr)
    *pdwSize = dwSize;
  return nStatus;
}

long setValue(void* hkKey, const char* pszName, uint32_t dwType, const unsigned char* pData,
              uint32_t dwSize)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::setValue(hkKey, pszName, dwType, pData, dwSize);
  return RegSetValueExA(asKey(hkKey), pszName, 0, dwType, pData, dwSize);
}

long deleteValue(void* hkKey, const char* pszName)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::deleteValue(hkKey, pszName);
  return RegDeleteValueA(asKey(hkKey), pszName);
}

long enumKey(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::enumKey(hkKey, dwIndex, pszName, pdwLen);
  DWORD dwLen = *pdwLen;
  LONG nStatus =
      RegEnumKeyExA(asKey(hkKey), dwIndex, pszName, &dwLen, nullptr, nullptr, nullptr, nullptr);
  *pdwLen = dwLen;
  return nStatus;
}

long enumValue(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  if (memoryhive::ownsKey(hkKey))
    return memoryhive::enumValue(hkKey, dwIndex, pszName, pdwLen);
  DWORD dwLen = *pdwLen;
  LONG nStatus =
      RegEnumValueA(asKey(hkKey), dwIndex, pszName, &dwLen, nullptr, nullptr, nullptr, nullptr);
  *pdwLen = dwLen;
  return nStatus;
}
}  // namespace regapi
