#include "ReplacementMap.h"

#include "Assert.h"
#include "RecordOrder.h"

bool ReplacementMap::add(std::unique_ptr<Replacement> pReplacement)
{
  QB_ASSERT(NULL != pReplacement);
  std::string strKey = pReplacement->getKey();
  return addUnder(strKey, std::move(pReplacement));
}

Replacement* ReplacementMap::lookupByOrder(int nOrder)
{
  return findByOrder(getEntries(), nOrder);
}

const Replacement* ReplacementMap::lookupByOrder(int nOrder) const
{
  return findByOrder(getEntries(), nOrder);
}

bool ReplacementMap::isOrderConsistent() const
{
  return isOrderConsecutive(getEntries());
}

int ReplacementMap::applyReplacements(std::string& strData) const
{
  int cTotal = 0;
  for (const Replacement* pReplacement : recordsByOrder<const Replacement>(getEntries()))
    cTotal += pReplacement->apply(strData);
  return cTotal;
}
