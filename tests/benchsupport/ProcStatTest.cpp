#include "ProcStat.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct StatCase
{
  const char* pszName;
  std::string strStat;
  bool fOk;
  uint64_t nTicks;
};

// The rest of a real line after the command: state, ppid ... utime=14 stime=27 and onwards.
const std::string kstrTail = " S 1 23217 23217 0 -1 4194368 1756 0 1 0 14 27 0 0 20 0 1 0 181899 9883648 2169\n";

TEST(ProcStatTest, CpuTicksAreUserPlusSystemTime)
{
  const std::vector<StatCase> rgCases = {
      {"a wineserver line", "23217 (wineserver64)" + kstrTail, true, 41},
      {"command with spaces", "12 (a b c)" + kstrTail, true, 41},
      {"command with parentheses", "12 (x) 9 9 (y))" + kstrTail, true, 41},
      {"no line end", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 100 250", true, 350},
      {"large counts", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 4294967296 1", true, 4294967297ull},
      {"empty", "", false, 0},
      {"no command", "12 S 1 2 3 0 -1 4 5 6 7 8 100 250", false, 0},
      {"cut before stime", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 100", false, 0},
      {"negative utime", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 -100 250", false, 0},
      {"letters in stime", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 100 2x0", false, 0},
      {"too many digits", "12 (x) S 1 2 3 0 -1 4 5 6 7 8 100 99999999999999999999", false, 0},
      {"closing before opening", "12 )x( S 1 2 3 0 -1 4 5 6 7 8 100 250", false, 0},
  };
  for (const StatCase& c : rgCases)
  {
    SCOPED_TRACE(c.pszName);
    uint64_t nTicks = 0;
    EXPECT_EQ(c.fOk, parseProcStatCpuTicks(c.strStat, nTicks));
    if (c.fOk)
    {
      EXPECT_EQ(c.nTicks, nTicks);
    }
  }
}

TEST(ProcStatTest, SwitchesAreVoluntaryPlusInvoluntary)
{
  const std::string kstrHead = "Name:\tserial_bench.ex\nState:\tS (sleeping)\n";
  const std::vector<StatCase> rgCases = {
      {"a thread", kstrHead + "voluntary_ctxt_switches:\t120\nnonvoluntary_ctxt_switches:\t3\n", true, 123},
      {"first line", "voluntary_ctxt_switches:\t7\nnonvoluntary_ctxt_switches:\t0", true, 7},
      {"involuntary only", kstrHead + "nonvoluntary_ctxt_switches:\t3\n", false, 0},
      {"not a number", kstrHead + "voluntary_ctxt_switches:\tx\nnonvoluntary_ctxt_switches:\t3\n", false, 0},
      {"empty", "", false, 0},
  };
  for (const StatCase& c : rgCases)
  {
    SCOPED_TRACE(c.pszName);
    uint64_t nSwitches = 0;
    EXPECT_EQ(c.fOk, parseProcStatusSwitches(c.strStat, nSwitches));
    if (c.fOk)
    {
      EXPECT_EQ(c.nTicks, nSwitches);
    }
  }
}
}  // namespace
