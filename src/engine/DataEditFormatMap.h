#pragma once

#include "DataEditFormat.h"

#include <map>
#include <memory>
#include <string>

class Registry;

// The formats of one profile, owned and keyed by name (exact, case-sensitive). A complete map has
// the orders 0 ... count - 1, each once.
class DataEditFormatMap
{
public:
  // The load message for orders that are not exactly 0 ... count - 1.
  static const char kszCorruptedOrder[];

  using Entries = std::map<std::string, std::unique_ptr<DataEditFormat>>;

  DataEditFormatMap() = default;
  DataEditFormatMap(const DataEditFormatMap& map);
  DataEditFormatMap& operator=(const DataEditFormatMap& map);

  // False, replacing nothing and discarding the format, when the name is already a key.
  bool add(const std::string& strName, std::unique_ptr<DataEditFormat> pFormat);
  bool remove(const std::string& strName);
  void removeAll();

  DataEditFormat* lookup(const std::string& strName);
  const DataEditFormat* lookup(const std::string& strName) const;
  DataEditFormat* lookupByOrder(int nOrder);
  const DataEditFormat* lookupByOrder(int nOrder) const;

  // True when the orders are exactly 0 ... count - 1.
  bool isOrderConsistent() const;

  int getCount() const { return static_cast<int>(m_entries.size()); }
  const Entries& getEntries() const { return m_entries; }

  // The "DataEditFormat%d" sub-keys of a profile key. Formats loaded before a failure stay.
  bool loadFromRegistry(const Registry& regProfileKey, std::string& strError);
  bool saveToRegistry(Registry& regProfileKey) const;

private:
  Entries m_entries;
};

// The first format, by ascending order, whose criteria all match the data; nullptr when none does.
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const char* pszData);
DataEditFormat* findMatchingFormat(DataEditFormatMap& map, const std::string& strData);
