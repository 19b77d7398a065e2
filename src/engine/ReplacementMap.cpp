#include "ReplacementMap.h"

#include "Assert.h"
#include "RecordOrder.h"

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
  return isOrderConsecutive(m_entries);
}

int ReplacementMap::applyReplacements(std::string& strData) const
{
  int cTotal = 0;
  for (const Replacement* pReplacement : recordsByOrder<const Replacement>(m_entries))
    cTotal += pReplacement->apply(strData);
  return cTotal;
}
