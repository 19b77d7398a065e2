#pragma once

#include <initializer_list>
#include <string>

// The text rules shared by every part of an output expression: splitting at separators outside
// quotes and parentheses, trimming, reading numbers and position expressions, filling messages.
class ExpressionSyntax
{
public:
  // Cuts strText at the first cSeparator outside quotes and parentheses. Inside quotes two
  // double quotes in a row become one double quote in the item. No separator: the whole text is
  // the item and the remainder is empty.
  static void split(const std::string& strText, char cSeparator, std::string& strItem,
                    std::string& strRemainder);

  static bool isBlank(char c);
  static std::string trimBlanks(const std::string& strText);
  // Removes every character of pszChars from both ends.
  static std::string trimChars(const std::string& strText, const char* pszChars);
  // Removes blanks and double quotes, in any mix, from both ends.
  static std::string trimBlanksAndQuotes(const std::string& strText);

  // Reads like atoi: leading blanks, an optional sign, then digits up to the first non-digit;
  // no digits read as 0. Values beyond the 32-bit range are clamped to it.
  static long long readInteger(const std::string& strText, size_t nStart = 0);

  // Reads a position expression against strSearched (see the definition); false with strError set.
  static bool parsePosition(const std::string& strExpression, const std::string& strSearched,
                            long long& nPosition, std::string& strError);

  // Replaces each "%s" of the template, in order, by the next value.
  static std::string fill(const char* pszTemplate, std::initializer_list<std::string> values);
};
