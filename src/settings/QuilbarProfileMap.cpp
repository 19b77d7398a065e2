#include "QuilbarProfileMap.h"

#include "base/Assert.h"

bool QuilbarProfileMap::add(const std::string& strName, std::unique_ptr<QuilbarProfile> pProfile)
{
  QB_ASSERT(NULL != pProfile);
  return m_entries.emplace(strName, std::move(pProfile)).second;
}

bool QuilbarProfileMap::remove(const std::string& strName)
{
  return m_entries.erase(strName) != 0;
}

QuilbarProfile* QuilbarProfileMap::lookup(const std::string& strName)
{
  auto it = m_entries.find(strName);
  return it == m_entries.end() ? nullptr : it->second.get();
}

const QuilbarProfile* QuilbarProfileMap::lookup(const std::string& strName) const
{
  auto it = m_entries.find(strName);
  return it == m_entries.end() ? nullptr : it->second.get();
}

QuilbarProfile* QuilbarProfileMap::first()
{
  return m_entries.empty() ? nullptr : m_entries.begin()->second.get();
}

const QuilbarProfile* QuilbarProfileMap::first() const
{
  return m_entries.empty() ? nullptr : m_entries.begin()->second.get();
}
