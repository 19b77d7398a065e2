#include "RegistryWriteJournal.h"

// ASCII letters only: the names this program writes are ASCII, and a foreign name that differs
// from them in another letter's case is not one of them.
std::string RegistryWriteJournal::folded(const std::string& str)
{
  std::string strFolded = str;
  for (char& ch : strFolded)
  {
    if (ch >= 'A' && ch <= 'Z')
      ch = static_cast<char>(ch - 'A' + 'a');
  }
  return strFolded;
}

void RegistryWriteJournal::addKey(const std::string& strPath)
{
  m_setKeys.insert(folded(strPath));
}

void RegistryWriteJournal::addValue(const std::string& strKeyPath, const std::string& strName)
{
  m_setValues.emplace(folded(strKeyPath), folded(strName));
}

bool RegistryWriteJournal::hasKey(const std::string& strPath) const
{
  return m_setKeys.count(folded(strPath)) != 0;
}

bool RegistryWriteJournal::hasValue(const std::string& strKeyPath, const std::string& strName) const
{
  return m_setValues.count(std::make_pair(folded(strKeyPath), folded(strName))) != 0;
}
