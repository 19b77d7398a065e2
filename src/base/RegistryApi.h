#pragma once

#include <cstdint>

// The handful of system registry calls the Registry class is built on, with the Win32 calling
// conventions (status codes, sizes in bytes, predefined root handles). Registry_win.cpp forwards
// them to advapi32; Registry_posix.cpp answers them from an in-memory hive that behaves the same
// way, so Registry's own logic is one portable file tested against both.
namespace regapi
{
constexpr long kSuccess = 0;            // ERROR_SUCCESS
constexpr long kFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr long kAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr long kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr long kMoreData = 234;         // ERROR_MORE_DATA
constexpr long kNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS
constexpr long kKeyDeleted = 1018;      // ERROR_KEY_DELETED

enum class Root
{
  ClassesRoot,
  CurrentUser,
  LocalMachine,
  Users,
  CurrentConfig,
  DynData,
  // "HKEY_QUILBAR_MEMORY": a tree of the program's own in memory, never stored, in every build;
  // files are checked there before anything reaches the real registry. It starts with the one
  // key "Quilbar", since a root itself is never opened.
  Memory
};

// A predefined handle; never closed.
void* rootKey(Root root);

// pszName is one or more components separated by backslashes ("" opens the key itself again).
long openKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult);
long createKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult);
long closeKey(void* hkKey);
long deleteKey(void* hkParent, const char* pszName);

// RegQueryValueEx: pData may be null to ask for type and size; *pdwSize is the buffer size in and
// the stored size out (kMoreData when the buffer is too small).
long queryValue(void* hkKey, const char* pszName, uint32_t* pdwType, unsigned char* pData,
                uint32_t* pdwSize);
long setValue(void* hkKey, const char* pszName, uint32_t dwType, const unsigned char* pData,
              uint32_t dwSize);
long deleteValue(void* hkKey, const char* pszName);

// RegEnumKeyEx / RegEnumValue: *pdwLen is the buffer size in characters including the zero in,
// the name length without it out.
long enumKey(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen);
long enumValue(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen);
}  // namespace regapi
