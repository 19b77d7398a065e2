// The watcher every Windows test binary runs: a message box that no test answers is answered and
// fails the test that left it, instead of blocking the binary until ctest's time-out.
#include "MessageBoxAnswerer_win.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

TEST(UnexpectedBoxTest, ABoxNobodyAnswersIsAnsweredAndFailsTheTest)
{
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
      MessageBoxA(nullptr, "left open by a test", "Forgotten box", MB_OK | MB_ICONWARNING),
      "\"Forgotten box\": left open by a test");
}

TEST(UnexpectedBoxTest, ABoxATestAnswersIsLeftToThatTest)
{
  MessageBoxAnswerer answerer("Expected box", IDNO);
  EXPECT_EQ(IDNO, MessageBoxA(nullptr, "answered by the test", "Expected box", MB_YESNO));
  ASSERT_EQ(1u, answerer.texts().size());
  EXPECT_EQ("answered by the test", answerer.texts()[0]);
}
