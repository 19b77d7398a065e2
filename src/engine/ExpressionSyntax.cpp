#include "ExpressionSyntax.h"

#include <climits>

namespace
{
bool isDigit(char c)
{
  return c >= '0' && c <= '9';
}

long long clampToInt(long long nValue)
{
  if (nValue > INT_MAX)
    return INT_MAX;
  if (nValue < INT_MIN)
    return INT_MIN;
  return nValue;
}
}  // namespace

// Quotes are tracked also inside parentheses, so a quoted ")" does not end a parenthesised
// stretch; parentheses do not nest, so Left(Mid(1)) splits like the stored expressions expect.
void ExpressionSyntax::split(const std::string& strText, char cSeparator, std::string& strItem,
                             std::string& strRemainder)
{
  strItem.clear();
  bool fQuoted = false;
  bool fParenthesised = false;
  for (size_t i = 0; i < strText.size(); ++i)
  {
    char c = strText[i];
    if (c == '"')
    {
      if (fQuoted && i + 1 < strText.size() && strText[i + 1] == '"')
        ++i;
      else
        fQuoted = !fQuoted;
    }
    else if (!fQuoted)
    {
      if (c == '(')
        fParenthesised = true;
      else if (c == ')')
        fParenthesised = false;
      else if (c == cSeparator && !fParenthesised)
      {
        strRemainder = strText.substr(i + 1);
        return;
      }
    }
    strItem += c;
  }
  strRemainder.clear();
}

bool ExpressionSyntax::isBlank(char c)
{
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string ExpressionSyntax::trimBlanks(const std::string& strText)
{
  size_t nStart = 0;
  size_t nEnd = strText.size();
  while (nStart < nEnd && isBlank(strText[nStart]))
    ++nStart;
  while (nEnd > nStart && isBlank(strText[nEnd - 1]))
    --nEnd;
  return strText.substr(nStart, nEnd - nStart);
}

std::string ExpressionSyntax::trimChars(const std::string& strText, const char* pszChars)
{
  std::string strChars(pszChars);
  size_t nStart = strText.find_first_not_of(strChars);
  if (nStart == std::string::npos)
    return std::string();
  size_t nEnd = strText.find_last_not_of(strChars);
  return strText.substr(nStart, nEnd - nStart + 1);
}

std::string ExpressionSyntax::trimBlanksAndQuotes(const std::string& strText)
{
  return trimChars(strText, " \t\r\n\v\f\"");
}

// Saturates instead of overflowing: users type numbers of any length.
long long ExpressionSyntax::readInteger(const std::string& strText, size_t nStart)
{
  size_t i = nStart;
  while (i < strText.size() && isBlank(strText[i]))
    ++i;
  bool fNegative = false;
  if (i < strText.size() && (strText[i] == '+' || strText[i] == '-'))
    fNegative = strText[i++] == '-';
  long long nValue = 0;
  for (; i < strText.size() && isDigit(strText[i]); ++i)
  {
    nValue = nValue * 10 + (strText[i] - '0');
    if (nValue > static_cast<long long>(INT_MAX) + 1)
      nValue = static_cast<long long>(INT_MAX) + 1;
  }
  return clampToInt(fNegative ? -nValue : nValue);
}

// Terms: a quoted text adds its 1-based position in strSearched; a number is added with its
// sign. The first term needs no sign (and a number there must not have one); a quoted term
// never needs one, and a sign right before it reads as 0. The sum is clamped to the 32-bit
// range after every term so no sequence of terms can overflow.
bool ExpressionSyntax::parsePosition(const std::string& strExpression,
                                     const std::string& strSearched, long long& nPosition,
                                     std::string& strError)
{
  std::string strText = trimBlanks(strExpression);
  long long nValue = 0;
  bool fFirst = true;
  size_t i = 0;
  while (i < strText.size())
  {
    std::string strRest = strText.substr(i);
    if (strRest[0] == '"')
    {
      if (strRest.size() < 2)
      {
        strError = fill("Invalid argument [ %s ].\n", {strRest});
        return false;
      }
      size_t nClose = strRest.find('"', 1);
      if (nClose == std::string::npos)
      {
        strError = fill("Missing quote [ %s ].\n", {strRest});
        return false;
      }
      std::string strQuoted = strRest.substr(1, nClose - 1);
      size_t nFound = strSearched.find(strQuoted);
      if (nFound == std::string::npos)
      {
        strError = fill("Substring [ %s ] not found in data.\n", {strQuoted});
        return false;
      }
      nValue = clampToInt(nValue + static_cast<long long>(nFound) + 1);
      i += nClose + 1;
    }
    else
    {
      if (fFirst && !isDigit(strRest[0]))
      {
        strError = fill("Only digits allowed [ %s ].\n", {strRest});
        return false;
      }
      if (!fFirst && strRest[0] != '+' && strRest[0] != '-')
      {
        strError = fill("Only + or - allowed [ %s ].\n", {strRest});
        return false;
      }
      nValue = clampToInt(nValue + readInteger(strRest));
      ++i;
      while (i < strText.size() && isDigit(strText[i]))
        ++i;
    }
    fFirst = false;
  }
  nPosition = nValue;
  return true;
}

std::string ExpressionSyntax::fill(const char* pszTemplate, std::initializer_list<std::string> values)
{
  std::string strTemplate(pszTemplate);
  std::string strResult;
  auto itValue = values.begin();
  size_t nFrom = 0;
  for (size_t nAt = strTemplate.find("%s"); nAt != std::string::npos && itValue != values.end();
       nAt = strTemplate.find("%s", nFrom))
  {
    strResult.append(strTemplate, nFrom, nAt - nFrom);
    strResult += *itValue++;
    nFrom = nAt + 2;
  }
  strResult.append(strTemplate, nFrom, std::string::npos);
  return strResult;
}
