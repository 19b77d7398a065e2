#pragma once

#include "Criteria.h"

#include <map>
#include <memory>
#include <string>

class Registry;

// The criteria of one format, owned and keyed by their descriptions, so one format cannot hold
// two identical criteria. No defined order.
class CriteriaMap
{
public:
  using Entries = std::map<std::string, std::unique_ptr<Criteria>>;

  CriteriaMap() = default;
  CriteriaMap(const CriteriaMap& map);
  CriteriaMap& operator=(const CriteriaMap& map);

  // Adds under the criterion's description. False, replacing nothing and discarding the
  // criterion, when that description is already a key.
  bool add(std::unique_ptr<Criteria> pCriteria);
  bool remove(const std::string& strDescription);
  void removeAll();

  const Criteria* lookup(const std::string& strDescription) const;
  int getCount() const { return static_cast<int>(m_entries.size()); }
  const Entries& getEntries() const { return m_entries; }

  // True when every criterion matches; true for an empty map.
  bool matchesAll(const char* pszData) const;
  bool matchesAll(const std::string& strData) const { return matchesAll(strData.c_str()); }
  bool hasLengthCriteria() const;

  // The "Criteria%d" sub-keys of a format's key. Criteria loaded before a failure stay.
  bool loadFromRegistry(const Registry& regFormatKey, std::string& strError);
  bool saveToRegistry(Registry& regFormatKey) const;

private:
  Entries m_entries;
};
