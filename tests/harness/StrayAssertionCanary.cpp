// Fails on purpose. A contract check that fires outside a death test ends the process with exit
// code 0 (the program's convention), which would make this binary look successful with its second
// test silently skipped. ctest runs it expecting failure (WILL_FAIL): the entry passes only when
// the failed check failed the run, natively and under Wine (where the "Fatal Error" box must be
// answered and reported within the entry's 30 s).
#include "base/Assert.h"

#include <gtest/gtest.h>

TEST(StrayAssertionCanary, ACheckFiresOutsideADeathTest)
{
  int nAnswers = 0;
  QB_ASSERT(nAnswers == 42);
}

TEST(StrayAssertionCanary, IsNeverReached)
{
  SUCCEED();
}
