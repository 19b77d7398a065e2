#include "OutputWindowLock.h"

#include "base/WildcardMatch.h"

bool isOutputWindowUnlocked(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles,
                            const ForegroundWindow& foregroundWindow)
{
  if (!fLockOutputWindow)
    return true;
  std::string strTitle;
  if (!foregroundWindow.getTitle(strTitle))
    return false;
  for (const std::string& strPattern : rgstrTitles)
  {
    if (wildcardMatch(strTitle, strPattern))
      return true;
  }
  return false;
}
