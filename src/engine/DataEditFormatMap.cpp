#include "DataEditFormatMap.h"

#include "Assert.h"
#include "RecordOrder.h"

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
