#pragma once

#include "QuilbarProfile.h"

#include <map>
#include <memory>
#include <string>

// All profiles, owned and keyed by name (compared exactly, letter case included: "abc" and "ABC"
// are two profiles).
class QuilbarProfileMap
{
public:
  using Entries = std::map<std::string, std::unique_ptr<QuilbarProfile>>;

  QuilbarProfileMap() = default;
  QuilbarProfileMap(const QuilbarProfileMap&) = delete;
  QuilbarProfileMap& operator=(const QuilbarProfileMap&) = delete;

  // False, replacing nothing and discarding the profile, when the name is already a key.
  bool add(const std::string& strName, std::unique_ptr<QuilbarProfile> pProfile);
  // Deletes the profile; false when absent.
  bool remove(const std::string& strName);
  void removeAll() { m_entries.clear(); }
  void swap(QuilbarProfileMap& other) { m_entries.swap(other.m_entries); }

  QuilbarProfile* lookup(const std::string& strName);
  const QuilbarProfile* lookup(const std::string& strName) const;
  // The first profile in the map's own order; nullptr when empty.
  QuilbarProfile* first();
  const QuilbarProfile* first() const;

  int getCount() const { return static_cast<int>(m_entries.size()); }
  const Entries& getEntries() const { return m_entries; }

private:
  Entries m_entries;
};
