#pragma once

#include "RegistryApi.h"

// The in-memory hive behind the native build's registry and behind the memory root of every
// build: the calls of RegistryApi.h, answered from memory.
namespace memoryhive
{
// True for a handle this hive gave out (or one of its roots) that is still open.
bool ownsKey(const void* hkKey);

void* rootKey(regapi::Root root);
long openKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult);
long createKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult);
long closeKey(void* hkKey);
long deleteKey(void* hkParent, const char* pszName);
long queryValue(void* hkKey, const char* pszName, uint32_t* pdwType, unsigned char* pData, uint32_t* pdwSize);
long setValue(void* hkKey, const char* pszName, uint32_t dwType, const unsigned char* pData, uint32_t dwSize);
long deleteValue(void* hkKey, const char* pszName);
long enumKey(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen);
long enumValue(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen);
// Native tests only: the next sub-key listing that reaches the index fails there.
void failSubKeyListingAt(uint32_t dwIndex, long nStatus);
}  // namespace memoryhive
