#include "monitor/TestPad.h"
#include "monitor/TypedKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct KeysRow
{
  const char* pszReport;
  std::string strCharacters;
  bool fAllCharacters;
};

// Reports as the key translator writes them: Unicode recipes name their character, key recipes
// their key with the modifiers before it.
TEST(TypedKeysTest, AReportGivesTheCharactersItsKeysPutIntoATextField)
{
  const KeysRow rows[] = {
      {"1 2 3 ", "123", true},
      {"A   b ", "A b", true},
      {"Shift+A Enter ", "A\r", true},
      {"Tab Num7 Esc ", std::string("\t7\x1B"), true},
      {"Up Ctrl+C x ", "x", false},
      {"Shift+6 ", "", false},
      {"", "", true},
      {"1", "1", true},
  };
  for (const KeysRow& row : rows)
  {
    SCOPED_TRACE(row.pszReport);
    bool fAll = false;
    EXPECT_EQ(row.strCharacters, TypedKeys::charactersOf(row.pszReport, &fAll));
    EXPECT_EQ(row.fAllCharacters, fAll);
  }
}

struct CompareRow
{
  const char* pszTyped;
  const char* pszArrived;
  TestPad::Result result;
  const char* pszMessage;
};

TEST(TestPadTest, TheComparisonNamesTheFirstCharacterThatDiffers)
{
  const CompareRow rows[] = {
      {"12345", "12345", TestPad::Result::Intact, "Arrived intact: 5 characters, exactly as Quilbar typed them."},
      {"12345", "12845", TestPad::Result::Differs, "Differs at character 3: Quilbar typed \"3\", \"8\" arrived."},
      {"12\r", "12", TestPad::Result::Differs, "Differs at character 3: Quilbar typed \"<CR>\", nothing more arrived."},
      {"12", "12\t", TestPad::Result::Differs, "Differs at character 3: \"<HT>\" arrived, Quilbar typed nothing more."},
      {"", "", TestPad::Result::Intact, "Arrived intact: 0 characters, exactly as Quilbar typed them."},
  };
  for (const CompareRow& row : rows)
  {
    SCOPED_TRACE(row.pszArrived);
    TestPad::Comparison comparison = TestPad::compare(row.pszTyped, row.pszArrived);
    EXPECT_EQ(row.result, comparison.result);
    EXPECT_EQ(row.pszMessage, comparison.strMessage);
  }
}

// The wedge's report may overtake the last characters of its scan (sent messages come before
// queued input), and the next scan may begin before the monitor has looked: the key times decide.
TEST(TestPadTest, KeysStampedUpToAReportBelongToThatScanAndLaterOnesWaitForTheNext)
{
  TestPad pad;
  pad.charArrived('1', 100);
  pad.wedgeTyped("12", 110);
  EXPECT_EQ(TestPad::Result::Differs, pad.latest().result) << "the 2 is still on its way";
  pad.charArrived('2', 105);
  EXPECT_EQ(TestPad::Result::Intact, pad.latest().result);
  EXPECT_EQ("12", pad.latest().strArrived);

  pad.charArrived('3', 120);
  EXPECT_EQ(TestPad::Result::Waiting, pad.latest().result);
  EXPECT_EQ("3", pad.latest().strArrived);
  pad.charArrived('9', 121);
  pad.wedgeTyped("34", 130);
  TestPad::Comparison second = pad.latest();
  EXPECT_EQ(TestPad::Result::Differs, second.result);
  EXPECT_EQ("39", second.strArrived) << "the first scan's keys are not the second's";

  // Across the wrap of the tick count.
  pad.clear();
  pad.charArrived('A', 0xFFFFFFF0u);
  pad.wedgeTyped("A", 0xFFFFFFF8u);
  pad.charArrived('B', 5);
  pad.wedgeTyped("B", 10);
  EXPECT_EQ("B", pad.latest().strArrived);
  EXPECT_EQ(TestPad::Result::Intact, pad.latest().result);
}
}  // namespace
