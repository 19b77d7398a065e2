#include "KeyboardFakes.h"
#include "keyboard/OutputWindowLock.h"

#include <gtest/gtest.h>

namespace
{
struct LockRow
{
  const char* pszName;
  bool fLock;
  std::vector<std::string> rgstrTitles;
  bool fWindowPresent;
  const char* pszTitle;
  bool fUnlocked;
};

TEST(OutputWindowLockTest, Cases)
{
  const LockRow krgRows[] = {
      {"lock off", false, {}, false, "", true},
      {"lock on, no titles", true, {}, true, "Untitled - Notepad", false},
      {"star then Notepad", true, {"*Notepad"}, true, "Untitled - Notepad", true},
      {"case differs", true, {"*Notepad"}, true, "Untitled - notepad", false},
      {"question mark", true, {"Doc?"}, true, "Doc1", true},
      {"question mark needs a character", true, {"Doc?"}, true, "Doc", false},
      {"question mark is one character", true, {"Doc?"}, true, "Doc12", false},
      {"star matches the empty title", true, {"*"}, true, "", true},
      {"empty pattern, empty title", true, {""}, true, "", true},
      {"empty pattern, some title", true, {""}, true, "x", false},
      {"two stars in a pattern", true, {"a*b*c"}, true, "aXbYc", true},
      {"stars match empty runs", true, {"a*b*c"}, true, "abc", true},
      {"no foreground window", true, {"*"}, false, "", false},
      {"second pattern matches", true, {"Calc", "*Word*", "Notepad"}, true, "Word 2000", true},
  };
  for (const LockRow& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    keyboardtest::FakeForegroundWindow foreground;
    foreground.m_fPresent = row.fWindowPresent;
    foreground.m_strTitle = row.pszTitle;
    EXPECT_EQ(row.fUnlocked, isOutputWindowUnlocked(row.fLock, row.rgstrTitles, foreground));
  }
}
}  // namespace
