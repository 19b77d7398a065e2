#pragma once

// The matching rule written as its plain recursive definition: exponential on patterns with many
// stars, so only for checking wildcardMatch on short inputs.
inline bool wildcardMatchReference(const char* pszText, const char* pszPattern)
{
  if (*pszPattern == '\0')
    return *pszText == '\0';
  if (*pszPattern == '*')
  {
    if (pszPattern[1] == '\0')
      return true;
    char c = pszPattern[1];
    for (const char* p = pszText; *p != '\0'; ++p)
      if ((*p == c || c == '?') && wildcardMatchReference(p + 1, pszPattern + 2))
        return true;
    return false;
  }
  if (*pszText == '\0')
    return false;
  if (*pszPattern != '?' && *pszPattern != *pszText)
    return false;
  return wildcardMatchReference(pszText + 1, pszPattern + 1);
}
