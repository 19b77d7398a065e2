#include "ReplacementMap.h"

#include "Assert.h"

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
