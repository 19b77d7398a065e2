#include "BenchRow.h"

#include <cmath>

namespace
{
std::string field(std::string str)
{
  for (char& ch : str)
    if (ch == '\t' || ch == '\r' || ch == '\n')
      ch = ' ';
  return str;
}

std::string number(double d)
{
  if (std::isnan(d))
    return "-";
  char szNumber[64];
  std::snprintf(szNumber, sizeof szNumber, "%.6g", d);
  return szNumber;
}
}  // namespace

std::string formatBenchRow(const BenchRow& row)
{
  return "BENCH\t" + field(row.strName) + "\t" + number(row.dFigure) + "\t" + number(row.dReference) + "\t" +
         field(row.strUnit) + "\t" + std::to_string(row.nSamples) + "\t" + std::to_string(row.nFailedFigure) +
         "\t" + std::to_string(row.nFailedReference);
}

void printBenchRow(const BenchRow& row, std::FILE* pFile)
{
  std::fprintf(pFile, "%s\n", formatBenchRow(row).c_str());
  std::fflush(pFile);
}
