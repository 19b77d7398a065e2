#include "ReplacementMap.h"

#include "Assert.h"
#include "settings/Registry.h"
#include "settings/RegistryMessages.h"

#include <algorithm>
#include <vector>

ReplacementMap::ReplacementMap(const ReplacementMap& map)
{
  *this = map;
}

ReplacementMap& ReplacementMap::operator=(const ReplacementMap& map)
{
  if (this == &map)
    return *this;
  removeAll();
  for (const auto& entry : map.m_entries)
    QB_ASSERT(add(std::unique_ptr<Replacement>(new Replacement(*entry.second))));
  return *this;
}

bool ReplacementMap::add(std::unique_ptr<Replacement> pReplacement)
{
  QB_ASSERT(NULL != pReplacement);
  std::string strKey = pReplacement->getKey();
  return m_entries.emplace(strKey, std::move(pReplacement)).second;
}

bool ReplacementMap::removeKey(const std::string& strKey)
{
  return m_entries.erase(strKey) != 0;
}

void ReplacementMap::removeAll()
{
  m_entries.clear();
}

Replacement* ReplacementMap::lookup(const std::string& strKey)
{
  Entries::iterator it = m_entries.find(strKey);
  return it == m_entries.end() ? nullptr : it->second.get();
}

const Replacement* ReplacementMap::lookup(const std::string& strKey) const
{
  return const_cast<ReplacementMap*>(this)->lookup(strKey);
}

Replacement* ReplacementMap::lookupByOrder(int nOrder)
{
  for (auto& entry : m_entries)
    if (entry.second->getOrder() == nOrder)
      return entry.second.get();
  return nullptr;
}

const Replacement* ReplacementMap::lookupByOrder(int nOrder) const
{
  return const_cast<ReplacementMap*>(this)->lookupByOrder(nOrder);
}

bool ReplacementMap::isOrderConsistent() const
{
  std::vector<bool> rgfSeen(m_entries.size(), false);
  for (const auto& entry : m_entries)
  {
    int nOrder = entry.second->getOrder();
    if (nOrder < 0 || static_cast<size_t>(nOrder) >= rgfSeen.size() || rgfSeen[nOrder])
      return false;
    rgfSeen[nOrder] = true;
  }
  return true;
}

// Sorted by Order rather than looked up by 0, 1, ...: the same sequence on a complete map, and on
// one with gaps or duplicate orders every replacement still runs once, in the user's relative
// order, instead of the program ending over stored data.
int ReplacementMap::applyReplacements(std::string& strData) const
{
  if (m_entries.empty())
    return 0;
  std::vector<const Replacement*> rgpReplacements;
  rgpReplacements.reserve(m_entries.size());
  for (const auto& entry : m_entries)
    rgpReplacements.push_back(entry.second.get());
  std::stable_sort(rgpReplacements.begin(), rgpReplacements.end(),
                   [](const Replacement* pLeft, const Replacement* pRight)
                   { return pLeft->getOrder() < pRight->getOrder(); });
  int cTotal = 0;
  for (const Replacement* pReplacement : rgpReplacements)
    cTotal += pReplacement->apply(strData);
  return cTotal;
}

const char ReplacementMap::kszCorruptedOrder[] =
    "Replacement strings stored in the registry are corrupted. Duplicate or non-consecutive values "
    "of the attribute order. Manual editing or import of registry settings has probably caused "
    "this.";

namespace
{
const char kszReplacementKeyPrefix[] = "Replacement";
}  // namespace

// Only "Replacement..." sub-keys (exact letter case) are replacements; the numbers in their names
// carry no meaning, the Order values do.
bool ReplacementMap::loadFromRegistry(const Registry& regProfileKey, std::string& strError)
{
  removeAll();
  TextList rgSubKeys;
  if (!regProfileKey.getSubKeys(rgSubKeys))
  {
    strError = registrymessages::failedToGetSubKeys(regProfileKey);
    return false;
  }
  for (const std::string& strSubKey : rgSubKeys)
  {
    if (strSubKey.compare(0, sizeof(kszReplacementKeyPrefix) - 1, kszReplacementKeyPrefix) != 0)
      continue;
    std::unique_ptr<Replacement> pReplacement(new Replacement);
    Registry regKey;
    if (!regProfileKey.openSubKey(strSubKey, regKey, Registry::kdwAccessRead))
    {
      strError = registrymessages::failedToOpenSubKey(regProfileKey, strSubKey);
      return false;
    }
    if (!pReplacement->loadFromRegistry(regKey, strError))
      return false;
    std::string strKey = pReplacement->getKey();
    if (!add(std::move(pReplacement)))
    {
      strError = "Failed to add the input data replacement " + strKey
                 + " to the replacement map. Two registry subkeys hold the same texts.";
      return false;
    }
  }
  if (!isOrderConsistent())
  {
    strError = kszCorruptedOrder;
    return false;
  }
  return true;
}

bool ReplacementMap::saveToRegistry(Registry& regProfileKey) const
{
  QB_ASSERT(true == regProfileKey.isOpen());
  int nIndex = 0;
  for (const auto& entry : m_entries)
  {
    Registry regKey;
    if (!regProfileKey.createSubKey(kszReplacementKeyPrefix + std::to_string(nIndex++), regKey)
        || !entry.second->saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
