#include "base/QuilbarWindowTitle.h"

#include <gtest/gtest.h>

namespace
{
TEST(QuilbarWindowTitleTest, TheMainWindowIsTheTitleWithTheNameButNotAMonitorOrADevelopmentEnvironment)
{
  struct Row
  {
    const char* pszTitle;
    bool fQuilbar;
  };
  const Row rgRows[] = {
    {"Tarnwick Quilbar 3.21", true},
    {"Tarnwick Quilbar", true},
    {"Setup - Tarnwick Quilbar 4", true},
    {"Tarnwick Quilbar Monitor", false},
    {"Tarnwick Quilbar Monitor 2", true},
    {"Tarnwick Quilbar monitor", true},
    {"tarnwick quilbar 3.21", false},
    {"Tarnwick  Quilbar", false},
    {"QuilbarDlg.cpp - Tarnwick Quilbar - Microsoft Visual C++", false},
    {"Microsoft Visual Studio - Tarnwick Quilbar", false},
    {"File plugin for Quilbar", false},
    {"", false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszTitle);
    EXPECT_EQ(row.fQuilbar, QuilbarWindowTitle::isQuilbarMainWindow(row.pszTitle));
  }
}
}  // namespace
