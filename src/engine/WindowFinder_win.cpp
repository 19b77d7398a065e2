#include "WindowFinder_win.h"

#include "base/WildcardMatch.h"

WindowFinder::WindowFinder(const std::string& strTitlePattern, const std::string& strClassPattern,
                           const std::string& strExclusionPattern)
  : m_strTitlePattern(strTitlePattern), m_strClassPattern(strClassPattern), m_strExclusionPattern(strExclusionPattern)
{
}

bool WindowFinder::find()
{
  m_hWindow = nullptr;
  m_strTitle.clear();
  m_strClassName.clear();
  EnumWindows(visitWindow, reinterpret_cast<LPARAM>(this));
  return m_hWindow != nullptr;
}

// Returning FALSE ends the enumeration at the first match.
BOOL CALLBACK WindowFinder::visitWindow(HWND hWindow, LPARAM lParam)
{
  WindowFinder* pFinder = reinterpret_cast<WindowFinder*>(lParam);
  char szTitle[kMaxTitle + 1] = "";
  GetWindowTextA(hWindow, szTitle, sizeof(szTitle));
  char szClassName[256] = "";
  GetClassNameA(hWindow, szClassName, sizeof(szClassName));
  if (!pFinder->matches(szTitle, szClassName))
    return TRUE;
  pFinder->m_hWindow = hWindow;
  pFinder->m_strTitle = szTitle;
  pFinder->m_strClassName = szClassName;
  return FALSE;
}

bool WindowFinder::matches(const std::string& strTitle, const std::string& strClassName) const
{
  if (!m_strExclusionPattern.empty() && wildcardMatch(strTitle, m_strExclusionPattern))
    return false;
  if (!m_strClassPattern.empty() && !wildcardMatch(strClassName, m_strClassPattern))
    return false;
  return wildcardMatch(strTitle, m_strTitlePattern);
}
