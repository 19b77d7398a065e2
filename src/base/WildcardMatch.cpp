#include "WildcardMatch.h"

#include "Assert.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
// Bottom-up over the pattern, one row of text positions per pattern position, so "*" runs cost
// text length × pattern length instead of the exponential time of naive backtracking, and deep
// recursion on long data strings cannot overflow the stack. matches[i] of the row for pattern
// position j says whether text from i matches pattern from j; a row needs only the next two.
bool matchRows(const char* pszText, size_t nText, const char* pszPattern, size_t nPattern)
{
  std::vector<char> rgRows[3];
  for (std::vector<char>& row : rgRows)
    row.assign(nText + 1, 0);
  rgRows[nPattern % 3][nText] = 1;
  for (size_t j = nPattern; j-- > 0;)
  {
    std::vector<char>& row = rgRows[j % 3];
    const std::vector<char>& next = rgRows[(j + 1) % 3];
    std::fill(row.begin(), row.end(), 0);
    if (pszPattern[j] == '*' && j + 1 == nPattern)
    {
      std::fill(row.begin(), row.end(), 1);
      continue;
    }
    if (pszPattern[j] == '*')
    {
      const std::vector<char>& afterPair = rgRows[(j + 2) % 3];
      char c = pszPattern[j + 1];
      for (size_t i = nText; i-- > 0;)
        row[i] = ((pszText[i] == c || c == '?') && afterPair[i + 1]) || row[i + 1];
      continue;
    }
    for (size_t i = 0; i < nText; ++i)
      row[i] = (pszPattern[j] == '?' || pszPattern[j] == pszText[i]) && next[i + 1];
  }
  return rgRows[0][0] != 0;
}
}  // namespace

bool wildcardMatch(const char* pszText, const char* pszPattern)
{
  QB_ASSERT(NULL != pszText);
  QB_ASSERT(NULL != pszPattern);
  return matchRows(pszText, std::strlen(pszText), pszPattern, std::strlen(pszPattern));
}

bool wildcardMatch(const std::string& strText, const std::string& strPattern)
{
  return wildcardMatch(strText.c_str(), strPattern.c_str());
}
