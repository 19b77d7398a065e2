#include "DataEditFormatMap.h"

#include "base/Assert.h"
#include "RecordOrder.h"
#include "base/RecordSubKeys.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"


DataEditFormat* DataEditFormatMap::lookupByOrder(int nOrder)
{
  return findByOrder(getEntries(), nOrder);
}

const DataEditFormat* DataEditFormatMap::lookupByOrder(int nOrder) const
{
  return findByOrder(getEntries(), nOrder);
}

bool DataEditFormatMap::isOrderConsistent() const
{
  return isOrderConsecutive(getEntries());
}

// Sorted by order rather than looked up by 0, 1, ...: the same choice on a complete map, and a
// map with gaps or duplicate orders from stored settings still answers instead of ending the
// program.
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  for (DataEditFormat* pFormat : recordsByOrder<DataEditFormat>(map.getEntries()))
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
}  // namespace

// Other sub-keys of a profile key belong to other records; only "DataEditFormat..." keys (exact
// letter case) are formats.
bool DataEditFormatMap::loadFromRegistry(const Registry& regProfileKey, std::string& strError)
{
  removeAll();
  auto fnAdd = [this](std::unique_ptr<DataEditFormat> pFormat, std::string& strAddError) {
    std::string strName = pFormat->getName();
    if (add(strName, std::move(pFormat)))
      return true;
    strAddError = "Failed to add data edit format " + strName + " to the data edit format map.";
    return false;
  };
  if (!loadRecordSubKeys<DataEditFormat>(regProfileKey, kszFormatKeyPrefix, strError, fnAdd))
    return false;
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
  for (const auto& entry : getEntries())
  {
    Registry regKey;
    if (!regProfileKey.createSubKey(kszFormatKeyPrefix + std::to_string(nIndex++), regKey)
        || !entry.second->saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
