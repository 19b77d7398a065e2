#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An ordered list of texts, as stored in a REG_MULTI_SZ value.
using TextList = std::vector<std::string>;

class RegistryWriteJournal;

// One open registry key, named by the full path text through which it was reached
// ("HKEY_LOCAL_MACHINE\Software\Tarnwick\Quilbar2\Settings"). Typed value reads and writes,
// sub-key listing and recursive deletion. Every failure is a false result, never a message:
// callers word the messages from the value name and getKeyPath.
//
// Operations that need an open key, called on a closed object, and null names are programming
// errors (fatal assertion).
class Registry
{
public:
  // Stored value types (the Win32 REG_ numbers).
  static constexpr uint32_t kdwTypeString = 1;       // REG_SZ
  static constexpr uint32_t kdwTypeBinary = 3;       // REG_BINARY
  static constexpr uint32_t kdwTypeDword = 4;        // REG_DWORD
  static constexpr uint32_t kdwTypeMultiString = 7;  // REG_MULTI_SZ

  // Access masks: full access for keys that are written, read access for keys only read.
  static constexpr uint32_t kdwAccessAll = 0xF003F;
  static constexpr uint32_t kdwAccessRead = 0x20019;

  Registry() = default;
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Opens the key named by a full path that starts with a root name ("HKEY_LOCAL_MACHINE", any
  // letter case). A component in double quotes may contain backslashes. Fails when already open.
  bool openKey(const std::string& strPath, uint32_t dwAccess);
  // Opens a sub-key (the name may hold several components) into the closed target.
  bool openSubKey(const std::string& strName, Registry& target, uint32_t dwAccess) const;
  // As openSubKey, creating every missing component; the target gets full access.
  bool createSubKey(const std::string& strName, Registry& target) const;
  // False when nothing was open or closing failed; the path text is kept.
  bool closeKey();
  bool isOpen() const { return m_hkKey != nullptr; }
  // False when the path text is empty.
  bool getKeyPath(std::string& strPath) const;

  bool hasKeyValueType(const char* pszName, uint32_t dwType) const;
  bool getKeyValueType(const char* pszName, uint32_t& dwType) const;
  bool getKeyValueSize(const char* pszName, uint32_t& dwSize) const;

  // REG_SZ, stored with its terminating zero.
  bool createKeyValue(const char* pszName, const char* pszText);
  bool createKeyValue(const char* pszName, const std::string& strText);
  // REG_BINARY of exactly dwLen bytes.
  bool createKeyValue(const char* pszName, const unsigned char* pData, uint32_t dwLen);
  // REG_DWORD.
  bool createKeyValue(const char* pszName, uint32_t dwValue);
  // REG_MULTI_SZ: every text with its zero, then one more zero.
  bool createKeyValue(const char* pszName, const TextList& rgText);

  // Typed reads: a value stored with another type counts as missing (false).
  bool getKeyValue(const char* pszName, std::string& strText) const;
  // dwLen: the buffer size in, the stored size out; fails when the value is larger than the buffer.
  bool getKeyValue(const char* pszName, unsigned char* pData, uint32_t& dwLen) const;
  bool getKeyValue(const char* pszName, uint32_t& dwValue) const;
  // Appends the texts up to the first empty one.
  bool getKeyValue(const char* pszName, TextList& rgText) const;

  // Any type, the bytes as stored (texts in code page 1252 with their zeros): for copying
  // whole trees.
  bool getRawKeyValue(const char* pszName, uint32_t& dwType, std::string& strData) const;
  bool createRawKeyValue(const char* pszName, uint32_t dwType, const std::string& strData);

  bool deleteKeyValue(const char* pszName);

  // Empties the list, then lists the names of all sub-keys. An enumeration that fails part-way
  // (the key deleted meanwhile, say) fails as a whole: a partial list is no list of all.
  bool getSubKeys(TextList& rgNames) const;
  // Appends the names of all named values (the unnamed default value is left out).
  bool getKeyValueNames(TextList& rgNames) const;
  // Deletes the sub-key and everything below it.
  bool deleteSubKey(const std::string& strName);

  // From now on every value written through this key, and every key created below it (and the
  // values written through those), is recorded in the journal. Null stops recording.
  void setWriteJournal(RegistryWriteJournal* pJournal) { m_pJournal = pJournal; }
  // Deletes every value of this key and every key below it that the journal does not name; false
  // at the first deletion or listing that fails.
  bool removeUnwritten(const RegistryWriteJournal& journal);

  // Splits a path at backslashes; a stretch in double quotes may hold backslashes and loses its
  // quotes. Empty components are kept (callers skip them).
  static std::vector<std::string> splitPath(const std::string& strPath);

private:
  bool openPath(void* hkStart, const std::vector<std::string>& rgComponents, uint32_t dwAccess,
                bool fCreate, void*& hkResult) const;
  bool queryTyped(const char* pszName, uint32_t dwType, std::string& strData) const;
  bool setValue(const char* pszName, uint32_t dwType, const void* pData, uint32_t dwSize);

  void recordCreatedKey(const std::string& strName, Registry& target) const;

  std::string m_strPath;
  void* m_hkKey = nullptr;  // the open key handle (an HKEY on Windows), null when closed
  RegistryWriteJournal* m_pJournal = nullptr;
};
