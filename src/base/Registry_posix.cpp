// The native build's registry: every root is the in-memory hive.
#include "MemoryHive.h"

namespace regapi
{
void* rootKey(Root root) { return memoryhive::rootKey(root); }

long openKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  return memoryhive::openKey(hkParent, pszName, dwAccess, hkResult);
}

long createKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  return memoryhive::createKey(hkParent, pszName, dwAccess, hkResult);
}

long closeKey(void* hkKey) { return memoryhive::closeKey(hkKey); }
long deleteKey(void* hkParent, const char* pszName) { return memoryhive::deleteKey(hkParent, pszName); }

long queryValue(void* hkKey, const char* pszName, uint32_t* pdwType, unsigned char* pData, uint32_t* pdwSize)
{
  return memoryhive::queryValue(hkKey, pszName, pdwType, pData, pdwSize);
}

long setValue(void* hkKey, const char* pszName, uint32_t dwType, const unsigned char* pData, uint32_t dwSize)
{
  return memoryhive::setValue(hkKey, pszName, dwType, pData, dwSize);
}

long deleteValue(void* hkKey, const char* pszName) { return memoryhive::deleteValue(hkKey, pszName); }

long enumKey(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  return memoryhive::enumKey(hkKey, dwIndex, pszName, pdwLen);
}

long enumValue(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  return memoryhive::enumValue(hkKey, dwIndex, pszName, pdwLen);
}

// Native tests only: see memoryhive::failSubKeyListingAt.
void failSubKeyListingAt(uint32_t dwIndex, long nStatus) { memoryhive::failSubKeyListingAt(dwIndex, nStatus); }
}  // namespace regapi
