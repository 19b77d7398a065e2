#include "serial/PortParameters.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
template <typename Result>
struct Row
{
  const char* pszInput;
  Result result;
};

TEST(PortParametersTest, ConvertPortReadsTheNumberAfterCom)
{
  std::vector<Row<int>> rgRows = {
    {"COM1", 1},  {"COM2", 2},   {"LPT1", 0},    {"com3", 3},    {"cOm12", 12},
    {"COM256", 256}, {"COM", 0}, {"COMX", 0},    {"CO", 0},      {"", 0},
    {"COM 4", 4}, {"COM+5", 5},  {"COM7abc", 7}, {"COM-3", 0},   {"COM0", 0},
    {"COM99999999999999999999", 0}, {"XCOM1", 0},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    EXPECT_EQ(row.result, ConvertPort(row.pszInput));
  }
}

TEST(PortParametersTest, ConvertSpeedKeepsOnlyTheListedRates)
{
  for (uint32_t dwRate : {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u,
                          115200u})
  {
    std::string strRate = std::to_string(dwRate);
    SCOPED_TRACE(strRate);
    EXPECT_EQ(dwRate, ConvertSpeed(strRate.c_str()));
  }
  std::vector<Row<uint32_t>> rgRows = {
    {"111", 9600},       {"298374928374", 9600}, {"", 9600},     {"abc", 9600},
    {" 19200", 19200},   {"+57600", 57600},      {"-9600", 9600}, {"115200 baud", 115200},
    {"14400", 9600},     {"230400", 9600},       {"0", 9600},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    EXPECT_EQ(row.result, ConvertSpeed(row.pszInput));
  }
}

TEST(PortParametersTest, ConvertDataGivesSevenOrEight)
{
  std::vector<Row<int>> rgRows = {
    {"7", 7}, {"8", 8}, {"6", 8}, {"9", 8}, {"", 8}, {"5", 8}, {" 7", 7}, {"7 bits", 7}, {"-7", 8},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    EXPECT_EQ(row.result, ConvertData(row.pszInput));
  }
}

TEST(PortParametersTest, ConvertParityComparesWithoutLetterCase)
{
  std::vector<Row<int>> rgRows = {
    {"Even", kParityEven},     {"EvEn", kParityEven},   {"Mark", kParityMark},
    {"No parity", kParityNone}, {"Odd", kParityOdd},    {"Space", kParitySpace},
    {"Illegal", kParityNone},   {"", kParityNone},      {"ODD", kParityOdd},
    {"no PARITY", kParityNone}, {"Even ", kParityNone}, {"Eve", kParityNone},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    EXPECT_EQ(row.result, ConvertParity(row.pszInput));
  }
  // The platform's parity constants have these values; the Windows layer relies on it.
  EXPECT_EQ(0, kParityNone);
  EXPECT_EQ(1, kParityOdd);
  EXPECT_EQ(2, kParityEven);
  EXPECT_EQ(3, kParityMark);
  EXPECT_EQ(4, kParitySpace);
}

TEST(PortParametersTest, ConvertStopNeverGivesOneAndAHalf)
{
  std::vector<Row<int>> rgRows = {
    {"1", kStopBitsOne}, {"2", kStopBitsTwo}, {"0", kStopBitsOne}, {"3", kStopBitsOne},
    {"", kStopBitsOne},  {"1.5", kStopBitsOne}, {"2.0", kStopBitsTwo},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    EXPECT_EQ(row.result, ConvertStop(row.pszInput));
  }
}

// The conversions' own check ends the process (exit code 0) when one of them disagrees with it,
// so it runs in a child that reports with another code that it got through.
TEST(PortParametersDeathTest, TheConversionsPassTheirOwnCheck)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const int kGotThrough = 42;
  EXPECT_EXIT((checkPortConversions(), std::exit(kGotThrough)), testing::ExitedWithCode(kGotThrough), "")
      << "checkPortConversions() found a conversion it disagrees with";
}

TEST(PortParametersDeathTest, NullTextIsAProgrammingError)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT((testsupport::answerFatalErrorBoxes(), ConvertSpeed(nullptr)),
              testing::ExitedWithCode(0), "NULL != pszBaudRate");
  EXPECT_EXIT((testsupport::answerFatalErrorBoxes(), ConvertData(nullptr)),
              testing::ExitedWithCode(0), "NULL != pszDataBits");
  EXPECT_EXIT((testsupport::answerFatalErrorBoxes(), ConvertParity(nullptr)),
              testing::ExitedWithCode(0), "NULL != pszParity");
  EXPECT_EXIT((testsupport::answerFatalErrorBoxes(), ConvertStop(nullptr)),
              testing::ExitedWithCode(0), "NULL != pszStopBits");
}
}  // namespace
