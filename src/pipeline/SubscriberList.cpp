#include "SubscriberList.h"

#include "base/Assert.h"

#include <algorithm>

SubscriberList::SubscriberList(IsWindowFunction pfnIsWindow) : m_pfnIsWindow(pfnIsWindow)
{
  QB_ASSERT(NULL != m_pfnIsWindow);
}

bool SubscriberList::add(WindowHandle hWindow)
{
  if (hWindow == nullptr || !m_pfnIsWindow(hWindow))
    return false;
  if (std::find(m_rghWindows.begin(), m_rghWindows.end(), hWindow) != m_rghWindows.end())
    return false;
  m_rghWindows.push_back(hWindow);
  return true;
}

bool SubscriberList::remove(WindowHandle hWindow)
{
  auto it = std::find(m_rghWindows.begin(), m_rghWindows.end(), hWindow);
  if (it == m_rghWindows.end())
    return false;
  m_rghWindows.erase(it);
  return true;
}

WindowHandle SubscriberList::getAt(size_t nIndex) const
{
  return nIndex < m_rghWindows.size() ? m_rghWindows[nIndex] : nullptr;
}
