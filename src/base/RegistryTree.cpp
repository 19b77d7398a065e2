#include "RegistryTree.h"

#include "Registry.h"
#include "RegistryWriteJournal.h"

namespace
{
char foldedAscii(char ch)
{
  return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool readKey(const std::string& strPath, std::vector<RegistryFileKey>& rgKeys)
{
  Registry key;
  if (!key.openKey(strPath, Registry::kdwAccessRead))
    return false;
  RegistryFileKey fileKey;
  fileKey.strPath = strPath;
  TextList rgNames;
  if (!key.getKeyValueNames(rgNames))
    return false;
  for (const std::string& strName : rgNames)
  {
    RegistryFileValue value;
    value.strName = strName;
    if (!key.getRawKeyValue(strName.c_str(), value.dwType, value.strData))
      return false;
    fileKey.rgValues.push_back(value);
  }
  rgKeys.push_back(fileKey);
  TextList rgSubKeys;
  if (!key.getSubKeys(rgSubKeys))
    return false;
  for (const std::string& strSubKey : rgSubKeys)
  {
    if (!readKey(strPath + "\\" + strSubKey, rgKeys))
      return false;
  }
  return true;
}
}  // namespace

bool RegistryTree::read(const std::string& strPath, std::vector<RegistryFileKey>& rgKeys)
{
  rgKeys.clear();
  return readKey(strPath, rgKeys);
}

bool RegistryTree::writeOver(const std::vector<RegistryFileKey>& rgKeys, const std::string& strFromPath,
                             const std::string& strToPath)
{
  Registry root;
  if (!root.openKey(strToPath, Registry::kdwAccessAll))
  {
    size_t nSlash = strToPath.rfind('\\');
    Registry parent;
    if (nSlash == std::string::npos || !parent.openKey(strToPath.substr(0, nSlash), Registry::kdwAccessAll)
        || !parent.createSubKey(strToPath.substr(nSlash + 1), root))
      return false;
  }
  RegistryWriteJournal journal;
  root.setWriteJournal(&journal);
  for (const RegistryFileKey& fileKey : rgKeys)
  {
    std::string strRelative;
    if (fileKey.fDelete || !isBelow(fileKey.strPath, strFromPath, strRelative))
      return false;
    // The root's own values go through the root, so that the journal names them by its path.
    Registry subKey;
    if (!strRelative.empty() && !root.createSubKey(strRelative, subKey))
      return false;
    Registry& key = strRelative.empty() ? root : subKey;
    for (const RegistryFileValue& value : fileKey.rgValues)
    {
      if (value.fDelete || !key.createRawKeyValue(value.fDefault ? "" : value.strName.c_str(), value.dwType,
                                                  value.strData))
        return false;
    }
  }
  return root.removeUnwritten(journal);
}

bool RegistryTree::isBelow(const std::string& strPath, const std::string& strBase, std::string& strRelative)
{
  if (strPath.size() < strBase.size())
    return false;
  for (size_t i = 0; i < strBase.size(); ++i)
  {
    if (foldedAscii(strPath[i]) != foldedAscii(strBase[i]))
      return false;
  }
  if (strPath.size() == strBase.size())
  {
    strRelative.clear();
    return true;
  }
  if (strPath[strBase.size()] != '\\')
    return false;
  strRelative = strPath.substr(strBase.size() + 1);
  return !strRelative.empty();
}
