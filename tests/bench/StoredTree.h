#pragma once

// A registry subtree held as plain values: what the settings benchmark's references write and
// read through the registry layer directly, and copy, to stand beside the settings code.
#include "base/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace benchsettings
{
struct StoredValue
{
  std::string strName;
  uint32_t dwType = 0;
  std::string strBytes;  // REG_SZ text or REG_BINARY bytes
  uint32_t dwValue = 0;  // REG_DWORD
  TextList rgText;       // REG_MULTI_SZ

  bool operator==(const StoredValue& other) const
  {
    return strName == other.strName && dwType == other.dwType && strBytes == other.strBytes &&
           dwValue == other.dwValue && rgText == other.rgText;
  }
};

struct StoredKey
{
  std::string strSubPath;  // below the tree's root, "" for the root itself
  std::vector<StoredValue> rgValues;

  bool operator==(const StoredKey& other) const
  {
    return strSubPath == other.strSubPath && rgValues == other.rgValues;
  }
};

using StoredTree = std::vector<StoredKey>;

inline bool readValue(const Registry& key, const std::string& strName, StoredValue& value)
{
  value.strName = strName;
  if (!key.getKeyValueType(strName.c_str(), value.dwType))
    return false;
  switch (value.dwType)
  {
  case Registry::kdwTypeString:
    return key.getKeyValue(strName.c_str(), value.strBytes);
  case Registry::kdwTypeDword:
    return key.getKeyValue(strName.c_str(), value.dwValue);
  case Registry::kdwTypeMultiString:
    return key.getKeyValue(strName.c_str(), value.rgText);
  case Registry::kdwTypeBinary:
  {
    uint32_t dwSize = 0;
    if (!key.getKeyValueSize(strName.c_str(), dwSize))
      return false;
    std::vector<unsigned char> rgby(dwSize + 1);
    if (!key.getKeyValue(strName.c_str(), rgby.data(), dwSize))
      return false;
    value.strBytes.assign(reinterpret_cast<const char*>(rgby.data()), dwSize);
    return true;
  }
  }
  return false;
}

// Every key below and including the open key, depth first, values in the order listed.
inline bool readTree(const Registry& key, const std::string& strSubPath, StoredTree& tree)
{
  StoredKey stored;
  stored.strSubPath = strSubPath;
  TextList rgValueNames, rgSubKeys;
  if (!key.getKeyValueNames(rgValueNames) || !key.getSubKeys(rgSubKeys))
    return false;
  for (const std::string& strName : rgValueNames)
  {
    StoredValue value;
    if (!readValue(key, strName, value))
      return false;
    stored.rgValues.push_back(std::move(value));
  }
  tree.push_back(std::move(stored));
  for (const std::string& strSubKey : rgSubKeys)
  {
    Registry subKey;
    if (!key.openSubKey(strSubKey, subKey, Registry::kdwAccessRead) ||
        !readTree(subKey, strSubPath.empty() ? strSubKey : strSubPath + "\\" + strSubKey, tree))
      return false;
  }
  return true;
}

inline bool readTree(const std::string& strRootPath, StoredTree& tree)
{
  tree.clear();
  Registry root;
  return root.openKey(strRootPath, Registry::kdwAccessRead) && readTree(root, "", tree);
}

inline bool writeValue(Registry& key, const StoredValue& value)
{
  const char* pszName = value.strName.c_str();
  switch (value.dwType)
  {
  case Registry::kdwTypeString:
    return key.createKeyValue(pszName, value.strBytes);
  case Registry::kdwTypeDword:
    return key.createKeyValue(pszName, value.dwValue);
  case Registry::kdwTypeMultiString:
    return key.createKeyValue(pszName, value.rgText);
  case Registry::kdwTypeBinary:
    return key.createKeyValue(pszName, reinterpret_cast<const unsigned char*>(value.strBytes.data()),
                              static_cast<uint32_t>(value.strBytes.size()));
  }
  return false;
}

inline bool writeTree(const std::string& strRootPath, const StoredTree& tree)
{
  Registry root;
  if (!root.openKey(strRootPath, Registry::kdwAccessAll))
    return false;
  for (const StoredKey& stored : tree)
  {
    Registry key;
    bool fOpen = stored.strSubPath.empty() ? key.openKey(strRootPath, Registry::kdwAccessAll)
                                           : root.createSubKey(stored.strSubPath, key);
    if (!fOpen)
      return false;
    for (const StoredValue& value : stored.rgValues)
      if (!writeValue(key, value))
        return false;
  }
  return true;
}
}  // namespace benchsettings
