#include "base/Assert.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(AssertTest, MessageNamesExpressionFileAndLine)
{
  EXPECT_EQ("Assertion failed: nLen >= 0 (DataConv.cpp,42)",
            formatAssertionMessage("nLen >= 0", "DataConv.cpp", 42));
}

TEST(AssertTest, PassingCheckDoesNothing)
{
  int nCalls = 0;
  QB_ASSERT(++nCalls == 1);
  EXPECT_EQ(1, nCalls);
}

TEST(AssertDeathTest, FailedCheckEndsProcessWithExitCodeZeroAndReportsIt)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        int nLen = -1;
        QB_ASSERT(nLen >= 0);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: nLen >= 0 \\(.*AssertTest\\.cpp,.+\\)");
}
