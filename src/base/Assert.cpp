#include "Assert.h"

#include <cstdio>

std::string formatAssertionMessage(const char* pszExpr, const char* pszFile, int nLine)
{
  const char* kszFormat = "Assertion failed: %s (%s,%d)";
  int nNeeded = std::snprintf(nullptr, 0, kszFormat, pszExpr, pszFile, nLine);
  std::string strText(nNeeded > 0 ? static_cast<size_t>(nNeeded) : 0, '\0');
  std::snprintf(&strText[0], strText.size() + 1, kszFormat, pszExpr, pszFile, nLine);
  return strText;
}

void quilbarAssertionFailed(const char* pszExpr, const char* pszFile, int nLine)
{
  reportFatalError(formatAssertionMessage(pszExpr, pszFile, nLine));
}
