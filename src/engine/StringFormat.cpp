#include "StringFormat.h"

#include "base/Assert.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string formatString(const char* pszFormat, ...)
{
  QB_ASSERT(NULL != pszFormat);
  char szShort[256];
  va_list args;
  va_start(args, pszFormat);
  va_list argsAgain;
  va_copy(argsAgain, args);
  int nLen = std::vsnprintf(szShort, sizeof(szShort), pszFormat, args);
  va_end(args);
  QB_ASSERT(nLen >= 0);
  if (static_cast<size_t>(nLen) < sizeof(szShort))
  {
    va_end(argsAgain);
    return std::string(szShort, static_cast<size_t>(nLen));
  }
  std::vector<char> rgchLong(static_cast<size_t>(nLen) + 1);
  std::vsnprintf(rgchLong.data(), rgchLong.size(), pszFormat, argsAgain);
  va_end(argsAgain);
  return std::string(rgchLong.data(), static_cast<size_t>(nLen));
}
