#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLineTest, OnlyTheWholeSwitchInAnyLetterCaseCleans)
{
  struct Row
  {
    const char* pszCommandLine;
    bool fClean;
  };
  const Row rgRows[] = {
    {"/clean", true},       {"/CLEAN", true},         {"/Clean", true},  {"", false},
    {"clean", false},       {"/clean now", false},    {" /clean", false}, {"/clean ", false},
    {"/cleanup", false},    {"Default", false},       {"/clea", false},   {"\\clean", false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCommandLine);
    EXPECT_EQ(row.fClean, commandline::isCleanSwitch(row.pszCommandLine));
  }
}
