// Settings files: an export imported again gives back exactly the exported profiles over whatever
// was there; a file that reaches outside the settings, deletes anything or holds what the
// program cannot keep is refused with its reason and changes nothing. Natively against the
// in-memory hive, under Wine against the registry.
#include "ProfileDump.h"
#include "RichProfile.h"
#include "ScratchKey.h"
#include "base/RegistryTree.h"
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class SettingsFileTest : public ::testing::Test
{
protected:
  SettingsFileTest() : m_scratch(currentTestKeyName()) {}

  std::string settingsPath() const { return m_scratch.path() + "\\Tarnwick\\Quilbar2\\Settings"; }

  // Every profile of the tree, dumped, with the two program-wide values; or why it cannot be read.
  std::string storedSettings()
  {
    QuilbarProfileStore store(m_scratch.path());
    std::string strError;
    if (!store.loadSettings(strError))
      return "unreadable: " + strError;
    std::string strOut = "page " + std::to_string(store.getSettingsPage()) + ", password " + store.getPassword() + "\n";
    for (const auto& entry : store.getProfiles().getEntries())
      strOut += entry.first + ":\n" + dumpProfile(*entry.second);
    return strOut;
  }

  // The raw tree, for "nothing changed".
  std::string rawTree()
  {
    std::vector<RegistryFileKey> rgKeys;
    EXPECT_TRUE(RegistryTree::read(settingsPath(), rgKeys));
    std::string strOut;
    for (const RegistryFileKey& key : rgKeys)
    {
      strOut += key.strPath + "\n";
      for (const RegistryFileValue& value : key.rgValues)
        strOut += value.strName + "=" + std::to_string(value.dwType) + ":" + value.strData + "\n";
    }
    return strOut;
  }

  void saveProfiles(const std::vector<QuilbarProfile>& rgProfiles, uint32_t dwPage, const char* pszPassword)
  {
    QuilbarProfileStore store(m_scratch.path());
    for (const QuilbarProfile& profile : rgProfiles)
      store.addOrSelectProfile(profile.getName()) = profile;
    store.setSettingsPage(dwPage);
    store.setPassword(pszPassword);
    ASSERT_TRUE(store.saveSettings());
  }

  std::string exported()
  {
    QuilbarProfileStore store(m_scratch.path());
    std::string strBytes;
    std::string strError;
    EXPECT_TRUE(SettingsFile::exportSettings(store, strBytes, strError)) << strError;
    return strBytes;
  }

  bool import(const std::string& strBytes, std::string& strError)
  {
    QuilbarProfileStore store(m_scratch.path());
    return SettingsFile::importSettings(strBytes, store, strError);
  }

  ScratchKey m_scratch;
};

QuilbarProfile named(const char* pszName, const char* pszPort)
{
  QuilbarProfile profile;
  profile.setName(pszName);
  profile.setPort(pszPort);
  return profile;
}

// The export in 8-bit text (its texts are ASCII), for editing by hand as an administrator would.
std::string narrowed(const std::string& strUnicode)
{
  std::string strText;
  for (size_t i = 2; i + 1 < strUnicode.size(); i += 2)
    strText += strUnicode[i];
  return strText;
}

std::string replaced(std::string strText, const std::string& strFrom, const std::string& strTo)
{
  for (size_t nPos = strText.find(strFrom); nPos != std::string::npos; nPos = strText.find(strFrom, nPos + strTo.size()))
    strText.replace(nPos, strFrom.size(), strTo);
  return strText;
}

// The export replaces settings whose profiles differ, and even settings the program cannot read
// (two keys with one name, as merging files made them), by exactly its own.
TEST_F(SettingsFileTest, AnImportedExportGivesBackExactlyItsProfiles)
{
  QuilbarProfile rich = richProfile();
  saveProfiles({rich, named("Line2", "COM4")}, 3, "$pbkdf2-sha256$100000$00112233445566778899aabbccddeeff$"
                                                   "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
  std::string strExpected = storedSettings();
  std::string strFile = exported();

  saveProfiles({named("Default", "COM9"), named("Line2", "COM8"), named("Other", "COM7")}, 1, "");
  std::string strError;
  ASSERT_TRUE(import(strFile, strError)) << strError;
  EXPECT_EQ(strExpected, storedSettings());

  // A second key named Default: the program refuses these settings, the import replaces them.
  Registry settings;
  ASSERT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessAll));
  Registry copy;
  ASSERT_TRUE(settings.createSubKey("Profile99", copy));
  ASSERT_TRUE(named("Line2", "COM1").saveToRegistry(copy));
  ASSERT_EQ(0u, storedSettings().rfind("unreadable: Failed to add profile Line2", 0));
  ASSERT_TRUE(import(strFile, strError)) << strError;
  EXPECT_EQ(strExpected, storedSettings());
}

// What "reg export ...\Tarnwick\Quilbar2" writes, in either form, is a settings file too.
TEST_F(SettingsFileTest, TheOlderFormAndTheEmptyKeysAboveTheSettingsAreAccepted)
{
  saveProfiles({named("Default", "COM3")}, 0, "");
  std::string strExpected = storedSettings();
  std::string strAbove = "[" + m_scratch.path() + "\\Tarnwick]\r\n\r\n[" + m_scratch.path() + "\\Tarnwick\\Quilbar2]\r\n";
  std::string strFile = replaced(narrowed(exported()), "Windows Registry Editor Version 5.00\r\n",
                                 "REGEDIT4\r\n\r\n" + strAbove);
  saveProfiles({named("Default", "COM1"), named("Line2", "COM2")}, 0, "");
  std::string strError;
  std::string strOthers = storedSettings();
  ASSERT_TRUE(SettingsFile::checkSettings(strFile, settingsPath(), strError)) << strError;
  EXPECT_EQ(strOthers, storedSettings()) << "a check wrote";
  ASSERT_TRUE(import(strFile, strError)) << strError << "\n" << strFile;
  EXPECT_EQ(strExpected, storedSettings());
}

struct RefusedFile
{
  const char* pszName;
  const char* pszAdded;   // appended to the export; %S stands for the settings key
  const char* pszReason;  // part of the reason, %S as above
};

const RefusedFile krgRefused[] = {
    {"a start-with-Windows entry", "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                                   "\"Quilbar_Default\"=\"c:\\\\evil.exe\"\r\n",
     "line 0: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run is not below %S"},
    {"a key beside the settings", "[%S2]\r\n\"Port\"=\"COM1\"\r\n", "%S2 is not below %S"},
    {"a deleted key", "[-%S\\Profile0]\r\n", "deletes the key %S\\Profile0"},
    {"a deleted value", "[%S\\Profile0]\r\n\"Port\"=-\r\n", "deletes a value"},
    {"an unknown value", "[%S\\Profile0]\r\n\"Colour\"=\"red\"\r\n", "\"Colour\" is no value Quilbar keeps in %S\\Profile0"},
    {"a value of another type", "[%S\\Profile0]\r\n\"Port\"=dword:00000003\r\n",
     "\"Port\" is a dword, but Quilbar keeps a text"},
    {"the default value", "[%S\\Profile0]\r\n@=\"x\"\r\n", "sets the default value of %S\\Profile0"},
    {"a text with a zero inside", "[%S\\Profile0]\r\n\"Port\"=hex(1):41,00,00,00,42,00,00,00\r\n",
     "\"Port\" holds data Quilbar cannot read back whole"},
    {"an unknown key in a profile", "[%S\\Profile0\\Colours]\r\n", "%S\\Profile0\\Colours is no key Quilbar keeps"},
    {"a key below a criterion", "[%S\\Profile0\\DataEditFormat0\\Criteria0\\More]\r\n", "is no key Quilbar keeps"},
    {"a value the reader refuses", "[%S\\Profile0]\r\n\"KeyCase\"=dword:00000003\r\n",
     "Invalid value in registry key KeyCase in subkey %S\\Profile0."},
    {"a profile without its required values", "[%S\\Profile7]\r\n\"Name\"=\"Line7\"\r\n",
     "Failed to read the registry key Port from subkey %S\\Profile7."},
    {"two profiles of one name", "[%S\\Profile7]\r\n\"Name\"=\"Default\"\r\n", "Failed to add profile Default"},
};

// Each refused file leaves the settings exactly as they were.
TEST_F(SettingsFileTest, AFileThatReachesFurtherOrHoldsWhatTheProgramCannotKeepIsRefused)
{
  saveProfiles({named("Default", "COM3")}, 0, "");
  std::string strBefore = rawTree();
  std::string strExport = narrowed(exported());
  for (const RefusedFile& refused : krgRefused)
  {
    SCOPED_TRACE(refused.pszName);
    std::string strAdded = replaced(refused.pszAdded, "%S", settingsPath());
    if (std::string(refused.pszName) == "two profiles of one name")
    {
      // The whole profile under a second key.
      size_t nStart = strExport.find("[" + settingsPath() + "\\Profile0]");
      strAdded = replaced(strExport.substr(nStart), "\\Profile0", "\\Profile7");
    }
    std::string strError;
    std::string strChecked;
    EXPECT_FALSE(SettingsFile::checkSettings(strExport + strAdded, settingsPath(), strChecked));
    EXPECT_FALSE(import(strExport + strAdded, strError));
    EXPECT_EQ(strError, strChecked);
    std::string strReason = replaced(refused.pszReason, "%S", settingsPath());
    if (strReason.rfind("line 0: ", 0) == 0)
      strReason = strReason.substr(8);
    EXPECT_NE(std::string::npos, strError.find(strReason)) << strError;
    EXPECT_EQ(strBefore, rawTree());
  }
  std::string strError;
  EXPECT_FALSE(import("Windows Registry Editor Version 5.00\r\n\r\n[" + settingsPath() + "]\r\n\"SettingsPage\"=dword:00000001\r\n",
                      strError));
  EXPECT_EQ("the file holds no profile below " + settingsPath(), strError);
  EXPECT_EQ(strBefore, rawTree());
}
}  // namespace
