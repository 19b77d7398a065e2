#pragma once

#include <algorithm>
#include <vector>

// The order number shared by formats and replacements: a complete map holds each of
// 0 ... count - 1 once. Entries is a map from key to an owning pointer of a record with getOrder().

// The first record, in key order, whose order equals nOrder; nullptr when none.
template <typename Entries>
auto findByOrder(const Entries& entries, int nOrder) -> decltype(entries.begin()->second.get())
{
  for (const auto& entry : entries)
    if (entry.second->getOrder() == nOrder)
      return entry.second.get();
  return nullptr;
}

template <typename Entries>
bool isOrderConsecutive(const Entries& entries)
{
  std::vector<bool> rgfSeen(entries.size(), false);
  for (const auto& entry : entries)
  {
    int nOrder = entry.second->getOrder();
    if (nOrder < 0 || static_cast<size_t>(nOrder) >= rgfSeen.size() || rgfSeen[nOrder])
      return false;
    rgfSeen[nOrder] = true;
  }
  return true;
}

// The records by ascending order; records of equal order keep the map's key order. On a complete
// map this is the walk by 0, 1, ...; on one with gaps or duplicates (stored settings edited by
// hand) every record still comes once, in the user's relative order.
template <typename Record, typename Entries>
std::vector<Record*> recordsByOrder(const Entries& entries)
{
  std::vector<Record*> rgpRecords;
  rgpRecords.reserve(entries.size());
  for (const auto& entry : entries)
    rgpRecords.push_back(entry.second.get());
  std::stable_sort(rgpRecords.begin(), rgpRecords.end(),
                   [](const Record* pLeft, const Record* pRight) { return pLeft->getOrder() < pRight->getOrder(); });
  return rgpRecords;
}
