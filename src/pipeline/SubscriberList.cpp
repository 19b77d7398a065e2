#include "SubscriberList.h"

#include "base/Assert.h"

#include <algorithm>

SubscriberList::SubscriberList(IsWindowFunction pfnIsWindow) : m_pfnIsWindow(pfnIsWindow)
{
  QB_ASSERT(NULL != m_pfnIsWindow);
}

bool SubscriberList::add(WindowHandle hWindow, const std::string& strName)
{
  if (hWindow == nullptr || !m_pfnIsWindow(hWindow))
    return false;
  if (find(hWindow) != m_rgMembers.end())
    return false;
  m_rgMembers.push_back({hWindow, strName});
  return true;
}

bool SubscriberList::remove(WindowHandle hWindow)
{
  auto it = find(hWindow);
  if (it == m_rgMembers.end())
    return false;
  m_rgMembers.erase(it);
  return true;
}

std::vector<SubscriberList::Member> SubscriberList::removeVanished()
{
  std::vector<Member> rgRemoved;
  auto itKept = std::stable_partition(m_rgMembers.begin(), m_rgMembers.end(),
                                      [this](const Member& member) { return m_pfnIsWindow(member.hWindow); });
  rgRemoved.assign(itKept, m_rgMembers.end());
  m_rgMembers.erase(itKept, m_rgMembers.end());
  return rgRemoved;
}

WindowHandle SubscriberList::getAt(size_t nIndex) const
{
  return nIndex < m_rgMembers.size() ? m_rgMembers[nIndex].hWindow : nullptr;
}

std::string SubscriberList::nameOf(WindowHandle hWindow) const
{
  auto it = find(hWindow);
  return it != m_rgMembers.end() ? it->strName : std::string();
}

std::vector<WindowHandle> SubscriberList::snapshot() const
{
  std::vector<WindowHandle> rghWindows;
  for (const Member& member : m_rgMembers)
    rghWindows.push_back(member.hWindow);
  return rghWindows;
}

std::vector<SubscriberList::Member>::const_iterator SubscriberList::find(WindowHandle hWindow) const
{
  return std::find_if(m_rgMembers.begin(), m_rgMembers.end(),
                      [hWindow](const Member& member) { return member.hWindow == hWindow; });
}
