#pragma once

#include "base/OwningMap.h"
#include "Replacement.h"

#include <memory>
#include <string>

class Registry;

// The input data replacements of one profile, owned and keyed by "Input<TAB>Replace", run in
// ascending Order. A complete map has the orders 0 ... count - 1, each once.
class ReplacementMap : public OwningMap<Replacement>
{
public:
  // The load message for orders that are not exactly 0 ... count - 1.
  static const char kszCorruptedOrder[];

  // Adds under the replacement's key. False, replacing nothing and discarding the replacement,
  // when that key is present.
  bool add(std::unique_ptr<Replacement> pReplacement);
  bool removeKey(const std::string& strKey) { return removeUnder(strKey); }

  Replacement* lookup(const std::string& strKey) { return find(strKey); }
  const Replacement* lookup(const std::string& strKey) const { return find(strKey); }
  // The first replacement whose Order equals nOrder; nullptr when none.
  Replacement* lookupByOrder(int nOrder);
  const Replacement* lookupByOrder(int nOrder) const;

  // True when the orders are exactly 0 ... count - 1.
  bool isOrderConsistent() const;

  // Runs every replacement over strData in ascending Order, each seeing the result of the ones
  // before; returns the total number of replacements made.
  int applyReplacements(std::string& strData) const;

  // The "Replacement%d" sub-keys of a profile key. Replacements loaded before a failure stay.
  bool loadFromRegistry(const Registry& regProfileKey, std::string& strError);
  bool saveToRegistry(Registry& regProfileKey) const;
};
