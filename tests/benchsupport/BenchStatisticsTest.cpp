#include "BenchStatistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
struct OrderCase
{
  const char* pszName;
  std::vector<double> rgdSamples;
  double dFraction;
  double dExpected;
};

std::vector<double> oneToN(int n)
{
  std::vector<double> rgd;
  // Descending, so a statistic that forgot to sort reads the wrong end.
  for (int i = n; i >= 1; --i)
    rgd.push_back(i);
  return rgd;
}

TEST(BenchStatisticsTest, MedianOfOddAndEvenCountsAndUnsortedSamples)
{
  const OrderCase krgCases[] = {
      {"one sample", {7}, 0, 7},
      {"odd count", {5, 1, 3}, 0, 3},
      {"even count averages the middle two", {4, 1, 3, 2}, 0, 2.5},
      {"an outlier does not move it", {1, 2, 3, 4, 1000}, 0, 3},
  };
  for (const OrderCase& c : krgCases)
  {
    SCOPED_TRACE(c.pszName);
    EXPECT_DOUBLE_EQ(c.dExpected, benchstats::median(c.rgdSamples));
  }
}

TEST(BenchStatisticsTest, PercentileIsTheNearestRank)
{
  const OrderCase krgCases[] = {
      {"p99 of 1000 is the 990th smallest", oneToN(1000), 0.99, 990},
      {"p99 of 100 is the 99th", oneToN(100), 0.99, 99},
      {"p99 of 10 is the largest", oneToN(10), 0.99, 10},
      {"p50 of 4 is the 2nd", oneToN(4), 0.5, 2},
      {"p100 is the maximum", oneToN(1000), 1.0, 1000},
      {"p0 is the minimum", oneToN(1000), 0.0, 1},
  };
  for (const OrderCase& c : krgCases)
  {
    SCOPED_TRACE(c.pszName);
    EXPECT_DOUBLE_EQ(c.dExpected, benchstats::percentile(c.rgdSamples, c.dFraction));
  }
}

TEST(BenchStatisticsTest, NoSamplesGiveNoFigure)
{
  EXPECT_TRUE(std::isnan(benchstats::median({})));
  EXPECT_TRUE(std::isnan(benchstats::percentile({}, 0.99)));
}

TEST(BenchStatisticsTest, RoundsTakeTurnsAtGoingFirst)
{
  std::string strOrder;
  alternateRounds(
      4, [&](int nRound) { strOrder += "F" + std::to_string(nRound); },
      [&](int nRound) { strOrder += "R" + std::to_string(nRound); });
  EXPECT_EQ("F0R0R1F1F2R2R3F3", strOrder);
}
}  // namespace
