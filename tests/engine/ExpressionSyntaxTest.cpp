#include "engine/ExpressionSyntax.h"

#include <gtest/gtest.h>

#include <string>

TEST(ExpressionSyntaxTest, SplitsAtTheFirstSeparatorOutsideQuotesAndParentheses)
{
  struct Row
  {
    const char* pszText;
    const char* pszItem;
    const char* pszRemainder;
  } rgRows[] = {
    {"", "", ""},
    {"abc", "abc", ""},
    {"a+b+c", "a", "b+c"},
    {"+b", "", "b"},
    {"a+", "a", ""},
    {"Left(2+1) + \"x\"", "Left(2+1) ", " \"x\""},
    {"\"a+b\"+c", "\"a+b\"", "c"},
    {"\"a\"\"+\"+c", "\"a\"+\"", "c"},      // two quotes inside quotes are one and do not close
    {"\"\"+c", "\"\"", "c"},                 // an empty constant closes at its second quote
    {"F(\")\"+1)+2", "F(\")\"+1)", "2"},     // a quoted ")" does not end the parentheses
    {"F((1)+2", "F((1)", "2"},               // parentheses do not nest: the first ")" ends them
    {"F(1))+2", "F(1))", "2"},
    {"\"open+", "\"open+", ""},              // unclosed quote: no separator outside
    {"(open+", "(open+", ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    std::string strItem = "stale";
    std::string strRemainder = "stale";
    ExpressionSyntax::split(row.pszText, '+', strItem, strRemainder);
    EXPECT_EQ(row.pszItem, strItem);
    EXPECT_EQ(row.pszRemainder, strRemainder);
  }
}

TEST(ExpressionSyntaxTest, SplitsAtAnyGivenSeparator)
{
  std::string strItem, strRemainder;
  ExpressionSyntax::split("1, 2", ',', strItem, strRemainder);
  EXPECT_EQ("1", strItem);
  EXPECT_EQ(" 2", strRemainder);
  ExpressionSyntax::split("\"a,b\",c", ',', strItem, strRemainder);
  EXPECT_EQ("\"a,b\"", strItem);
  EXPECT_EQ("c", strRemainder);
}

TEST(ExpressionSyntaxTest, ReadsIntegersLikeAtoiWithoutOverflow)
{
  struct Row
  {
    const char* pszText;
    long long nValue;
  } rgRows[] = {
    {"", 0}, {"abc", 0}, {"12", 12}, {"  12", 12}, {"12abc", 12}, {"+7", 7}, {"-7", -7},
    {"- 7", 0}, {"-", 0}, {"\"01\"", 0}, {"007", 7},
    {"99999999999999999999999", 2147483647LL}, {"-99999999999999999999999", -2147483648LL},
    {"2147483648", 2147483647LL}, {"-2147483648", -2147483648LL},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    EXPECT_EQ(row.nValue, ExpressionSyntax::readInteger(row.pszText));
  }
}

TEST(ExpressionSyntaxTest, ParsesPositionExpressions)
{
  struct Row
  {
    const char* pszExpression;
    const char* pszSearched;
    bool fOk;
    long long nPosition;
    const char* pszError;
  } rgRows[] = {
    {"2", "12345", true, 2, ""},
    {"  5-2  ", "ABC-123", true, 3, ""},
    {"\"-\"", "ABC-123", true, 4, ""},
    {"\"-\"-1", "ABC-123", true, 3, ""},
    {"1-\"-\"", "ABC-123", true, 5, ""},        // a sign right before a quote adds 0
    {"10-\"B\"", "ABC", true, 12, ""},
    {"\"A\"\"C\"", "ABC", true, 4, ""},         // a quoted term needs no sign
    {"\"\"", "ABC", true, 1, ""},
    {"", "ABC", true, 0, ""},
    {"1+2+3-1", "", true, 5, ""},
    {"+2", "", false, 0, "Only digits allowed [ +2 ].\n"},
    {"x", "", false, 0, "Only digits allowed [ x ].\n"},
    {"2*3", "", false, 0, "Only + or - allowed [ *3 ].\n"},
    {"\"A\"2", "ABC", false, 0, "Only + or - allowed [ 2 ].\n"},  // a number needs a sign
    {"5 - 2", "", false, 0, "Only + or - allowed [  - 2 ].\n"},
    {"1+\"", "ABC", false, 0, "Invalid argument [ \" ].\n"},
    {"\"AB", "ABC", false, 0, "Missing quote [ \"AB ].\n"},
    {"\"Q\"", "ABC", false, 0, "Substring [ Q ] not found in data.\n"},
    {"\"a\"", "ABC", false, 0, "Substring [ a ] not found in data.\n"},  // case matters
    {"\"<CR>\"", "A\r", false, 0, "Substring [ <CR> ] not found in data.\n"},  // no notation
    {"99999999999+99999999999", "", true, 2147483647LL, ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszExpression);
    long long nPosition = -12345;
    std::string strError;
    EXPECT_EQ(row.fOk, ExpressionSyntax::parsePosition(row.pszExpression, row.pszSearched, nPosition, strError));
    if (row.fOk)
    {
      EXPECT_EQ(row.nPosition, nPosition);
    }
    EXPECT_EQ(row.pszError, strError);
  }
}

TEST(ExpressionSyntaxTest, TrimsBlanksAndChosenCharacters)
{
  EXPECT_EQ("a b", ExpressionSyntax::trimBlanks(" \t a b \r\n"));
  EXPECT_EQ("", ExpressionSyntax::trimBlanks("   "));
  EXPECT_EQ("a\"b", ExpressionSyntax::trimChars("\"\"a\"b\"", "\""));
  EXPECT_EQ("", ExpressionSyntax::trimChars("\"\"", "\""));
}

TEST(ExpressionSyntaxTest, FillsEveryPlaceholderVerbatim)
{
  EXPECT_EQ("Invalid number of arguments [ Left(1,2) ].",
            ExpressionSyntax::fill("Invalid number of arguments [ %s(%s) ].", {"Left", "1,2"}));
  // A value holding "%s" or "%d" is inserted as it is, never read as a format.
  EXPECT_EQ("[%s %d]", ExpressionSyntax::fill("[%s]", {"%s %d"}));
}
