#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// One line of the benchmark table: a figure of the code under test beside a reference measured in
// the same run. Both are costs (time, CPU), so a ratio above 1 means the code costs more than the
// reference. The failure counts are samples or runs that did not deliver what was sent.
struct BenchRow
{
  std::string strName;
  double dFigure = 0;
  double dReference = 0;
  std::string strUnit;
  size_t nSamples = 0;  // per side
  size_t nFailedFigure = 0;
  size_t nFailedReference = 0;
};

// The machine-readable form scripts/bench.sh collects, one line per row:
// "BENCH<TAB>name<TAB>figure<TAB>reference<TAB>unit<TAB>samples<TAB>failed figure<TAB>failed reference".
// A missing figure (NaN) is written as "-"; tabs and line ends in texts become spaces.
std::string formatBenchRow(const BenchRow& row);
void printBenchRow(const BenchRow& row, std::FILE* pFile = stdout);
