#include "base/WildcardMatch.h"

#include <gtest/gtest.h>

#include <string>

TEST(WildcardMatchTest, MatchesWholeTextByBytes)
{
  struct Row
  {
    const char* pszText;
    const char* pszPattern;
    bool fMatch;
  } rgRows[] = {
    {"", "", true},
    {"a", "", false},
    {"", "*", true},
    {"", "?", false},
    {"Notepad", "Notepad", true},
    {"Untitled - Notepad", "Notepad", false},
    {"Untitled - Notepad", "*Notepad", true},
    {"notepad", "Notepad", false},
    {"abc", "a?c", true},
    {"ac", "a?c", false},
    {"abc", "a*", true},
    {"abc", "*c", true},
    {"abc", "*b", false},
    {"abcbc", "*bc", true},
    {"ab", "a*?", true},
    {"a", "a*?", false},
    {"a**b", "a**b", true},
    {"a*xb", "a**b", false},
    {"a*b", "a**b", true},
    {"xyz", "**", false},
    {"*", "**", true},
    {"\xE9t\xE9", "?t?", true},
    {"\xC9t\xE9", "\xE9t?", false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(std::string(row.pszText) + " ~ " + row.pszPattern);
    EXPECT_EQ(row.fMatch, wildcardMatch(row.pszText, row.pszPattern));
  }
}

TEST(WildcardMatchTest, ZeroByteEndsTheText)
{
  EXPECT_TRUE(wildcardMatch(std::string("ab\0cd", 5), std::string("ab")));
}

TEST(WildcardMatchTest, ManyStarsOnALongTextStillAnswer)
{
  std::string strText(5000, 'a');
  EXPECT_FALSE(wildcardMatch(strText, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(wildcardMatch(strText + "b", "*a*a*a*a*a*a*a*a*a*a*b"));
}
