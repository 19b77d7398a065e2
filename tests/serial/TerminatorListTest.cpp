#include "serial/TerminatorList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Strings = std::vector<std::string>;

struct Row
{
  std::string strText;
  Strings rgstrExpected;
};

TEST(TerminatorListTest, FieldsAreCutAtCommasOutsideQuotes)
{
  std::vector<Row> rgRows = {
    {"<cr>", {"\r"}},
    {"<CR>,<LF>", {"\r", "\n"}},
    {"<CR><LF>", {"\r\n"}},
    {"", {}},
    {",,", {}},
    {"a,,b,", {"a", "b"}},
    {"\",\"", {","}},
    {"\"a,b\",c", {"a,b", "c"}},
    {"\"\"\"\"", {"\""}},
    {"x\"\"y", {"xy"}},
    {"\"<CR>\"", {"\r"}},
    {"\"open,to the end", {"open,to the end"}},
    {"a\"b,c\"d,e", {"ab,cd", "e"}},
    {" <LF>", {" \n"}},
    {"<NUL>", {"[NULL]"}},
    {"a<NUL>b", {"a[NULL]b"}},
    {"<nope>,\\x4,<cr>", {"\r"}},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.strText);
    EXPECT_EQ(row.rgstrExpected, TerminatorList(row.strText).items());
  }
}

TEST(TerminatorListTest, OnlyTheFirstTenAreUsed)
{
  TerminatorList list("0,1,2,3,4,5,6,7,8,9,A");
  EXPECT_EQ((Strings{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}), list.items());
  // Empty and malformed fields do not count towards the ten.
  TerminatorList sparse(",0,,1,<x>,2,3,4,5,6,7,8,9,A");
  EXPECT_EQ(10u, sparse.items().size());
  EXPECT_EQ("9", sparse.items().back());
}

TEST(TerminatorListTest, FindEndingWalksTheListInOrder)
{
  TerminatorList list("<LF>,<CR><LF>");
  ASSERT_NE(nullptr, list.findEnding("AB\r\n"));
  EXPECT_EQ("\n", *list.findEnding("AB\r\n"));
  EXPECT_EQ(nullptr, list.findEnding("AB\r"));
  EXPECT_EQ(nullptr, list.findEnding(""));
  TerminatorList reversed("<CR><LF>,<LF>");
  EXPECT_EQ("\r\n", *reversed.findEnding("AB\r\n"));
  EXPECT_EQ("\n", *reversed.findEnding("\n"));
}
}  // namespace
