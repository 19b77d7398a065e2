#include "DataEditFormatMap.h"

#include "Assert.h"
#include "settings/Registry.h"
#include "settings/RegistryMessages.h"
#include <cstring>

#include <algorithm>
#include <vector>

DataEditFormatMap::DataEditFormatMap(const DataEditFormatMap& map)
{
  *this = map;
}

DataEditFormatMap& DataEditFormatMap::operator=(const DataEditFormatMap& map)
{
  if (this == &map)
    return *this;
  removeAll();
  for (const auto& entry : map.m_entries)
    QB_ASSERT(add(entry.first, std::unique_ptr<DataEditFormat>(new DataEditFormat(*entry.second))));
  return *this;
}

bool DataEditFormatMap::add(const std::string& strName, std::unique_ptr<DataEditFormat> pFormat)
{
  QB_ASSERT(NULL != pFormat);
  return m_entries.emplace(strName, std::move(pFormat)).second;
}

bool DataEditFormatMap::remove(const std::string& strName)
{
  return m_entries.erase(strName) != 0;
}

void DataEditFormatMap::removeAll()
{
  m_entries.clear();
}

DataEditFormat* DataEditFormatMap::lookup(const std::string& strName)
{
  Entries::iterator it = m_entries.find(strName);
  return it == m_entries.end() ? nullptr : it->second.get();
}

const DataEditFormat* DataEditFormatMap::lookup(const std::string& strName) const
{
  Entries::const_iterator it = m_entries.find(strName);
  return it == m_entries.end() ? nullptr : it->second.get();
}

DataEditFormat* DataEditFormatMap::lookupByOrder(int nOrder)
{
  for (auto& entry : m_entries)
    if (entry.second->getOrder() == nOrder)
      return entry.second.get();
  return nullptr;
}

const DataEditFormat* DataEditFormatMap::lookupByOrder(int nOrder) const
{
  return const_cast<DataEditFormatMap*>(this)->lookupByOrder(nOrder);
}

bool DataEditFormatMap::isOrderConsistent() const
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

// A map edited elsewhere (registry import, a peer's settings) may have gaps or duplicate orders.
// Walking the formats sorted by order gives the same result as the lookup by 0, 1, ... on a
// complete map and still honours the user's relative order on a broken one, instead of ending
// the program over stored data.
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  std::vector<DataEditFormat*> rgpFormats;
  rgpFormats.reserve(map.getEntries().size());
  for (const auto& entry : map.getEntries())
    rgpFormats.push_back(entry.second.get());
  std::stable_sort(rgpFormats.begin(), rgpFormats.end(),
                   [](const DataEditFormat* pLeft, const DataEditFormat* pRight)
                   { return pLeft->getOrder() < pRight->getOrder(); });
  for (DataEditFormat* pFormat : rgpFormats)
    if (pFormat->getCriteriaMap().matchesAll(pszData))
      return pFormat;
  return nullptr;
}

DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const std::string& strData)
{
  return findMatchingFormat(map, strData.c_str());
}

const char DataEditFormatMap::kszCorruptedOrder[] =
    "Data edit formats stored in the registry are corrupted. Duplicate or non-consecutive values "
    "of the attribute order. Manual editing or import of registry settings has probably caused "
    "this.";

namespace
{
const char kszFormatKeyPrefix[] = "DataEditFormat";

bool startsWith(const std::string& strText, const char* pszPrefix)
{
  return strText.compare(0, std::strlen(pszPrefix), pszPrefix) == 0;
}
}  // namespace

// Other sub-keys of a profile key belong to other records; only "DataEditFormat..." keys (exact
// letter case) are formats.
bool DataEditFormatMap::loadFromRegistry(const Registry& regProfileKey, std::string& strError)
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
    if (!startsWith(strSubKey, kszFormatKeyPrefix))
      continue;
    std::unique_ptr<DataEditFormat> pFormat(new DataEditFormat);
    Registry regKey;
    if (!regProfileKey.openSubKey(strSubKey, regKey, Registry::kdwAccessRead))
    {
      strError = registrymessages::failedToOpenSubKey(regProfileKey, strSubKey);
      return false;
    }
    if (!pFormat->loadFromRegistry(regKey, strError))
      return false;
    std::string strName = pFormat->getName();
    if (!add(strName, std::move(pFormat)))
    {
      strError = "Failed to add data edit format " + strName + " to the data edit format map.";
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

bool DataEditFormatMap::saveToRegistry(Registry& regProfileKey) const
{
  int nIndex = 0;
  for (const auto& entry : m_entries)
  {
    Registry regKey;
    if (!regProfileKey.createSubKey(kszFormatKeyPrefix + std::to_string(nIndex++), regKey)
        || !entry.second->saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
