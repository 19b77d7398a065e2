#pragma once

#include <set>
#include <string>
#include <utility>

// What one save wrote through a registry key and the keys it created below it, by full path
// (letter case folded, as the registry compares names). A save that writes over an existing key
// afterwards removes whatever the journal does not name: values and sub-keys of an earlier,
// larger record. See Registry::setWriteJournal and Registry::removeUnwritten.
class RegistryWriteJournal
{
public:
  void addKey(const std::string& strPath);
  void addValue(const std::string& strKeyPath, const std::string& strName);

  bool hasKey(const std::string& strPath) const;
  bool hasValue(const std::string& strKeyPath, const std::string& strName) const;

private:
  static std::string folded(const std::string& str);

  std::set<std::string> m_setKeys;
  std::set<std::pair<std::string, std::string>> m_setValues;
};
