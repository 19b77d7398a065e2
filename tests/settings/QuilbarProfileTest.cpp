// The profile record: defaults, checked setters, deep copy, the InitString encoding, and its
// registry load and save (natively against the in-memory hive, under Wine against the registry).
#include "ProfileDump.h"
#include "ProfileSamples.h"
#include "settings/QuilbarProfile.h"
#include "RegistryFill.h"
#include "RichProfile.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
class QuilbarProfileTest : public ::testing::Test
{
protected:
  QuilbarProfileTest() : m_scratch(currentTestKeyName()) {}

  Registry& key() { return m_scratch.key(); }

  std::string failedToRead(const char* pszValue) const
  {
    return std::string("Failed to read the registry key ") + pszValue + " from subkey "
           + m_scratch.path() + ".";
  }

  std::string invalidValue(const char* pszValue) const
  {
    return std::string("Invalid value in registry key ") + pszValue + " in subkey "
           + m_scratch.path() + ".";
  }

  ScratchKey m_scratch;
};

TEST(QuilbarProfileDefaults, EveryValueStartsAtItsDefault)
{
  QuilbarProfile profile;
  EXPECT_EQ(
      "Name=\nPort=COM1\nSpeed=9600\nData=8\nParity=No parity\nStop=1\nDTR=1\nRTS=1\nCTSHigh=0\n"
      "CTSLow=0\nDSRHigh=0\nDSRLow=0\nRIHigh=0\nRILow=0\nDCDHigh=0\nDCDLow=0\n"
      "DuplicateStringFilter=0\nDuplicateFilterTime=0\nInitString=\nKeyCase=0\n"
      "IntercharacterDelay=0\nSendPreAndPostfixKeys=0\nAutoStart=0\nHideOnStartup=0\n"
      "HideWindow=0\nLockOutputWindow=0\nLogging=0\nLogFilename=\nTitles=\n"
      "FilterUnkownDataStrings=0\nTerminationType=0\nDataStringTerminator=<cr>\n"
      "TerminationTimeout=30\nHoldForLockedWindow=0\nHoldTimeLimit=30\nGS1InputForms=0\n"
      "format [Default] name=Default order=0 output=Input() + \"<cr>\"\n"
      "  criteria [Expression (start = 1, \"*\")] kind=1 min=1 max=1 start=1 expr=* present= "
      "absent=\n"
      "KeyTranslators=256\n",
      dumpProfile(profile));
}

TEST(QuilbarProfileDefaults, FreshProfilePassesEveryDataStringToTheDefaultFormat)
{
  QuilbarProfile profile;
  for (const char* pszData : {"", "12345", "\x1D"})
  {
    SCOPED_TRACE(pszData);
    DataEditFormat* pFormat = findMatchingFormat(profile.getDataEditFormatMap(), pszData);
    ASSERT_NE(nullptr, pFormat);
    EXPECT_EQ("Default", pFormat->getName());
  }
}

TEST(QuilbarProfileDefaults, SetDefaultsDropsEverythingElse)
{
  QuilbarProfile profile = richProfile();
  profile.setDefaults();
  EXPECT_EQ(dumpProfile(QuilbarProfile()), dumpProfile(profile));
}

TEST(QuilbarProfileSetters, KeyCaseAndTerminationTypeRefuseUnknownNumbers)
{
  QuilbarProfile profile;
  EXPECT_TRUE(profile.setKeyCase(2));
  EXPECT_FALSE(profile.setKeyCase(3));
  EXPECT_EQ(2u, profile.getKeyCase());
  EXPECT_TRUE(profile.setTerminationType(1));
  EXPECT_FALSE(profile.setTerminationType(2));
  EXPECT_EQ(1u, profile.getTerminationType());
  EXPECT_TRUE(profile.setAutoStart(2)) << "flags take any stored number";
}

TEST(QuilbarProfileCopy, CopyIsCompleteAndShareNothing)
{
  QuilbarProfile source = richProfile();
  QuilbarProfile copy(source);
  EXPECT_EQ(dumpProfile(source), dumpProfile(copy));

  copy.getDataEditFormatMap().lookup("Prefix")->setOutput("changed");
  copy.getDataEditFormatMap().lookup("GS1")->getCriteriaMap().removeAll();
  copy.getReplacementMap().lookupByOrder(0)->setReplace("changed");
  copy.getKeyTranslatorMap().entryOf(0x0D).setKeyCode(0x20);
  copy.getKeyTranslatorMap().entryOf(0xA8).setKeyCode(0x20);
  EXPECT_EQ(0xBA, source.getKeyTranslatorMap().entryOf(0xA8).getKeyCode());
  EXPECT_EQ("Mid(Input(), 3)", source.getDataEditFormatMap().lookup("Prefix")->getOutput());
  EXPECT_EQ(2, source.getDataEditFormatMap().lookup("GS1")->getCriteriaMap().getCount());
  EXPECT_EQ("|", source.getReplacementMap().lookupByOrder(0)->getReplace());
  EXPECT_EQ(0x09, source.getKeyTranslatorMap().entryOf(0x0D).getKeyCode());

  QuilbarProfile assigned;
  assigned = source;
  EXPECT_EQ(dumpProfile(source), dumpProfile(assigned));
  QuilbarProfile& self = assigned;
  assigned = self;
  EXPECT_EQ(dumpProfile(source), dumpProfile(assigned));
}

TEST(QuilbarProfileInitString, CaretPairsBecomeControlBytes)
{
  struct Row
  {
    std::string strInit;
    std::string strBytes;
  };
  const Row rgRows[] = {
      {"AT^M", "AT\r"},
      {"", ""},
      {"^M^J", "\r\n"},
      {"^m", "\r"},
      {"^1", "1"},
      {"^[", "["},
      {"^@", "@"},
      {"^^", "^"},
      {"^`", "`"},
      {"^a^z", std::string("\x01\x1A")},
      {"^\x7F", "\x1F"},
      {"^\x80", "\x80"},
      {"AT^", "AT"},
      {"^", ""},
      {"a^^M", "a^M"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.strInit);
    EXPECT_EQ(row.strBytes, QuilbarProfile::encodeInitString(row.strInit));
  }
  QuilbarProfile profile;
  profile.setInitString("ATZ^M");
  EXPECT_EQ("ATZ\r", profile.getInitStringBytes());
}

TEST(QuilbarProfileNames, ExpressionNamesTakeOnlyLettersAndDigits)
{
  struct Row
  {
    const char* pszText;
    bool fAccepted;
    const char* pszName;
  };
  const Row rgRows[] = {
      {"Line1", true, "Line1"},
      {"\"Line2\"", true, "Line2"},
      {"\xC5rhus\xE4\xF6\xC4\xD6\xE5", true, "\xC5rhus\xE4\xF6\xC4\xD6\xE5"},
      {"Line 1", false, ""},
      {"Line_1", false, ""},
      {"\xE9t\xE9", false, ""},
      {"a\\b", false, ""},
      {"", false, ""},
      {"\"\"", false, ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    std::string strName = "unchanged";
    EXPECT_EQ(row.fAccepted, QuilbarProfile::cleanExpressionProfileName(row.pszText, strName));
    EXPECT_EQ(row.fAccepted ? row.pszName : "unchanged", strName);
  }
  EXPECT_STREQ("Only letters and digits may be used as a profile name.",
               QuilbarProfile::kszInvalidProfileName);
}

TEST_F(QuilbarProfileTest, RichProfileRoundTripsThroughTheRegistry)
{
  QuilbarProfile saved = richProfile();
  ASSERT_TRUE(saved.saveToRegistry(key()));
  QuilbarProfile loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  EXPECT_EQ(dumpProfile(saved), dumpProfile(loaded));
}

TEST_F(QuilbarProfileTest, SavedValuesHaveTheirNamesAndTypes)
{
  ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
  const char* rgTexts[] = {"Name", "Port", "Speed", "Data", "Parity", "Stop", "InitString",
                           "LogFilename", "DataStringTerminator"};
  const char* rgNumbers[] = {"DTR", "RTS", "CTSHigh", "CTSLow", "DSRHigh", "DSRLow", "RIHigh",
                             "RILow", "DCDHigh", "DCDLow", "DuplicateStringFilter",
                             "DuplicateFilterTime", "KeyCase", "IntercharacterDelay",
                             "SendPreAndPostfixKeys", "AutoStart", "HideOnStartup", "HideWindow",
                             "LockOutputWindow", "Logging", "FilterUnkownDataStrings",
                             "TerminationType", "TerminationTimeout", "HoldForLockedWindow",
                             "HoldTimeLimit", "GS1InputForms"};
  TextList rgExpected;
  for (const char* pszName : rgTexts)
  {
    EXPECT_TRUE(key().hasKeyValueType(pszName, Registry::kdwTypeString)) << pszName;
    rgExpected.push_back(pszName);
  }
  for (const char* pszName : rgNumbers)
  {
    EXPECT_TRUE(key().hasKeyValueType(pszName, Registry::kdwTypeDword)) << pszName;
    rgExpected.push_back(pszName);
  }
  EXPECT_TRUE(key().hasKeyValueType("Titles", Registry::kdwTypeMultiString));
  rgExpected.push_back("Titles");
  EXPECT_TRUE(key().hasKeyValueType("KeyTranslatorMap", Registry::kdwTypeBinary));
  rgExpected.push_back("KeyTranslatorMap");
  TextList rgNames;
  ASSERT_TRUE(key().getKeyValueNames(rgNames));
  std::sort(rgNames.begin(), rgNames.end());
  std::sort(rgExpected.begin(), rgExpected.end());
  EXPECT_EQ(rgExpected, rgNames);
  TextList rgSubKeys;
  ASSERT_TRUE(key().getSubKeys(rgSubKeys));
  EXPECT_EQ(TextList{"DataEditFormat0"}, rgSubKeys);
}

TEST_F(QuilbarProfileTest, EveryMissingRequiredValueStopsTheLoad)
{
  const char* rgRequired[] = {"KeyTranslatorMap", "Name", "Port", "Speed", "Data", "Parity", "Stop", "DTR", "RTS",
                              "InitString", "KeyCase", "IntercharacterDelay", "HideOnStartup",
                              "HideWindow", "LockOutputWindow", "Titles",
                              "FilterUnkownDataStrings", "TerminationType", "TerminationTimeout",
                              "DataStringTerminator"};
  for (const char* pszName : rgRequired)
  {
    SCOPED_TRACE(pszName);
    ASSERT_TRUE(richProfile().saveToRegistry(key()));
    ASSERT_TRUE(key().deleteKeyValue(pszName));
    QuilbarProfile loaded;
    std::string strError;
    EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
    EXPECT_EQ(failedToRead(pszName), strError);
  }
}

TEST_F(QuilbarProfileTest, ValueOfTheWrongTypeCountsAsMissing)
{
  struct Row
  {
    const char* pszName;
    bool fStoreAsNumber;
  };
  const Row rgRows[] = {{"DataStringTerminator", true}, {"Name", true}, {"KeyCase", false},
                        {"HideOnStartup", false}, {"Titles", false}};
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszName);
    ASSERT_TRUE(richProfile().saveToRegistry(key()));
    ASSERT_TRUE(row.fStoreAsNumber ? key().createKeyValue(row.pszName, 13u)
                                   : key().createKeyValue(row.pszName, "1"));
    QuilbarProfile loaded;
    std::string strError;
    EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
    EXPECT_EQ(failedToRead(row.pszName), strError);
  }
}

TEST_F(QuilbarProfileTest, MissingOptionalValuesLoadAsTheirDefaults)
{
  ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
  const char* rgOptional[] = {"CTSHigh", "CTSLow", "DSRHigh", "DSRLow", "RIHigh", "RILow",
                              "DCDHigh", "DCDLow", "DuplicateStringFilter", "DuplicateFilterTime",
                              "SendPreAndPostfixKeys", "AutoStart", "Logging", "LogFilename",
                              "HoldForLockedWindow", "HoldTimeLimit", "GS1InputForms"};
  for (const char* pszName : rgOptional)
    ASSERT_TRUE(key().deleteKeyValue(pszName)) << pszName;
  QuilbarProfile loaded = richProfile();
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  QuilbarProfile expected = richProfile();
  expected = QuilbarProfile();
  EXPECT_EQ(dumpProfile(expected), dumpProfile(loaded));
}

TEST_F(QuilbarProfileTest, FlagsAreOnOnlyWhenStoredAsOneButNumbersAreKept)
{
  struct Row
  {
    const char* pszName;
    uint32_t dwStored;
    uint32_t (QuilbarProfile::*pfnGet)() const;
    uint32_t dwLoaded;
  };
  const Row rgRows[] = {
      {"DTR", 2, &QuilbarProfile::getDTR, 0},
      {"DTR", 1, &QuilbarProfile::getDTR, 1},
      {"RTS", 0xFFFFFFFF, &QuilbarProfile::getRTS, 0},
      {"CTSHigh", 2, &QuilbarProfile::getCTSHigh, 0},
      {"DCDLow", 1, &QuilbarProfile::getDCDLow, 1},
      {"DuplicateStringFilter", 5, &QuilbarProfile::getDuplicateStringFilter, 0},
      {"Logging", 2, &QuilbarProfile::getLogging, 0},
      {"AutoStart", 2, &QuilbarProfile::getAutoStart, 2},
      {"SendPreAndPostfixKeys", 3, &QuilbarProfile::getSendPreAndPostfixKeys, 3},
      {"HideOnStartup", 7, &QuilbarProfile::getHideOnStartup, 7},
      {"FilterUnkownDataStrings", 9, &QuilbarProfile::getFilterUnkownDataStrings, 9},
      {"DuplicateFilterTime", 10000, &QuilbarProfile::getDuplicateFilterTime, 10000},
      {"HoldForLockedWindow", 2, &QuilbarProfile::getHoldForLockedWindow, 0},
      {"HoldForLockedWindow", 1, &QuilbarProfile::getHoldForLockedWindow, 1},
      {"HoldTimeLimit", 0, &QuilbarProfile::getHoldTimeLimit, 0},
      {"HoldTimeLimit", 3600, &QuilbarProfile::getHoldTimeLimit, 3600},
      {"GS1InputForms", 5, &QuilbarProfile::getGS1InputForms, 5},
      {"GS1InputForms", 0x80000004u, &QuilbarProfile::getGS1InputForms, 0x80000004u},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(std::string(row.pszName) + " = " + std::to_string(row.dwStored));
    ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
    ASSERT_TRUE(key().createKeyValue(row.pszName, row.dwStored));
    QuilbarProfile loaded;
    std::string strError;
    ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
    EXPECT_EQ(row.dwLoaded, (loaded.*row.pfnGet)());
  }
}

TEST_F(QuilbarProfileTest, UnknownKeyCaseOrTerminationTypeFailsWithTheInvalidValueMessage)
{
  struct Row
  {
    const char* pszName;
    uint32_t dwStored;
  };
  for (const Row& row : {Row{"KeyCase", 3}, Row{"KeyCase", 0xFFFFFFFF}, Row{"TerminationType", 2}})
  {
    SCOPED_TRACE(row.pszName);
    ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
    ASSERT_TRUE(key().createKeyValue(row.pszName, row.dwStored));
    QuilbarProfile loaded;
    std::string strError;
    EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
    EXPECT_EQ(invalidValue(row.pszName), strError);
  }
}

TEST_F(QuilbarProfileTest, ValuesReadBeforeAFailureStay)
{
  ASSERT_TRUE(richProfile().saveToRegistry(key()));
  ASSERT_TRUE(key().deleteKeyValue("HideOnStartup"));
  QuilbarProfile loaded;
  std::string strError;
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ(failedToRead("HideOnStartup"), strError);
  EXPECT_EQ("Line1", loaded.getName());
  EXPECT_EQ(1u, loaded.getAutoStart());
  EXPECT_EQ(0u, loaded.getHideWindow()) << "values after the failure are not read";
}

TEST_F(QuilbarProfileTest, OwnedRecordFailuresEndTheLoadWithTheirMessage)
{
  ASSERT_TRUE(richProfile().saveToRegistry(key()));
  ASSERT_TRUE(plantKey(key(), "Replacement9", {{"Order", 5u}, {"Input", "x"}, {"Replace", "y"}}));
  QuilbarProfile loaded;
  std::string strError;
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ(ReplacementMap::kszCorruptedOrder, strError);

  ASSERT_TRUE(plantKey(key(), "DataEditFormat7", {{"Name", "Late"}, {"Order", 9u}, {"Output", ""}}));
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ(DataEditFormatMap::kszCorruptedOrder, strError);
}

// A typing rule's numbers out of range and its missing values are named; rules stored in another
// order come back in their stored order.
TEST_F(QuilbarProfileTest, TypingRulesLoadInOrderAndRefuseWhatTheyCannotBe)
{
  auto planted = [](uint32_t dwOrder, uint32_t dwText, uint32_t dwControl, bool fWithTitle) {
    std::vector<StoredValue> values = {{"Order", dwOrder}, {"Class", ""}, {"TextMethod", dwText},
                                       {"ControlMethod", dwControl}, {"ControlText", ""}};
    if (fWithTitle)
      values.push_back({"Title", "*"});
    return values;
  };
  struct Row
  {
    const char* pszName;
    std::vector<StoredValue> values;
    std::string strError;  // empty: loads
  } krgRows[] = {
      {"text method 3", planted(0, 3, 0, true), invalidValue("TextMethod")},
      {"control method 4", planted(0, 0, 4, true), invalidValue("ControlMethod")},
      {"order beyond int", planted(0x80000000u, 0, 0, true), invalidValue("Order")},
      {"no title", planted(0, 0, 0, false), failedToRead("Title")},
      {"first of three", planted(0, 2, 3, true), ""},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    ASSERT_TRUE(richProfile().saveToRegistry(key()));
    Registry ruleKey;
    if (key().openSubKey("TypingRule7", ruleKey, Registry::kdwAccessRead))
    {
      ruleKey.closeKey();
      ASSERT_TRUE(key().deleteSubKey("TypingRule7"));
    }
    ASSERT_TRUE(plantKey(key(), "TypingRule7", row.values));
    QuilbarProfile loaded;
    std::string strError;
    bool fLoaded = loaded.loadFromRegistry(key(), strError);
    if (row.strError.empty())
    {
      ASSERT_TRUE(fLoaded) << strError;
      ASSERT_EQ(3u, loaded.getTypingRules().rules().size());
      EXPECT_EQ("*cmd.exe", loaded.getTypingRules().rules()[0].getTitle());
      EXPECT_EQ("*", loaded.getTypingRules().rules()[1].getTitle()) << "order 0 goes before order 1";
      EXPECT_EQ(TypingRule::kControlText, loaded.getTypingRules().rules()[1].getControlMethod());
      EXPECT_EQ(1, loaded.getTypingRules().rules()[1].getOrder()) << "orders become positions";
      continue;
    }
    EXPECT_FALSE(fLoaded);
    std::string strExpected = row.strError;
    strExpected.insert(strExpected.size() - 1, "\\TypingRule7");
    EXPECT_EQ(strExpected, strError);
  }
}

TEST_F(QuilbarProfileTest, KeyTranslatorMapOfAnotherSizeFailsTheLoad)
{
  ASSERT_TRUE(richProfile().saveToRegistry(key()));
  const unsigned char rgbyShort[765] = {};
  ASSERT_TRUE(key().createKeyValue("KeyTranslatorMap", rgbyShort, sizeof rgbyShort));
  QuilbarProfile loaded;
  std::string strError;
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ("Invalid size of key value KeyTranslatorMap in subkey " + m_scratch.path()
                + ". Was 765 bytes, should be 768. Uninstall any earlier version of Quilbar and "
                  "re-install this version. Please note that any customized settings will be lost.",
            strError);

  ASSERT_TRUE(key().deleteKeyValue("KeyTranslatorMap"));
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ(failedToRead("KeyTranslatorMap"), strError);
}

TEST_F(QuilbarProfileTest, SaveIntoAReadOnlyKeyFails)
{
  Registry readOnly;
  ASSERT_TRUE(readOnly.openKey(m_scratch.path(), Registry::kdwAccessRead));
  EXPECT_FALSE(QuilbarProfile().saveToRegistry(readOnly));
}
TEST_F(QuilbarProfileTest, KeyTranslatorMapIsStoredAs768Bytes)
{
  ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
  uint32_t dwSize = 0;
  EXPECT_TRUE(key().getKeyValueSize("KeyTranslatorMap", dwSize));
  EXPECT_EQ(768u, dwSize);
  unsigned char rgbyStored[768];
  uint32_t dwLen = sizeof(rgbyStored);
  ASSERT_TRUE(key().getKeyValue("KeyTranslatorMap", rgbyStored, dwLen));
  // "A": a Unicode entry with key code 0x41, the scan code of that key, all seven flags.
  EXPECT_EQ(0x41, rgbyStored[3 * 65]);
  EXPECT_EQ(0x1E, rgbyStored[3 * 65 + 1]);
  EXPECT_EQ(0x7F, rgbyStored[3 * 65 + 2]);
}

TEST_F(QuilbarProfileTest, KeyTranslatorMapOfAnyOtherSizeFailsTheLoad)
{
  for (uint32_t dwSize : {765u, 769u, 0u, 1024u})
  {
    SCOPED_TRACE(dwSize);
    ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
    std::vector<unsigned char> rgbyStored(dwSize + 1, 0);
    ASSERT_TRUE(key().createKeyValue("KeyTranslatorMap", rgbyStored.data(), dwSize));
    QuilbarProfile loaded;
    std::string strError;
    EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
    EXPECT_EQ("Invalid size of key value KeyTranslatorMap in subkey " + m_scratch.path() + ". Was "
                  + std::to_string(dwSize)
                  + " bytes, should be 768. Uninstall any earlier version of Quilbar and "
                    "re-install this version. Please note that any customized settings will be "
                    "lost.",
              strError);
  }
}

TEST_F(QuilbarProfileTest, KeyTranslatorMapOfAnotherTypeCountsAsMissing)
{
  ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
  ASSERT_TRUE(key().createKeyValue("KeyTranslatorMap", "not bytes"));
  QuilbarProfile loaded;
  std::string strError;
  EXPECT_FALSE(loaded.loadFromRegistry(key(), strError));
  EXPECT_EQ(failedToRead("KeyTranslatorMap"), strError);
}

TEST_F(QuilbarProfileTest, UnusedFlagBitOfAStoredKeyRecordIsIgnored)
{
  ASSERT_TRUE(QuilbarProfile().saveToRegistry(key()));
  unsigned char rgbyStored[768];
  uint32_t dwLen = sizeof(rgbyStored);
  ASSERT_TRUE(key().getKeyValue("KeyTranslatorMap", rgbyStored, dwLen));
  rgbyStored[3 * 13 + 2] |= 0x80;
  ASSERT_TRUE(key().createKeyValue("KeyTranslatorMap", rgbyStored, sizeof(rgbyStored)));
  QuilbarProfile loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  EXPECT_EQ(dumpKeyTranslators(KeyTranslatorMap()), dumpKeyTranslators(loaded.getKeyTranslatorMap()));
}
}  // namespace
