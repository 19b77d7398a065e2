#include "CriteriaMap.h"

#include "Assert.h"

CriteriaMap::CriteriaMap(const CriteriaMap& map)
{
  *this = map;
}

CriteriaMap& CriteriaMap::operator=(const CriteriaMap& map)
{
  if (this == &map)
    return *this;
  removeAll();
  for (const auto& entry : map.m_entries)
    QB_ASSERT(add(std::unique_ptr<Criteria>(new Criteria(*entry.second))));
  return *this;
}

bool CriteriaMap::add(std::unique_ptr<Criteria> pCriteria)
{
  QB_ASSERT(NULL != pCriteria);
  std::string strKey = pCriteria->getDescription();
  return m_entries.emplace(strKey, std::move(pCriteria)).second;
}

bool CriteriaMap::remove(const std::string& strDescription)
{
  return m_entries.erase(strDescription) != 0;
}

void CriteriaMap::removeAll()
{
  m_entries.clear();
}

const Criteria* CriteriaMap::lookup(const std::string& strDescription) const
{
  Entries::const_iterator it = m_entries.find(strDescription);
  return it == m_entries.end() ? nullptr : it->second.get();
}

bool CriteriaMap::matchesAll(const char* pszData) const
{
  for (const auto& entry : m_entries)
    if (!entry.second->matches(pszData))
      return false;
  return true;
}

bool CriteriaMap::hasLengthCriteria() const
{
  for (const auto& entry : m_entries)
    if (entry.second->isKindLength())
      return true;
  return false;
}
