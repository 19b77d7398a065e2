#pragma once

#include "Assert.h"

#include <map>
#include <memory>
#include <string>

// A map from a key text to records it owns: removing a key deletes its record, and a copy copies
// every record (through the record's own copy, which goes through its checked setters). The
// settings collections derive from it and decide how a record's key is made.
template <typename Record>
class OwningMap
{
public:
  using Entries = std::map<std::string, std::unique_ptr<Record>>;

  OwningMap() = default;
  OwningMap(const OwningMap& map) { *this = map; }
  OwningMap& operator=(const OwningMap& map)
  {
    if (this == &map)
      return *this;
    removeAll();
    for (const auto& entry : map.m_entries)
      m_entries.emplace(entry.first, std::make_unique<Record>(*entry.second));
    return *this;
  }

  void removeAll() { m_entries.clear(); }
  int getCount() const { return static_cast<int>(m_entries.size()); }
  const Entries& getEntries() const { return m_entries; }

protected:
  ~OwningMap() = default;

  // False, replacing nothing and deleting the record, when the key is present.
  bool addUnder(const std::string& strKey, std::unique_ptr<Record> pRecord)
  {
    QB_ASSERT(NULL != pRecord);
    return m_entries.emplace(strKey, std::move(pRecord)).second;
  }

  bool removeUnder(const std::string& strKey) { return m_entries.erase(strKey) != 0; }

  Record* find(const std::string& strKey) const
  {
    typename Entries::const_iterator it = m_entries.find(strKey);
    return it == m_entries.end() ? nullptr : it->second.get();
  }

private:
  Entries m_entries;
};
