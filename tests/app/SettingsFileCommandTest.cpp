// "/export FILE" and "/import FILE" as an installer runs them: an import replaces the settings and
// brings the start-with-Windows entries in line; every failure is one line and changes nothing.
// Natively against the in-memory hive, under Wine against the real registry.
#include "app/AutoStartList.h"
#include "app/SettingsFileCommand.h"

#include "ScratchKey.h"
#include "settings/QuilbarProfileStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
using commandline::SettingsSwitch;

class SettingsFileCommandTest : public ::testing::Test
{
protected:
  SettingsFileCommandTest()
      : m_settings(currentTestKeyName() + "Settings"), m_run(currentTestKeyName() + "Run"),
        m_autoStart([](std::string& strPath) { strPath = "QUILBAR.EXE"; return true; }, m_run.path()),
        m_strFile(testing::TempDir() + currentTestKeyName() + ".reg")
  {
  }
  ~SettingsFileCommandTest() override { std::remove(m_strFile.c_str()); }

  void save(const std::vector<std::pair<const char*, uint32_t>>& rgProfiles)
  {
    QuilbarProfileStore store(m_settings.path());
    for (const auto& profile : rgProfiles)
      store.addOrSelectProfile(profile.first).setAutoStart(profile.second);
    ASSERT_TRUE(store.saveSettings());
    m_autoStart.synchroniseAutoStart(store.getProfiles());
  }

  int run(SettingsSwitch kind, const std::string& strFile, std::string& strError)
  {
    QuilbarProfileStore store(m_settings.path());
    return SettingsFileCommand::run(kind, strFile, store, m_autoStart, strError);
  }

  // The stored profile names and the run entries, in one line.
  std::string state()
  {
    QuilbarProfileStore store(m_settings.path());
    std::string strError;
    std::string strOut = store.loadSettings(strError) ? "" : "unreadable ";
    for (const auto& entry : store.getProfiles().getEntries())
      strOut += entry.first + " ";
    TextList rgNames;
    m_run.key().getKeyValueNames(rgNames);
    for (const std::string& strName : rgNames)
      strOut += "[" + strName + "]";
    return strOut;
  }

  ScratchKey m_settings;
  ScratchKey m_run;
  AutoStartList m_autoStart;
  std::string m_strFile;
};

// Entries of profiles that the import removed would start the program at every log-on with a
// name it no longer knows.
TEST_F(SettingsFileCommandTest, AnImportReplacesTheProfilesAndTheirStartWithWindowsEntries)
{
  save({{"Default", 0}, {"Line2", 1}});
  std::string strError;
  ASSERT_EQ(0, run(SettingsSwitch::Export, m_strFile, strError)) << strError;
  std::string strExported = state();
  ASSERT_EQ("Default Line2 [Quilbar_Line2]", strExported);

  save({{"Default", 1}, {"Gone", 1}});
  ASSERT_EQ("Default Gone [Quilbar_Default][Quilbar_Gone][Quilbar_Line2]", state());
  ASSERT_EQ(0, run(SettingsSwitch::Import, m_strFile, strError)) << strError;
  EXPECT_EQ(strExported, state());
}

TEST_F(SettingsFileCommandTest, EachFailureIsOneLineAndChangesNothing)
{
  save({{"Default", 1}});
  std::string strBefore = state();
  std::ofstream(m_strFile, std::ios::binary) << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
  struct Row
  {
    SettingsSwitch kind;
    std::string strFile;
    std::string strReason;
  };
  const Row rgRows[] = {
      {SettingsSwitch::Import, "", "usage: Quilbar.exe /import FILE"},
      {SettingsSwitch::Export, "", "usage: Quilbar.exe /export FILE"},
      {SettingsSwitch::Import, m_strFile + ".missing", "cannot open " + m_strFile + ".missing"},
      {SettingsSwitch::Import, m_strFile, m_strFile + ": line 2: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows"
                                          "\\CurrentVersion\\Run is not below " + m_settings.path() + "\\Tarnwick\\Quilbar2\\Settings"},
      {SettingsSwitch::Export, testing::TempDir(), "cannot write " + testing::TempDir()},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.strReason);
    std::string strError;
    EXPECT_EQ(1, run(row.kind, row.strFile, strError));
    EXPECT_EQ(0u, strError.rfind(row.strReason, 0)) << strError;
    EXPECT_EQ(std::string::npos, strError.find('\n'));
    EXPECT_EQ(strBefore, state());
  }
}
}  // namespace
