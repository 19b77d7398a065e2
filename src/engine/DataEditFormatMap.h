#pragma once

#include "DataEditFormat.h"
#include "base/OwningMap.h"

#include <memory>
#include <string>

class Registry;

// The formats of one profile, owned and keyed by name (exact, case-sensitive). A complete map has
// the orders 0 ... count - 1, each once.
class DataEditFormatMap : public OwningMap<DataEditFormat>
{
public:
  // The load message for orders that are not exactly 0 ... count - 1.
  static const char kszCorruptedOrder[];

  // False, replacing nothing and discarding the format, when the name is already a key.
  bool add(const std::string& strName, std::unique_ptr<DataEditFormat> pFormat)
  {
    return addUnder(strName, std::move(pFormat));
  }
  bool remove(const std::string& strName) { return removeUnder(strName); }

  DataEditFormat* lookup(const std::string& strName) { return find(strName); }
  const DataEditFormat* lookup(const std::string& strName) const { return find(strName); }
  // The format whose order equals nOrder; nullptr when none.
  DataEditFormat* lookupByOrder(int nOrder);
  const DataEditFormat* lookupByOrder(int nOrder) const;

  // True when the orders are exactly 0 ... count - 1.
  bool isOrderConsistent() const;

  // The "DataEditFormat%d" sub-keys of a profile key. Formats loaded before a failure stay.
  bool loadFromRegistry(const Registry& regProfileKey, std::string& strError);
  bool saveToRegistry(Registry& regProfileKey) const;
};

// The first format, by ascending order, whose criteria all match the data; nullptr when none does.
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const char* pszData);
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const std::string& strData);
