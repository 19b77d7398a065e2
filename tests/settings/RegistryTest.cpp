// One suite for both registries: natively it runs against the in-memory hive, under Wine against
// Wine's real registry, which holds the in-memory one to the real behaviour.
#include "base/Registry.h"
#include "ScratchKey.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
const uint32_t kdwAll = Registry::kdwAccessAll;
const uint32_t kdwRead = Registry::kdwAccessRead;

class RegistryTest : public ::testing::Test
{
protected:
  RegistryTest() : m_scratch(currentTestKeyName()) {}

  Registry& key() { return m_scratch.key(); }
  const std::string& path() const { return m_scratch.path(); }

  // Creates the sub-key path below the scratch key and closes it again.
  void makeKey(const std::string& strName)
  {
    Registry sub;
    ASSERT_TRUE(key().createSubKey(strName, sub)) << strName;
  }

  ScratchKey m_scratch;
};

TEST_F(RegistryTest, OpenKeyAcceptsRootNamesInAnyCaseAndRefusesOthers)
{
  struct Row
  {
    const char* pszPath;
    bool fOpens;
  };
  const Row rgRows[] = {
      {"hkey_local_machine\\Software", true},
      {"HKEY_Local_Machine\\software", true},
      {"HKEY_LOCAL_MACHINE", false},
      {"HKEY_LOCAL_MACHINE\\", false},
      {"HKEY_PERFORMANCE_DATA\\Software", false},
      {"HKLM\\Software", false},
      {"Software", false},
      {"", false},
      {"HKEY_LOCAL_MACHINE\\Software\\QuilbarTest\\NoSuchKeyAnywhere", false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszPath);
    Registry reg;
    EXPECT_EQ(row.fOpens, reg.openKey(row.pszPath, kdwRead));
    EXPECT_EQ(row.fOpens, reg.isOpen());
    std::string strPath;
    EXPECT_EQ(row.fOpens, reg.getKeyPath(strPath));
    EXPECT_EQ(row.fOpens ? std::string(row.pszPath) : std::string(), strPath);
  }
}

TEST_F(RegistryTest, OpenKeyOnOpenObjectFailsAndKeepsTheOpenKey)
{
  ASSERT_TRUE(key().createKeyValue("Marker", "here"));
  Registry reg;
  ASSERT_TRUE(reg.openKey(path(), kdwAll));
  EXPECT_FALSE(reg.openKey("HKEY_LOCAL_MACHINE\\Software", kdwAll));
  std::string strPath, strText;
  EXPECT_TRUE(reg.getKeyPath(strPath));
  EXPECT_EQ(path(), strPath);
  EXPECT_TRUE(reg.getKeyValue("Marker", strText));
  EXPECT_EQ("here", strText);
}

TEST_F(RegistryTest, CloseKeyReportsWhetherAKeyWasOpenAndKeepsThePath)
{
  Registry reg;
  EXPECT_FALSE(reg.closeKey());
  ASSERT_TRUE(reg.openKey(path(), kdwRead));
  EXPECT_TRUE(reg.closeKey());
  EXPECT_FALSE(reg.isOpen());
  EXPECT_FALSE(reg.closeKey());
  std::string strPath;
  EXPECT_TRUE(reg.getKeyPath(strPath));
  EXPECT_EQ(path(), strPath);
  EXPECT_TRUE(reg.openKey(path(), kdwRead)) << "a closed object opens again";
}

TEST_F(RegistryTest, QuotedComponentMayHoldBackslashes)
{
  makeKey("A\\B\\C");
  Registry reg;
  EXPECT_TRUE(reg.openKey("HKEY_LOCAL_MACHINE\\\"Software\\QuilbarTest\"\\" + currentTestKeyName()
                              + "\\\"A\\B\"\\C",
                          kdwRead));
}

TEST_F(RegistryTest, SplitPathHonoursQuotes)
{
  struct Row
  {
    const char* pszPath;
    std::vector<std::string> rgExpected;
  };
  const Row rgRows[] = {
      {"A\\B", {"A", "B"}},
      {"\"A\\B\"\\C", {"A\\B", "C"}},
      {"A\\\\B\\", {"A", "", "B", ""}},
      {"", {""}},
      {"\"unterminated\\rest", {"unterminated\\rest"}},
      {"x\"y\"z", {"xyz"}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszPath);
    EXPECT_EQ(row.rgExpected, Registry::splitPath(row.pszPath));
  }
}

TEST_F(RegistryTest, SubKeysGetTheParentPathAndNamesIgnoreCase)
{
  makeKey("Alpha\\Beta");
  Registry sub;
  ASSERT_TRUE(key().openSubKey("ALPHA\\beta", sub, kdwRead));
  std::string strPath;
  EXPECT_TRUE(sub.getKeyPath(strPath));
  EXPECT_EQ(path() + "\\ALPHA\\beta", strPath);

  Registry trailing;
  ASSERT_TRUE(trailing.openKey(path() + "\\", kdwRead));
  Registry child;
  ASSERT_TRUE(trailing.openSubKey("Alpha", child, kdwRead));
  EXPECT_TRUE(child.getKeyPath(strPath));
  EXPECT_EQ(path() + "\\Alpha", strPath) << "no second backslash after a path ending in one";
}

TEST_F(RegistryTest, NordicLettersInNamesIgnoreCaseToo)
{
  makeKey("\xE5\xE4\xF6");  // å ä ö in code page 1252
  Registry sub;
  EXPECT_TRUE(key().openSubKey("\xC5\xC4\xD6", sub, kdwRead));
}

TEST_F(RegistryTest, OpenSubKeyFailsForMissingKeysAndOpenTargets)
{
  Registry target;
  EXPECT_FALSE(key().openSubKey("Missing", target, kdwRead));
  EXPECT_FALSE(target.isOpen());
  makeKey("Present");
  ASSERT_TRUE(key().openSubKey("Present", target, kdwRead));
  EXPECT_FALSE(key().openSubKey("Present", target, kdwRead)) << "target already open";
  EXPECT_FALSE(key().createSubKey("Other", target)) << "target already open";
  EXPECT_FALSE(key().openSubKey("", target, kdwRead));
}

TEST_F(RegistryTest, CreateSubKeyMakesEveryMissingComponent)
{
  Registry deep;
  ASSERT_TRUE(key().createSubKey("One\\Two\\Three", deep));
  ASSERT_TRUE(deep.createKeyValue("Depth", 3u));
  Registry again;
  ASSERT_TRUE(again.openKey(path() + "\\One\\Two\\Three", kdwRead));
  uint32_t dwDepth = 0;
  EXPECT_TRUE(again.getKeyValue("Depth", dwDepth));
  EXPECT_EQ(3u, dwDepth);
  Registry existing;
  EXPECT_TRUE(key().createSubKey("One\\Two", existing)) << "an existing key is opened";
}

TEST_F(RegistryTest, TypedValuesRoundTrip)
{
  const unsigned char rgBytes[] = {0, 1, 2, 0xFF, 0x80, 0};
  ASSERT_TRUE(key().createKeyValue("Text", "Hello \xE5 world"));
  ASSERT_TRUE(key().createKeyValue("Empty", ""));
  ASSERT_TRUE(key().createKeyValue("Bytes", rgBytes, sizeof(rgBytes)));
  ASSERT_TRUE(key().createKeyValue("Number", 0xFFFFFFFFu));
  ASSERT_TRUE(key().createKeyValue("List", TextList{"one", "two words", "\\x1D"}));

  Registry reg;
  ASSERT_TRUE(reg.openKey(path(), kdwRead));
  std::string strText;
  EXPECT_TRUE(reg.getKeyValue("text", strText));
  EXPECT_EQ("Hello \xE5 world", strText);
  EXPECT_TRUE(reg.getKeyValue("Empty", strText));
  EXPECT_EQ("", strText);
  unsigned char rgRead[16] = {};
  uint32_t dwLen = sizeof(rgRead);
  EXPECT_TRUE(reg.getKeyValue("Bytes", rgRead, dwLen));
  EXPECT_EQ(sizeof(rgBytes), dwLen);
  EXPECT_EQ(0, std::memcmp(rgBytes, rgRead, sizeof(rgBytes)));
  uint32_t dwNumber = 0;
  EXPECT_TRUE(reg.getKeyValue("Number", dwNumber));
  EXPECT_EQ(0xFFFFFFFFu, dwNumber);
  TextList rgList{"kept"};
  EXPECT_TRUE(reg.getKeyValue("List", rgList));
  EXPECT_EQ((TextList{"kept", "one", "two words", "\\x1D"}), rgList) << "reading appends";
}

TEST_F(RegistryTest, StoredTypesAndSizesAreThoseOfTheWin32Types)
{
  const unsigned char rgBytes[] = {1, 2, 3};
  ASSERT_TRUE(key().createKeyValue("Text", "abc"));
  ASSERT_TRUE(key().createKeyValue("Bytes", rgBytes, sizeof(rgBytes)));
  ASSERT_TRUE(key().createKeyValue("Number", 7u));
  ASSERT_TRUE(key().createKeyValue("List", TextList{"ab", "c"}));
  ASSERT_TRUE(key().createKeyValue("EmptyList", TextList{}));
  struct Row
  {
    const char* pszName;
    uint32_t dwType;
    uint32_t dwSize;
  };
  const Row rgRows[] = {
      {"Text", 1, 4}, {"Bytes", 3, 3}, {"Number", 4, 4}, {"List", 7, 6}, {"EmptyList", 7, 1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszName);
    uint32_t dwType = 0, dwSize = 0;
    EXPECT_TRUE(key().getKeyValueType(row.pszName, dwType));
    EXPECT_EQ(row.dwType, dwType);
    EXPECT_TRUE(key().hasKeyValueType(row.pszName, row.dwType));
    EXPECT_FALSE(key().hasKeyValueType(row.pszName, row.dwType == 4 ? 1 : 4));
    EXPECT_TRUE(key().getKeyValueSize(row.pszName, dwSize));
    EXPECT_EQ(row.dwSize, dwSize);
  }
  uint32_t dwType = 0;
  EXPECT_FALSE(key().getKeyValueType("Missing", dwType));
  EXPECT_FALSE(key().hasKeyValueType("Missing", 1));
}

TEST_F(RegistryTest, ValueOfAnotherTypeReadsLikeAMissingValue)
{
  const unsigned char rgBytes[] = {1, 2, 3, 4};
  ASSERT_TRUE(key().createKeyValue("Text", "1"));
  ASSERT_TRUE(key().createKeyValue("Bytes", rgBytes, sizeof(rgBytes)));
  ASSERT_TRUE(key().createKeyValue("Number", 1u));
  ASSERT_TRUE(key().createKeyValue("List", TextList{"1"}));
  for (const char* pszName : {"Text", "Bytes", "Number", "List", "Missing"})
  {
    SCOPED_TRACE(pszName);
    std::string strText = "unchanged";
    uint32_t dwNumber = 99;
    unsigned char rgRead[8] = {};
    uint32_t dwLen = sizeof(rgRead);
    TextList rgList;
    EXPECT_EQ(std::string(pszName) == "Text", key().getKeyValue(pszName, strText));
    EXPECT_EQ(std::string(pszName) == "Number", key().getKeyValue(pszName, dwNumber));
    EXPECT_EQ(std::string(pszName) == "Bytes", key().getKeyValue(pszName, rgRead, dwLen));
    EXPECT_EQ(std::string(pszName) == "List", key().getKeyValue(pszName, rgList));
    if (std::string(pszName) != "Text")
    {
      EXPECT_EQ("unchanged", strText);
    }
    if (std::string(pszName) != "Number")
    {
      EXPECT_EQ(99u, dwNumber);
    }
  }
}

TEST_F(RegistryTest, BinaryLargerThanTheBufferFails)
{
  const unsigned char rgBytes[10] = {1};
  ASSERT_TRUE(key().createKeyValue("Bytes", rgBytes, sizeof(rgBytes)));
  unsigned char rgSmall[9] = {};
  uint32_t dwLen = sizeof(rgSmall);
  EXPECT_FALSE(key().getKeyValue("Bytes", rgSmall, dwLen));
  unsigned char rgExact[10] = {};
  dwLen = sizeof(rgExact);
  EXPECT_TRUE(key().getKeyValue("Bytes", rgExact, dwLen));
  EXPECT_EQ(10u, dwLen);
}

TEST_F(RegistryTest, TextListEndsAtItsFirstEmptyEntry)
{
  ASSERT_TRUE(key().createKeyValue("List", TextList{"a", "", "b"}));
  TextList rgList;
  EXPECT_TRUE(key().getKeyValue("List", rgList));
  EXPECT_EQ(TextList{"a"}, rgList);
  ASSERT_TRUE(key().createKeyValue("Empty", TextList{}));
  rgList.clear();
  EXPECT_TRUE(key().getKeyValue("Empty", rgList));
  EXPECT_TRUE(rgList.empty());
}

TEST_F(RegistryTest, WritesReplaceValuesOfAnyType)
{
  ASSERT_TRUE(key().createKeyValue("Value", "text"));
  ASSERT_TRUE(key().createKeyValue("VALUE", 5u));
  uint32_t dwValue = 0;
  EXPECT_TRUE(key().getKeyValue("Value", dwValue));
  EXPECT_EQ(5u, dwValue);
  std::string strText;
  EXPECT_FALSE(key().getKeyValue("Value", strText));
}

TEST_F(RegistryTest, DeleteKeyValueRemovesOnlyThatValue)
{
  ASSERT_TRUE(key().createKeyValue("Gone", 1u));
  ASSERT_TRUE(key().createKeyValue("Kept", 2u));
  EXPECT_TRUE(key().deleteKeyValue("gone"));
  EXPECT_FALSE(key().deleteKeyValue("Gone"));
  uint32_t dwValue = 0;
  EXPECT_FALSE(key().getKeyValue("Gone", dwValue));
  EXPECT_TRUE(key().getKeyValue("Kept", dwValue));
}

TEST_F(RegistryTest, GetSubKeysEmptiesTheListAndNamesEverySubKey)
{
  TextList rgNames{"stale"};
  EXPECT_TRUE(key().getSubKeys(rgNames));
  EXPECT_TRUE(rgNames.empty()) << "no sub-keys: success with an empty list";
  makeKey("Profile1");
  makeKey("Profile0");
  makeKey("other\\deeper");
  EXPECT_TRUE(key().getSubKeys(rgNames));
  std::sort(rgNames.begin(), rgNames.end());
  EXPECT_EQ((TextList{"Profile0", "Profile1", "other"}), rgNames);
}

TEST_F(RegistryTest, SubKeysAreListedInNameOrderIgnoringCase)
{
  for (const char* pszName : {"b", "A", "_x", "C", "a1"})
    makeKey(pszName);
  TextList rgNames;
  EXPECT_TRUE(key().getSubKeys(rgNames));
  EXPECT_EQ((TextList{"_x", "A", "a1", "b", "C"}), rgNames);
}

TEST_F(RegistryTest, GetKeyValueNamesAppendsNamedValuesOnly)
{
  ASSERT_TRUE(key().createKeyValue("", "default value"));
  ASSERT_TRUE(key().createKeyValue("First", 1u));
  ASSERT_TRUE(key().createKeyValue("Second", "2"));
  TextList rgNames{"kept"};
  EXPECT_TRUE(key().getKeyValueNames(rgNames));
  std::sort(rgNames.begin() + 1, rgNames.end());
  EXPECT_EQ((TextList{"kept", "First", "Second"}), rgNames);
}

TEST_F(RegistryTest, DeleteSubKeyRemovesAWholeTree)
{
  Registry leaf;
  ASSERT_TRUE(key().createSubKey("Top\\Middle\\Leaf", leaf));
  ASSERT_TRUE(leaf.createKeyValue("Value", 1u));
  leaf.closeKey();
  Registry middle;
  ASSERT_TRUE(key().createSubKey("Top\\Middle", middle));
  ASSERT_TRUE(middle.createKeyValue("Value", "2"));
  middle.closeKey();
  makeKey("Top\\Sibling");
  makeKey("Neighbour");

  EXPECT_TRUE(key().deleteSubKey("Top"));
  TextList rgNames;
  EXPECT_TRUE(key().getSubKeys(rgNames));
  EXPECT_EQ(TextList{"Neighbour"}, rgNames);
  Registry gone;
  EXPECT_FALSE(gone.openKey(path() + "\\Top", kdwRead));
}

TEST_F(RegistryTest, DeleteSubKeyFailsForMissingOrEmptyNames)
{
  EXPECT_FALSE(key().deleteSubKey("Missing"));
  EXPECT_FALSE(key().deleteSubKey("")) << "an empty name must never delete the key itself";
  Registry self;
  EXPECT_TRUE(self.openKey(path(), kdwRead));
}

TEST_F(RegistryTest, DeleteSubKeyWorksFromAnOpenedSubKey)
{
  makeKey("Child\\Grandchild\\Leaf");
  Registry sub;
  ASSERT_TRUE(key().openSubKey("Child", sub, kdwAll));
  EXPECT_TRUE(sub.deleteSubKey("GRANDCHILD"));
  TextList rgNames;
  EXPECT_TRUE(sub.getSubKeys(rgNames));
  EXPECT_TRUE(rgNames.empty());
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites)
{
  Registry reg;
  ASSERT_TRUE(reg.openKey(path(), kdwRead));
  EXPECT_FALSE(reg.createKeyValue("Value", 1u));
  ASSERT_TRUE(key().createKeyValue("Value", 1u));
  EXPECT_FALSE(reg.deleteKeyValue("Value"));
  uint32_t dwValue = 0;
  EXPECT_TRUE(reg.getKeyValue("Value", dwValue));
}

TEST_F(RegistryTest, HandleToADeletedKeyGoesStale)
{
  makeKey("Doomed");
  Registry doomed;
  ASSERT_TRUE(key().openSubKey("Doomed", doomed, kdwAll));
  ASSERT_TRUE(doomed.createKeyValue("Value", 1u));
  ASSERT_TRUE(key().deleteSubKey("Doomed"));
  uint32_t dwValue = 0;
  EXPECT_FALSE(doomed.getKeyValue("Value", dwValue));
  EXPECT_FALSE(doomed.createKeyValue("Value", 2u));
  EXPECT_TRUE(doomed.closeKey());
}

using RegistryDeathTest = RegistryTest;

TEST_F(RegistryDeathTest, ClosedObjectAndNullNamesAreProgrammingErrors)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        Registry closed;
        uint32_t dwValue = 0;
        closed.getKeyValue("Value", dwValue);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: isOpen\\(\\)");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        key().createKeyValue(nullptr, 1u);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: NULL != pszName");
}
}  // namespace
