#include "HeldDataQueue.h"

#include "base/Assert.h"

HeldDataQueue::HeldDataQueue(size_t cMaxStrings, size_t cbMaxBytes) : m_cMaxStrings(cMaxStrings), m_cbMaxBytes(cbMaxBytes)
{
}

bool HeldDataQueue::push(const std::string& strData, uint32_t dwNow)
{
  if (m_entries.size() >= m_cMaxStrings || strData.size() > m_cbMaxBytes - m_cbHeld)
    return false;
  m_entries.push_back({strData, dwNow});
  m_cbHeld += strData.size();
  return true;
}

std::string HeldDataQueue::popFront()
{
  QB_ASSERT(!m_entries.empty());
  std::string strData = std::move(m_entries.front().strData);
  m_entries.pop_front();
  m_cbHeld -= strData.size();
  return strData;
}

// The oldest strings come first, so the expired ones are always a run at the front.
std::vector<std::string> HeldDataQueue::takeExpired(uint32_t dwNow, uint32_t dwLimitMs)
{
  std::vector<std::string> rgstrExpired;
  while (!m_entries.empty() && dwNow - m_entries.front().dwHeldAt >= dwLimitMs)
    rgstrExpired.push_back(popFront());
  return rgstrExpired;
}

uint32_t HeldDataQueue::msUntilNextExpiry(uint32_t dwNow, uint32_t dwLimitMs) const
{
  QB_ASSERT(!m_entries.empty());
  uint32_t dwAge = dwNow - m_entries.front().dwHeldAt;
  return dwAge >= dwLimitMs ? 0 : dwLimitMs - dwAge;
}

std::vector<std::string> HeldDataQueue::takeAll()
{
  std::vector<std::string> rgstrAll;
  while (!m_entries.empty())
    rgstrAll.push_back(popFront());
  return rgstrAll;
}
