#include "DataEditFormatMap.h"

#include "Assert.h"
#include "RecordOrder.h"

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
  return isOrderConsecutive(m_entries);
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
