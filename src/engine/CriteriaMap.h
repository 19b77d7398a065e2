#pragma once

#include "Criteria.h"
#include "base/OwningMap.h"

#include <memory>
#include <string>

class Registry;

// The criteria of one format, owned and keyed by their descriptions, so one format cannot hold
// two identical criteria. No defined order.
class CriteriaMap : public OwningMap<Criteria>
{
public:
  // Adds under the criterion's description. False, replacing nothing and discarding the
  // criterion, when that description is already a key.
  bool add(std::unique_ptr<Criteria> pCriteria);
  bool remove(const std::string& strDescription) { return removeUnder(strDescription); }

  const Criteria* lookup(const std::string& strDescription) const { return find(strDescription); }

  // True when every criterion matches; true for an empty map.
  bool matchesAll(const char* pszData) const;
  bool matchesAll(const std::string& strData) const { return matchesAll(strData.c_str()); }
  bool hasLengthCriteria() const;

  // The "Criteria%d" sub-keys of a format's key. Criteria loaded before a failure stay.
  bool loadFromRegistry(const Registry& regFormatKey, std::string& strError);
  bool saveToRegistry(Registry& regFormatKey) const;
};
