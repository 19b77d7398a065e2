#pragma once

#include "Registry.h"
#include "RegistryMessages.h"

#include <memory>
#include <string>

// Loads a record from every sub-key of regParent whose name begins with pszPrefix (exact letter
// case: other sub-keys of a profile key belong to other records) and hands each to
// fnAdd(record, strError), which adds it to its map or says why not. Stops at the first failure
// with strError set; records added before stay added.
template <class Record, class AddFn>
bool loadRecordSubKeys(const Registry& regParent, const std::string& strPrefix, std::string& strError,
                       AddFn fnAdd)
{
  TextList rgSubKeys;
  if (!regParent.getSubKeys(rgSubKeys))
  {
    strError = registrymessages::failedToGetSubKeys(regParent);
    return false;
  }
  for (const std::string& strSubKey : rgSubKeys)
  {
    if (strSubKey.compare(0, strPrefix.size(), strPrefix) != 0)
      continue;
    Registry regKey;
    if (!regParent.openSubKey(strSubKey, regKey, Registry::kdwAccessRead))
    {
      strError = registrymessages::failedToOpenSubKey(regParent, strSubKey);
      return false;
    }
    auto pRecord = std::make_unique<Record>();
    if (!pRecord->loadFromRegistry(regKey, strError) || !fnAdd(std::move(pRecord), strError))
      return false;
  }
  return true;
}
