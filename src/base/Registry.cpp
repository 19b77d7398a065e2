#include "Registry.h"

#include "RegistryApi.h"
#include "RegistryWriteJournal.h"
#include "Assert.h"

#include <cstring>

namespace
{
struct RootName
{
  const char* pszName;
  regapi::Root root;
};

// Performance data has no entry on purpose: it is no key tree and nothing here may open it.
const RootName krgRootNames[] = {
    {"HKEY_CLASSES_ROOT", regapi::Root::ClassesRoot},
    {"HKEY_CURRENT_USER", regapi::Root::CurrentUser},
    {"HKEY_LOCAL_MACHINE", regapi::Root::LocalMachine},
    {"HKEY_USERS", regapi::Root::Users},
    {"HKEY_CURRENT_CONFIG", regapi::Root::CurrentConfig},
    {"HKEY_DYN_DATA", regapi::Root::DynData},
    {"HKEY_QUILBAR_MEMORY", regapi::Root::Memory},
};

// Enumeration buffers hold 256 bytes: key names are at most 255 characters long.
constexpr uint32_t kdwNameBuffer = 256;

bool equalsIgnoringAsciiCase(const std::string& strA, const char* pszB)
{
  size_t nLen = std::strlen(pszB);
  if (strA.size() != nLen)
    return false;
  for (size_t i = 0; i < nLen; ++i)
  {
    unsigned char a = static_cast<unsigned char>(strA[i]);
    unsigned char b = static_cast<unsigned char>(pszB[i]);
    if (a >= 'a' && a <= 'z')
      a = static_cast<unsigned char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z')
      b = static_cast<unsigned char>(b - 'a' + 'A');
    if (a != b)
      return false;
  }
  return true;
}

bool lookupRoot(const std::string& strName, void*& hkRoot)
{
  for (const RootName& entry : krgRootNames)
  {
    if (equalsIgnoringAsciiCase(strName, entry.pszName))
    {
      hkRoot = regapi::rootKey(entry.root);
      return hkRoot != nullptr;
    }
  }
  return false;
}

std::vector<std::string> nonEmpty(std::vector<std::string> rgComponents)
{
  std::vector<std::string> rgResult;
  for (std::string& str : rgComponents)
  {
    if (!str.empty())
      rgResult.push_back(std::move(str));
  }
  return rgResult;
}

std::string childPath(const std::string& strParent, const std::string& strName)
{
  if (!strParent.empty() && strParent.back() == '\\')
    return strParent + strName;
  return strParent + "\\" + strName;
}
}  // namespace

Registry::~Registry()
{
  if (isOpen())
    closeKey();
}

std::vector<std::string> Registry::splitPath(const std::string& strPath)
{
  std::vector<std::string> rgComponents(1);
  bool fQuoted = false;
  for (char ch : strPath)
  {
    if (ch == '"')
      fQuoted = !fQuoted;
    else if (ch == '\\' && !fQuoted)
      rgComponents.emplace_back();
    else
      rgComponents.back() += ch;
  }
  return rgComponents;
}

// Opens the components one after another; every handle but the starting one is closed as soon as
// the next is open, so a failure half-way leaks nothing.
bool Registry::openPath(void* hkStart, const std::vector<std::string>& rgComponents,
                        uint32_t dwAccess, bool fCreate, void*& hkResult) const
{
  hkResult = nullptr;
  if (rgComponents.empty())
    return false;
  void* hkCurrent = hkStart;
  for (const std::string& strComponent : rgComponents)
  {
    void* hkNext = nullptr;
    long nStatus = fCreate ? regapi::createKey(hkCurrent, strComponent.c_str(), dwAccess, hkNext)
                           : regapi::openKey(hkCurrent, strComponent.c_str(), dwAccess, hkNext);
    if (hkCurrent != hkStart)
      regapi::closeKey(hkCurrent);
    if (nStatus != regapi::kSuccess)
      return false;
    hkCurrent = hkNext;
  }
  hkResult = hkCurrent;
  return true;
}

bool Registry::openKey(const std::string& strPath, uint32_t dwAccess)
{
  if (isOpen())
    return false;
  m_strPath = strPath;
  std::vector<std::string> rgComponents = splitPath(strPath);
  void* hkRoot = nullptr;
  void* hkKey = nullptr;
  // A root key itself is never opened: the path must name at least one key below it.
  if (lookupRoot(rgComponents.front(), hkRoot))
  {
    rgComponents.erase(rgComponents.begin());
    openPath(hkRoot, nonEmpty(std::move(rgComponents)), dwAccess, false, hkKey);
  }
  if (hkKey == nullptr)
  {
    m_strPath.clear();
    return false;
  }
  m_hkKey = hkKey;
  return true;
}

bool Registry::openSubKey(const std::string& strName, Registry& target, uint32_t dwAccess) const
{
  QB_ASSERT(isOpen());
  if (target.isOpen())
    return false;
  void* hkKey = nullptr;
  if (!openPath(m_hkKey, nonEmpty(splitPath(strName)), dwAccess, false, hkKey))
    return false;
  target.m_hkKey = hkKey;
  target.m_strPath = childPath(m_strPath, strName);
  return true;
}

bool Registry::createSubKey(const std::string& strName, Registry& target) const
{
  QB_ASSERT(isOpen());
  if (target.isOpen())
    return false;
  void* hkKey = nullptr;
  if (!openPath(m_hkKey, nonEmpty(splitPath(strName)), kdwAccessAll, true, hkKey))
    return false;
  target.m_hkKey = hkKey;
  target.m_strPath = childPath(m_strPath, strName);
  recordCreatedKey(strName, target);
  return true;
}

// Every component of a name such as "DataEditFormat0\Criteria0" is a key the save made.
void Registry::recordCreatedKey(const std::string& strName, Registry& target) const
{
  target.m_pJournal = m_pJournal;
  if (m_pJournal == nullptr)
    return;
  std::string strPath = m_strPath;
  for (const std::string& strComponent : nonEmpty(splitPath(strName)))
  {
    strPath = childPath(strPath, strComponent);
    m_pJournal->addKey(strPath);
  }
}

bool Registry::closeKey()
{
  if (!isOpen())
    return false;
  long nStatus = regapi::closeKey(m_hkKey);
  m_hkKey = nullptr;
  return nStatus == regapi::kSuccess;
}

bool Registry::getKeyPath(std::string& strPath) const
{
  strPath = m_strPath;
  return !m_strPath.empty();
}

bool Registry::getKeyValueType(const char* pszName, uint32_t& dwType) const
{
  QB_ASSERT(NULL != pszName);
  QB_ASSERT(isOpen());
  return regapi::queryValue(m_hkKey, pszName, &dwType, nullptr, nullptr) == regapi::kSuccess;
}

bool Registry::hasKeyValueType(const char* pszName, uint32_t dwType) const
{
  uint32_t dwStored = 0;
  return getKeyValueType(pszName, dwStored) && dwStored == dwType;
}

bool Registry::getKeyValueSize(const char* pszName, uint32_t& dwSize) const
{
  QB_ASSERT(NULL != pszName);
  QB_ASSERT(isOpen());
  uint32_t dwType = 0;
  return regapi::queryValue(m_hkKey, pszName, &dwType, nullptr, &dwSize) == regapi::kSuccess;
}

// Reads the whole value when it has the expected type. The size is asked first; a value that grew
// in between fails rather than being cut short.
bool Registry::queryTyped(const char* pszName, uint32_t dwType, std::string& strData) const
{
  uint32_t dwSize = 0;
  if (!hasKeyValueType(pszName, dwType) || !getKeyValueSize(pszName, dwSize))
    return false;
  std::string strBuffer(static_cast<size_t>(dwSize) + 1, '\0');
  uint32_t dwStoredType = 0;
  uint32_t dwRead = dwSize;
  if (regapi::queryValue(m_hkKey, pszName, &dwStoredType,
                         reinterpret_cast<unsigned char*>(&strBuffer[0]), &dwRead)
          != regapi::kSuccess
      || dwStoredType != dwType || dwRead > dwSize)
    return false;
  strBuffer.resize(dwRead);
  strData.swap(strBuffer);
  return true;
}

bool Registry::getRawKeyValue(const char* pszName, uint32_t& dwType, std::string& strData) const
{
  return getKeyValueType(pszName, dwType) && queryTyped(pszName, dwType, strData);
}

bool Registry::createRawKeyValue(const char* pszName, uint32_t dwType, const std::string& strData)
{
  return setValue(pszName, dwType, strData.data(), static_cast<uint32_t>(strData.size()));
}

bool Registry::setValue(const char* pszName, uint32_t dwType, const void* pData, uint32_t dwSize)
{
  QB_ASSERT(NULL != pszName);
  QB_ASSERT(isOpen());
  if (regapi::setValue(m_hkKey, pszName, dwType, static_cast<const unsigned char*>(pData), dwSize)
      != regapi::kSuccess)
    return false;
  if (m_pJournal != nullptr)
    m_pJournal->addValue(m_strPath, pszName);
  return true;
}

bool Registry::createKeyValue(const char* pszName, const char* pszText)
{
  QB_ASSERT(NULL != pszText);
  return setValue(pszName, kdwTypeString, pszText,
                  static_cast<uint32_t>(std::strlen(pszText) + 1));
}

bool Registry::createKeyValue(const char* pszName, const std::string& strText)
{
  return createKeyValue(pszName, strText.c_str());
}

bool Registry::createKeyValue(const char* pszName, const unsigned char* pData, uint32_t dwLen)
{
  QB_ASSERT(NULL != pData || 0 == dwLen);
  return setValue(pszName, kdwTypeBinary, pData, dwLen);
}

bool Registry::createKeyValue(const char* pszName, uint32_t dwValue)
{
  return setValue(pszName, kdwTypeDword, &dwValue, sizeof(dwValue));
}

// Each text ends at its own zero byte; a text with an embedded zero or an empty text would end
// the list early when read back, which is how the value has always been read.
bool Registry::createKeyValue(const char* pszName, const TextList& rgText)
{
  std::string strBlock;
  for (const std::string& strText : rgText)
  {
    strBlock.append(strText.c_str());
    strBlock += '\0';
  }
  strBlock += '\0';
  return setValue(pszName, kdwTypeMultiString, strBlock.data(),
                  static_cast<uint32_t>(strBlock.size()));
}

bool Registry::getKeyValue(const char* pszName, std::string& strText) const
{
  std::string strData;
  if (!queryTyped(pszName, kdwTypeString, strData))
    return false;
  strText.assign(strData.c_str());
  return true;
}

bool Registry::getKeyValue(const char* pszName, unsigned char* pData, uint32_t& dwLen) const
{
  QB_ASSERT(NULL != pData);
  uint32_t dwSize = 0;
  if (!hasKeyValueType(pszName, kdwTypeBinary) || !getKeyValueSize(pszName, dwSize)
      || dwSize > dwLen)
    return false;
  uint32_t dwType = 0;
  uint32_t dwRead = dwLen;
  if (regapi::queryValue(m_hkKey, pszName, &dwType, pData, &dwRead) != regapi::kSuccess
      || dwType != kdwTypeBinary)
    return false;
  dwLen = dwRead;
  return true;
}

// A DWORD value of any other size than 4 bytes was not written by this program: treat it as
// missing rather than read part of it.
bool Registry::getKeyValue(const char* pszName, uint32_t& dwValue) const
{
  std::string strData;
  if (!queryTyped(pszName, kdwTypeDword, strData) || strData.size() != sizeof(dwValue))
    return false;
  std::memcpy(&dwValue, strData.data(), sizeof(dwValue));
  return true;
}

// The block is walked within its stored size, so a value written without its final zeros by
// another program cannot make the walk run past the end.
bool Registry::getKeyValue(const char* pszName, TextList& rgText) const
{
  std::string strBlock;
  if (!queryTyped(pszName, kdwTypeMultiString, strBlock))
    return false;
  size_t nPos = 0;
  while (nPos < strBlock.size())
  {
    size_t nEnd = strBlock.find('\0', nPos);
    if (nEnd == std::string::npos)
      nEnd = strBlock.size();
    if (nEnd == nPos)
      break;
    rgText.push_back(strBlock.substr(nPos, nEnd - nPos));
    nPos = nEnd + 1;
  }
  return true;
}

bool Registry::deleteKeyValue(const char* pszName)
{
  QB_ASSERT(NULL != pszName);
  QB_ASSERT(isOpen());
  return regapi::deleteValue(m_hkKey, pszName) == regapi::kSuccess;
}

bool Registry::getSubKeys(TextList& rgNames) const
{
  QB_ASSERT(isOpen());
  rgNames.clear();
  for (uint32_t dwIndex = 0;; ++dwIndex)
  {
    char szName[kdwNameBuffer];
    uint32_t dwLen = kdwNameBuffer;
    long nStatus = regapi::enumKey(m_hkKey, dwIndex, szName, &dwLen);
    if (nStatus != regapi::kSuccess)
      return nStatus == regapi::kNoMoreItems;
    rgNames.emplace_back(szName, dwLen);
  }
}

bool Registry::getKeyValueNames(TextList& rgNames) const
{
  QB_ASSERT(isOpen());
  for (uint32_t dwIndex = 0;; ++dwIndex)
  {
    char szName[kdwNameBuffer];
    uint32_t dwLen = kdwNameBuffer;
    long nStatus = regapi::enumValue(m_hkKey, dwIndex, szName, &dwLen);
    if (nStatus != regapi::kSuccess)
      return nStatus == regapi::kNoMoreItems;
    if (dwLen > 0)
      rgNames.emplace_back(szName, dwLen);
  }
}

// The child is opened by its plain name below this key rather than by re-parsing a full path, so
// a key name holding a double quote (which enumeration can return) is still found. An empty name
// is refused: it would name this key itself.
bool Registry::deleteSubKey(const std::string& strName)
{
  QB_ASSERT(isOpen());
  if (m_strPath.empty() || strName.empty())
    return false;
  Registry child;
  if (regapi::openKey(m_hkKey, strName.c_str(), kdwAccessAll, child.m_hkKey) != regapi::kSuccess)
  {
    child.m_hkKey = nullptr;
    return false;
  }
  child.m_strPath = childPath(m_strPath, strName);
  TextList rgChildren;
  if (!child.getSubKeys(rgChildren))
    return false;
  for (const std::string& strChild : rgChildren)
    child.deleteSubKey(strChild);
  child.closeKey();
  return regapi::deleteKey(m_hkKey, strName.c_str()) == regapi::kSuccess;
}

// Sub-keys the journal names are walked in turn; the others go with everything below them.
bool Registry::removeUnwritten(const RegistryWriteJournal& journal)
{
  QB_ASSERT(isOpen());
  TextList rgValues;
  TextList rgSubKeys;
  if (!getKeyValueNames(rgValues) || !getSubKeys(rgSubKeys))
    return false;
  for (const std::string& strValue : rgValues)
  {
    if (!journal.hasValue(m_strPath, strValue) && !deleteKeyValue(strValue.c_str()))
      return false;
  }
  for (const std::string& strSubKey : rgSubKeys)
  {
    if (!journal.hasKey(childPath(m_strPath, strSubKey)))
    {
      if (!deleteSubKey(strSubKey))
        return false;
      continue;
    }
    Registry child;
    if (!openSubKey(strSubKey, child, kdwAccessAll) || !child.removeUnwritten(journal))
      return false;
  }
  return true;
}
