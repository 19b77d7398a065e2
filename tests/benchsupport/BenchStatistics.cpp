#include "BenchStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace benchstats
{
double median(std::vector<double> rgdSamples)
{
  if (rgdSamples.empty())
    return std::numeric_limits<double>::quiet_NaN();
  std::sort(rgdSamples.begin(), rgdSamples.end());
  size_t n = rgdSamples.size();
  return n % 2 != 0 ? rgdSamples[n / 2] : (rgdSamples[n / 2 - 1] + rgdSamples[n / 2]) / 2;
}

double percentile(std::vector<double> rgdSamples, double dFraction)
{
  if (rgdSamples.empty())
    return std::numeric_limits<double>::quiet_NaN();
  std::sort(rgdSamples.begin(), rgdSamples.end());
  double dRank = std::ceil(dFraction * static_cast<double>(rgdSamples.size()));
  size_t nRank = dRank < 1 ? 1 : static_cast<size_t>(dRank);
  return rgdSamples[std::min(nRank, rgdSamples.size()) - 1];
}
}  // namespace benchstats
