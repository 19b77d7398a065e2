#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(SettingsSwitchTest, TheSwitchInAnyLetterCaseThenTheFileNameQuotedOrNot)
{
  struct Row
  {
    const char* pszCommandLine;
    commandline::SettingsSwitch kind;
    const char* pszFile;
  };
  const Row rgRows[] = {
      {"/export a.reg", commandline::SettingsSwitch::Export, "a.reg"},
      {"/IMPORT \\\\server\\share\\fleet.reg", commandline::SettingsSwitch::Import, "\\\\server\\share\\fleet.reg"},
      {"/Import  \"C:\\My Files\\fleet.reg\" ", commandline::SettingsSwitch::Import, "C:\\My Files\\fleet.reg"},
      {"/export", commandline::SettingsSwitch::Export, ""},
      {"/exports a.reg", commandline::SettingsSwitch::None, ""},
      {" /import a.reg", commandline::SettingsSwitch::None, ""},
      {"Line1", commandline::SettingsSwitch::None, ""},
      {"/clean", commandline::SettingsSwitch::None, ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCommandLine);
    std::string strFile = "untouched";
    EXPECT_EQ(row.kind, commandline::settingsFileSwitch(row.pszCommandLine, strFile));
    EXPECT_EQ(row.pszFile, strFile);
  }
}
