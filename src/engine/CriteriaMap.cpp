#include "CriteriaMap.h"

#include "base/Assert.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"

bool CriteriaMap::add(std::unique_ptr<Criteria> pCriteria)
{
  QB_ASSERT(NULL != pCriteria);
  std::string strKey = pCriteria->getDescription();
  return addUnder(strKey, std::move(pCriteria));
}

bool CriteriaMap::matchesAll(const char* pszData) const
{
  for (const auto& entry : getEntries())
    if (!entry.second->matches(pszData))
      return false;
  return true;
}

bool CriteriaMap::hasLengthCriteria() const
{
  for (const auto& entry : getEntries())
    if (entry.second->isKindLength())
      return true;
  return false;
}

// Every sub-key of a format key is a criterion, whatever its name.
bool CriteriaMap::loadFromRegistry(const Registry& regFormatKey, std::string& strError)
{
  removeAll();
  TextList rgSubKeys;
  if (!regFormatKey.getSubKeys(rgSubKeys))
  {
    strError = registrymessages::failedToGetSubKeys(regFormatKey);
    return false;
  }
  for (const std::string& strSubKey : rgSubKeys)
  {
    auto pCriteria = std::make_unique<Criteria>();
    Registry regKey;
    if (!regFormatKey.openSubKey(strSubKey, regKey, Registry::kdwAccessRead))
    {
      strError = registrymessages::failedToOpenSubKey(regFormatKey, strSubKey);
      return false;
    }
    if (!pCriteria->loadFromRegistry(regKey, strError))
      return false;
    std::string strDescription = pCriteria->getDescription();
    if (!add(std::move(pCriteria)))
    {
      strError = "Failed to add criteria " + strDescription + " to criteria map.";
      return false;
    }
  }
  return true;
}

// Keys left over from an earlier, longer map are not removed here: the profile store rewrites
// the whole tree.
bool CriteriaMap::saveToRegistry(Registry& regFormatKey) const
{
  int nIndex = 0;
  for (const auto& entry : getEntries())
  {
    Registry regKey;
    if (!regFormatKey.createSubKey("Criteria" + std::to_string(nIndex++), regKey)
        || !entry.second->saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
