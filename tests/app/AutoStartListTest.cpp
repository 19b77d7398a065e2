// The start-with-system entries, natively against the in-memory hive and under Wine against the
// real registry.
#include "app/AutoStartList.h"

#include "ScratchKey.h"
#include "settings/QuilbarProfileMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace
{
const char kszShortPath[] = "C:\\PROGRA~1\\TARNWI~1\\QUILBAR.EXE";

class AutoStartListTest : public ::testing::Test
{
protected:
  AutoStartListTest()
      : m_scratch(currentTestKeyName()),
        m_autoStart([this](std::string& strPath) { strPath = m_strProgramPath; return !m_strProgramPath.empty(); },
                    m_scratch.path())
  {
  }

  TextList valueNames()
  {
    TextList rgNames;
    EXPECT_TRUE(m_scratch.key().getKeyValueNames(rgNames));
    return rgNames;
  }
  std::string valueOf(const char* pszName)
  {
    std::string strData;
    return m_scratch.key().getKeyValue(pszName, strData) ? strData : "(missing)";
  }

  ScratchKey m_scratch;
  std::string m_strProgramPath = kszShortPath;
  AutoStartList m_autoStart;
};

TEST(AutoStartNamesTest, ProgramValuesAreThoseStartingWithThePrefixInAnyLetterCase)
{
  struct Row
  {
    const char* pszName;
    bool fProgram;
  };
  const Row rgRows[] = {{"Quilbar_Default", true}, {"QUILBAR_Line1", true}, {"quilbar_", true},
                        {"Quilbar", false},        {"Quilbar-Default", false}, {"XQuilbar_Default", false},
                        {"", false},               {"Quilbar_ with blanks", true}};
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszName);
    EXPECT_EQ(row.fProgram, AutoStartList::isProgramValueName(row.pszName));
  }
  EXPECT_EQ("Quilbar_Lager 2", AutoStartList::valueNameOf("Lager 2"));
  EXPECT_EQ("C:\\Q.EXE Lager 2", AutoStartList::valueDataOf("C:\\Q.EXE", "Lager 2"));
}

TEST_F(AutoStartListTest, RegisterWritesTheShortPathAndTheNameAndOverwrites)
{
  ASSERT_TRUE(m_autoStart.registerAutoStart("Default"));
  EXPECT_EQ(std::string(kszShortPath) + " Default", valueOf("Quilbar_Default"));
  m_strProgramPath = "C:\\OTHER.EXE";
  ASSERT_TRUE(m_autoStart.registerAutoStart("Default"));
  EXPECT_EQ("C:\\OTHER.EXE Default", valueOf("Quilbar_Default"));
  EXPECT_EQ(TextList{"Quilbar_Default"}, valueNames());
}

// The entry keeps the short path unquoted where there is one; where 8.3 names are off the path
// service gives the long path, which is quoted, or the started instance would read "Files\..."
// as its profile.
TEST_F(AutoStartListTest, TheProgramPathIsQuotedOnlyWhereItHasNoShortForm)
{
  struct Row
  {
    const char* pszPath;  // what the path service gives
    const char* pszProfile;
    const char* pszData;
  };
  const Row rgRows[] = {
      {kszShortPath, "Default", "C:\\PROGRA~1\\TARNWI~1\\QUILBAR.EXE Default"},
      {kszShortPath, "Till 2", "C:\\PROGRA~1\\TARNWI~1\\QUILBAR.EXE Till 2"},
      {"C:\\Quilbar\\Quilbar.exe", "Default", "C:\\Quilbar\\Quilbar.exe Default"},
      {"C:\\Program Files\\Tarnwick\\Quilbar\\Quilbar.exe", "Default",
       "\"C:\\Program Files\\Tarnwick\\Quilbar\\Quilbar.exe\" Default"},
      {"D:\\Kasse\tTools\\Quilbar.exe", "Till 2", "\"D:\\Kasse\tTools\\Quilbar.exe\" Till 2"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszPath);
    m_strProgramPath = row.pszPath;
    ASSERT_TRUE(m_autoStart.registerAutoStart(row.pszProfile));
    EXPECT_EQ(row.pszData, valueOf((std::string("Quilbar_") + row.pszProfile).c_str()));
  }
}

TEST_F(AutoStartListTest, RegisterWritesNothingWithoutANameOrAProgramPath)
{
  EXPECT_FALSE(m_autoStart.registerAutoStart(""));
  m_strProgramPath.clear();
  EXPECT_FALSE(m_autoStart.registerAutoStart("Line1"));
  EXPECT_TRUE(valueNames().empty());
}

TEST_F(AutoStartListTest, UnregisterDeletesOnlyThatEntryAndReportsAMissingOne)
{
  ASSERT_TRUE(m_autoStart.registerAutoStart("Line1"));
  ASSERT_TRUE(m_autoStart.registerAutoStart("Line2"));
  EXPECT_TRUE(m_autoStart.unregisterAutoStart("Line1"));
  EXPECT_FALSE(m_autoStart.unregisterAutoStart("Line1"));
  EXPECT_FALSE(m_autoStart.unregisterAutoStart(""));
  EXPECT_EQ(TextList{"Quilbar_Line2"}, valueNames());
}

TEST_F(AutoStartListTest, UnregisterAllLeavesOtherSoftwaresValues)
{
  Registry& key = m_scratch.key();
  for (const char* pszName : {"Quilbar_Default", "QUILBAR_Line1", "quilbar_", "Quilbar", "OtherTool", "XQuilbar_A"})
    ASSERT_TRUE(key.createKeyValue(pszName, "x"));
  EXPECT_TRUE(m_autoStart.unregisterAllAutoStart());
  TextList rgNames = valueNames();
  std::sort(rgNames.begin(), rgNames.end());
  EXPECT_EQ((TextList{"OtherTool", "Quilbar", "XQuilbar_A"}), rgNames);
  // Nothing of the program left: still a success, and nothing else changes.
  EXPECT_TRUE(m_autoStart.unregisterAllAutoStart());
  EXPECT_EQ(3u, valueNames().size());
}

TEST_F(AutoStartListTest, OperationsOnAMissingKeyFail)
{
  AutoStartList missing([](std::string& strPath) { strPath = "C:\\Q.EXE"; return true; },
                        m_scratch.path() + "\\NoSuchKey");
  EXPECT_FALSE(missing.registerAutoStart("Default"));
  EXPECT_FALSE(missing.unregisterAutoStart("Default"));
  EXPECT_FALSE(missing.unregisterAllAutoStart());
}

TEST_F(AutoStartListTest, SynchroniseGivesOneEntryPerMarkedProfileAndRemovesTheRest)
{
  QuilbarProfileMap profiles;
  for (auto row : {std::make_pair("Line1", 1u), std::make_pair("Line2", 1u), std::make_pair("Office", 0u)})
  {
    auto pProfile = std::make_unique<QuilbarProfile>();
    pProfile->setName(row.first);
    pProfile->setAutoStart(row.second);
    profiles.add(row.first, std::move(pProfile));
  }
  ASSERT_TRUE(m_autoStart.registerAutoStart("Office"));  // stale: Office is no longer marked
  m_autoStart.synchroniseAutoStart(profiles);
  TextList rgNames = valueNames();
  std::sort(rgNames.begin(), rgNames.end());
  EXPECT_EQ((TextList{"Quilbar_Line1", "Quilbar_Line2"}), rgNames);
  EXPECT_EQ(std::string(kszShortPath) + " Line2", valueOf("Quilbar_Line2"));
}
}  // namespace
