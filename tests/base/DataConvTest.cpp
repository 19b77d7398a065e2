#include "base/DataConv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::string bytes(std::initializer_list<int> rgn)
{
  std::string str;
  for (int n : rgn)
    str += static_cast<char>(n);
  return str;
}

struct ParseRow
{
  const char* pszInput;
  bool fOk;
  std::string strBytes;
};

std::vector<ParseRow> parseRows()
{
  return {
    {"", true, ""},
    {"abc", true, "abc"},
    {"<cr><lf>", true, bytes({13, 10})},
    {"<CR><Cr><cR>", true, bytes({13, 13, 13})},
    {"<Tab>", true, bytes({9})},
    {"<HT>", true, bytes({9})},
    {"<NUL>", true, std::string(1, '\0')},
    {"<XON><xoff>", true, bytes({17, 19})},
    {"<US><GS><RS><FS><ESC>", true, bytes({31, 29, 30, 28, 27})},
    {"<DC1>", false, ""},
    {"<DC3>", false, ""},
    {"ab<c", false, ""},
    {"<", false, ""},
    {"<CR", false, ""},
    {"ab\\<c", true, "ab<c"},
    {"a>b", true, "a>b"},
    {"\\x41", true, "A"},
    {"\\x4", false, ""},
    {"\\x", false, ""},
    {"\\xZZ", false, ""},
    {"\\x 4", false, ""},
    {"\\xff\\x00", true, bytes({255, 0})},
    {"\\X41", true, "X41"},
    {"\\d065", true, "A"},
    {"\\d0651", true, "A1"},
    {"\\d256", true, std::string(1, '\0')},
    {"\\d-01", true, bytes({255})},
    {"\\d6AB", true, bytes({6})},
    {"\\d 65", true, "A"},
    {"\\d06", false, ""},
    {"\\d0x4", false, ""},
    {"\\", false, ""},
    {"abc\\", false, ""},
    {"\\\\", true, "\\"},
    {"\\<", true, "<"},
    {"\\X", true, "X"},
    {"\xE9\xFF", true, bytes({0xE9, 0xFF})},
    {"<tab>a\\x3C", true, bytes({9, 'a', '<'})},
  };
}
}  // namespace

TEST(DataConvTest, ParsesTheNotation)
{
  for (const ParseRow& row : parseRows())
  {
    SCOPED_TRACE(std::string("input: ") + row.pszInput);
    DataConv conv;
    ASSERT_EQ(row.fOk, conv.addHRData(row.pszInput));
    EXPECT_EQ(row.fOk ? row.strBytes : std::string(), std::string(conv.getData(), conv.getLength()));
    EXPECT_EQ('\0', conv.getData()[conv.getLength()]) << "data must stay zero-terminated";
  }
}

TEST(DataConvTest, FailedParseLeavesEarlierDataUnchanged)
{
  DataConv conv;
  ASSERT_TRUE(conv.addHRData("ab"));
  EXPECT_FALSE(conv.addHRData("cd<XYZ>"));
  EXPECT_EQ("ab", std::string(conv.getData(), conv.getLength()));
}

TEST(DataConvTest, AddsAppend)
{
  DataConv conv;
  ASSERT_TRUE(conv.addHRData("a<CR>"));
  ASSERT_TRUE(conv.addHRData("b"));
  ASSERT_TRUE(conv.addRawData(std::string("c\0d", 3)));
  EXPECT_EQ(std::string("a\rbc\0d", 6), std::string(conv.getData(), conv.getLength()));
}

TEST(DataConvTest, RemoveDataReportsWhetherThereWasABuffer)
{
  DataConv conv;
  EXPECT_FALSE(conv.removeData());
  ASSERT_TRUE(conv.addRawData("x", 1));
  EXPECT_TRUE(conv.removeData());
  EXPECT_EQ(0, conv.getLength());
  EXPECT_STREQ("", conv.getData());
  EXPECT_FALSE(conv.removeData());
}

TEST(DataConvTest, RendersCanonicalNotation)
{
  struct Row
  {
    std::string strBytes;
    const char* pszExpected;
  } rgRows[] = {
    {"", ""},
    {bytes({9}), "<HT>"},
    {bytes({0, 255}), "<NUL>\xFF"},
    {bytes({17, 19, 13, 10, 29, 31}), "<XON><XOFF><CR><LF><GS><US>"},
    {"a<b\\c>", "a\\<b\\\\c>"},
    {bytes({127, 128, ' '}), "\x7F\x80 "},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszExpected);
    DataConv conv;
    ASSERT_TRUE(conv.addRawData(row.strBytes));
    std::string strOut = "old text is replaced";
    EXPECT_TRUE(conv.outputHRData(strOut));
    EXPECT_EQ(row.pszExpected, strOut);
  }
}

TEST(DataConvTest, ParseThenRenderGivesCanonicalForm)
{
  std::string strBytes;
  ASSERT_TRUE(DataConv::parse("<tab>a\\x3C", strBytes));
  EXPECT_EQ("<HT>a\\<", DataConv::render(strBytes));
}

TEST(DataConvTest, RenderThenParseGivesEveryByteBack)
{
  std::string strAll;
  for (int n = 0; n < 256; ++n)
    strAll += static_cast<char>(n);
  std::string strBack;
  ASSERT_TRUE(DataConv::parse(DataConv::render(strAll), strBack));
  EXPECT_EQ(strAll, strBack);
}

TEST(DataConvDeathTest, NegativeLengthIsAProgrammingError)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        DataConv conv;
        conv.addRawData("x", -1);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: nLen >= 0");
}
