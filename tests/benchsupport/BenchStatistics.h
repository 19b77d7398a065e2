#pragma once

#include <cstddef>
#include <vector>

// Order statistics of timing samples. Every function takes the samples by value and sorts its copy;
// an empty set gives NaN, which the report prints as a missing figure.
namespace benchstats
{
double median(std::vector<double> rgdSamples);
// Nearest rank: the smallest sample with at least dFraction of all samples at or below it
// (p99 of 1,000 samples is the 990th smallest).
double percentile(std::vector<double> rgdSamples, double dFraction);
}  // namespace benchstats

// Runs nRounds rounds of a measurement and its reference, taking turns at going first, so that
// neither side always meets the machine in the state the other left behind.
template <typename Figure, typename Reference>
void alternateRounds(int nRounds, Figure figure, Reference reference)
{
  for (int nRound = 0; nRound < nRounds; ++nRound)
  {
    if (nRound % 2 == 0)
    {
      figure(nRound);
      reference(nRound);
    }
    else
    {
      reference(nRound);
      figure(nRound);
    }
  }
}
