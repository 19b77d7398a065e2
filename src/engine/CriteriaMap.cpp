#include "CriteriaMap.h"

#include "Assert.h"

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
