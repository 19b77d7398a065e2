#include "BenchRow.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
BenchRow sampleRow()
{
  BenchRow row;
  row.strName = "typing 1,000 chars: last char arrived";
  row.dFigure = 1234.5;
  row.dReference = 0.000125;
  row.strUnit = "ms";
  row.nSamples = 9;
  row.nFailedFigure = 1;
  row.nFailedReference = 0;
  return row;
}

TEST(BenchRowTest, RowIsTabSeparatedWithCountsLast)
{
  EXPECT_EQ("BENCH\ttyping 1,000 chars: last char arrived\t1234.5\t0.000125\tms\t9\t1\t0",
            formatBenchRow(sampleRow()));
}

TEST(BenchRowTest, TextsCannotBreakTheLine)
{
  BenchRow row = sampleRow();
  row.strName = "a\tb\r\nc";
  row.strUnit = "m\ts";
  EXPECT_EQ("BENCH\ta b  c\t1234.5\t0.000125\tm s\t9\t1\t0", formatBenchRow(row));
}

TEST(BenchRowTest, MissingFigureIsADash)
{
  BenchRow row = sampleRow();
  row.dReference = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ("BENCH\ttyping 1,000 chars: last char arrived\t1234.5\t-\tms\t9\t1\t0", formatBenchRow(row));
}
}  // namespace
