// Load and save of the engine's records (criteria, data edit formats, input data replacements)
// against the in-memory hive natively and the real registry under Wine.
#include "ProfileDump.h"
#include "base/RegistryApi.h"
#include "RegistryFill.h"
#include "ScratchKey.h"
#include "engine/DataEditFormatMap.h"
#include "engine/ReplacementMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
const char kszCorruptedFormats[] =
    "Data edit formats stored in the registry are corrupted. Duplicate or non-consecutive values "
    "of the attribute order. Manual editing or import of registry settings has probably caused "
    "this.";
const char kszCorruptedReplacements[] =
    "Replacement strings stored in the registry are corrupted. Duplicate or non-consecutive values "
    "of the attribute order. Manual editing or import of registry settings has probably caused "
    "this.";

class RecordRegistryTest : public ::testing::Test
{
protected:
  RecordRegistryTest() : m_scratch(currentTestKeyName()) {}

  Registry& key() { return m_scratch.key(); }
  const std::string& path() const { return m_scratch.path(); }

  std::string failedToRead(const char* pszValue, const std::string& strSubKey) const
  {
    return std::string("Failed to read the registry key ") + pszValue + " from subkey " + path()
           + "\\" + strSubKey + ".";
  }

  std::string invalidValue(const char* pszValue, const std::string& strSubKey) const
  {
    return std::string("Invalid value in registry key ") + pszValue + " in subkey " + path()
           + "\\" + strSubKey + ".";
  }

  // Loads one criterion from the sub-key; the message on failure.
  bool loadCriteria(const std::string& strSubKey, Criteria& criteria, std::string& strError)
  {
    Registry sub;
    EXPECT_TRUE(key().openSubKey(strSubKey, sub, Registry::kdwAccessRead));
    return criteria.loadFromRegistry(sub, strError);
  }

  ScratchKey m_scratch;
};

std::unique_ptr<Criteria> makeCriteria(int nKind, int nMin, int nMax, int nStart,
                                       const char* pszExpr, const char* pszPresent,
                                       const char* pszAbsent)
{
  auto p = std::make_unique<Criteria>();
  if (nKind == 1)
    p->setKindStringExpression();
  else if (nKind == 2)
    p->setKindEAN128();
  p->setMinLength(nMin);
  p->setMaxLength(nMax);
  p->setStartPosition(nStart);
  p->setExpression(pszExpr);
  p->setFieldsPresent(pszPresent);
  p->setFieldsNotPresent(pszAbsent);
  return p;
}

std::unique_ptr<DataEditFormat> makeFormat(const char* pszName, int nOrder, const char* pszOutput)
{
  auto p = std::make_unique<DataEditFormat>();
  p->setName(pszName);
  p->setOrder(nOrder);
  p->setOutput(pszOutput);
  return p;
}

std::unique_ptr<Replacement> makeReplacement(int nOrder, const char* pszInput, const char* pszReplace)
{
  auto p = std::make_unique<Replacement>();
  p->setOrder(nOrder);
  p->setInput(pszInput);
  p->setReplace(pszReplace);
  return p;
}

TEST_F(RecordRegistryTest, CriteriaOfEveryKindRoundTripWithAllFields)
{
  CriteriaMap map;
  ASSERT_TRUE(map.add(makeCriteria(0, 3, 12, 2, "unused", "01", "")));
  ASSERT_TRUE(map.add(makeCriteria(1, 1, 1, 4, "AB*<CR>\\x1D", "", "")));
  ASSERT_TRUE(map.add(makeCriteria(2, 5, 9, 1, "", "01, \"10\"", "21")));
  ASSERT_TRUE(map.saveToRegistry(key()));

  TextList rgSubKeys;
  ASSERT_TRUE(key().getSubKeys(rgSubKeys));
  std::sort(rgSubKeys.begin(), rgSubKeys.end());
  EXPECT_EQ((TextList{"Criteria0", "Criteria1", "Criteria2"}), rgSubKeys);

  CriteriaMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  EXPECT_EQ(dumpCriteriaMap(map), dumpCriteriaMap(loaded));
}

TEST_F(RecordRegistryTest, CriteriaValuesAreStoredUnderTheirNamesAndTypes)
{
  Registry sub;
  ASSERT_TRUE(key().createSubKey("Criteria0", sub));
  ASSERT_TRUE(makeCriteria(1, 2, 3, 4, "X*", "01", "02")->saveToRegistry(sub));
  uint32_t dwValue = 0;
  std::string strText;
  EXPECT_TRUE(sub.getKeyValue("Type", dwValue));
  EXPECT_EQ(1u, dwValue);
  EXPECT_TRUE(sub.getKeyValue("MinLength", dwValue));
  EXPECT_EQ(2u, dwValue);
  EXPECT_TRUE(sub.getKeyValue("MaxLength", dwValue));
  EXPECT_EQ(3u, dwValue);
  EXPECT_TRUE(sub.getKeyValue("StartPosition", dwValue));
  EXPECT_EQ(4u, dwValue);
  EXPECT_TRUE(sub.getKeyValue("Expression", strText));
  EXPECT_EQ("X*", strText);
  EXPECT_TRUE(sub.getKeyValue("FieldsPresent", strText));
  EXPECT_EQ("01", strText);
  EXPECT_TRUE(sub.getKeyValue("FieldsNotPresent", strText));
  EXPECT_EQ("02", strText);
}

TEST_F(RecordRegistryTest, CriteriaLoadFailuresNameTheValueAndTheKey)
{
  struct Row
  {
    const char* pszCase;
    std::vector<StoredValue> values;
    bool fInvalid;
    const char* pszValue;
  };
  const Row rgRows[] = {
      {"no Type", {{"MinLength", 1u}, {"MaxLength", 1u}, {"StartPosition", 1u}, {"Expression", "*"}}, false, "Type"},
      {"no MinLength", {{"Type", 0u}, {"MaxLength", 1u}, {"StartPosition", 1u}, {"Expression", "*"}}, false, "MinLength"},
      {"MinLength 0", {{"Type", 0u}, {"MinLength", 0u}, {"MaxLength", 1u}, {"StartPosition", 1u}, {"Expression", "*"}}, true, "MinLength"},
      {"no MaxLength", {{"Type", 0u}, {"MinLength", 1u}, {"StartPosition", 1u}, {"Expression", "*"}}, false, "MaxLength"},
      {"MaxLength 2^31", {{"Type", 0u}, {"MinLength", 1u}, {"MaxLength", 0x80000000u}, {"StartPosition", 1u}, {"Expression", "*"}}, true, "MaxLength"},
      {"no StartPosition", {{"Type", 1u}, {"MinLength", 1u}, {"MaxLength", 1u}, {"Expression", "*"}}, false, "StartPosition"},
      {"StartPosition 0", {{"Type", 1u}, {"MinLength", 1u}, {"MaxLength", 1u}, {"StartPosition", 0u}, {"Expression", "*"}}, true, "StartPosition"},
      {"no Expression", {{"Type", 1u}, {"MinLength", 1u}, {"MaxLength", 1u}, {"StartPosition", 1u}}, false, "Expression"},
      {"Expression as number", {{"Type", 1u}, {"MinLength", 1u}, {"MaxLength", 1u}, {"StartPosition", 1u}, {"Expression", 5u}}, false, "Expression"},
      {"MinLength as text", {{"Type", 1u}, {"MinLength", "1"}, {"MaxLength", 1u}, {"StartPosition", 1u}, {"Expression", "*"}}, false, "MinLength"},
  };
  int nRow = 0;
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    std::string strSubKey = "Criteria" + std::to_string(nRow++);
    ASSERT_TRUE(plantKey(key(), strSubKey, row.values));
    Criteria criteria;
    std::string strError;
    EXPECT_FALSE(loadCriteria(strSubKey, criteria, strError));
    EXPECT_EQ(row.fInvalid ? invalidValue(row.pszValue, strSubKey) : failedToRead(row.pszValue, strSubKey),
              strError);
  }
}

TEST_F(RecordRegistryTest, UnknownCriteriaTypeKeepsTheKindAndMissingFieldListsAreEmpty)
{
  ASSERT_TRUE(plantKey(key(), "Criteria0",
                       {{"Type", 7u}, {"MinLength", 2u}, {"MaxLength", 4u}, {"StartPosition", 1u}, {"Expression", ""}}));
  Criteria criteria;
  criteria.setFieldsPresent("stale");
  std::string strError;
  ASSERT_TRUE(loadCriteria("Criteria0", criteria, strError)) << strError;
  EXPECT_TRUE(criteria.isKindLength());
  EXPECT_EQ("Length (min = 2, max = 4)", criteria.getDescription());
  EXPECT_EQ("", criteria.getFieldsPresent());
  EXPECT_EQ("", criteria.getFieldsNotPresent());
}

TEST_F(RecordRegistryTest, CriteriaMapTakesEverySubKeyAndRefusesDuplicates)
{
  ASSERT_TRUE(plantKey(key(), "Criteria0",
                       {{"Type", 0u}, {"MinLength", 1u}, {"MaxLength", 5u}, {"StartPosition", 1u}, {"Expression", ""}}));
  ASSERT_TRUE(plantKey(key(), "Whatever",
                       {{"Type", 0u}, {"MinLength", 1u}, {"MaxLength", 5u}, {"StartPosition", 1u}, {"Expression", ""}}));
  CriteriaMap map;
  std::string strError;
  EXPECT_FALSE(map.loadFromRegistry(key(), strError));
  EXPECT_EQ("Failed to add criteria Length (min = 1, max = 5) to criteria map.", strError);
  EXPECT_EQ(1, map.getCount()) << "criteria loaded before the failure stay";

  ASSERT_TRUE(key().deleteSubKey("Whatever"));
  ASSERT_TRUE(plantKey(key(), "Foreign", {{"Other", 1u}}));
  EXPECT_FALSE(map.loadFromRegistry(key(), strError));
  EXPECT_EQ(failedToRead("Type", "Foreign"), strError);
}

TEST_F(RecordRegistryTest, FormatsRoundTripWithTheirCriteria)
{
  DataEditFormatMap map;
  std::unique_ptr<DataEditFormat> pFirst = makeFormat("First", 1, "Input() + \"<cr>\"");
  pFirst->getCriteriaMap().add(makeCriteria(0, 1, 20, 1, "", "", ""));
  pFirst->getCriteriaMap().add(makeCriteria(1, 1, 1, 3, "9*", "", ""));
  std::unique_ptr<DataEditFormat> pSecond = makeFormat("Second", 0, "Mid(Input(), 2, 3)");
  pSecond->getCriteriaMap().add(makeCriteria(2, 1, 1, 1, "", "01", "10,21"));
  ASSERT_TRUE(map.add("First", std::move(pFirst)));
  ASSERT_TRUE(map.add("Second", std::move(pSecond)));
  ASSERT_TRUE(map.saveToRegistry(key()));

  DataEditFormatMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  EXPECT_EQ(dumpFormats(map), dumpFormats(loaded));
}

TEST_F(RecordRegistryTest, FormatLoadFailuresNameTheValueAndTheKey)
{
  struct Row
  {
    const char* pszCase;
    std::vector<StoredValue> values;
    const char* pszValue;
  };
  const Row rgRows[] = {
      {"no Name", {{"Order", 0u}, {"Output", "x"}}, "Name"},
      {"no Order", {{"Name", "A"}, {"Output", "x"}}, "Order"},
      {"Order as text", {{"Name", "A"}, {"Order", "0"}, {"Output", "x"}}, "Order"},
      {"no Output", {{"Name", "A"}, {"Order", 0u}}, "Output"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    ASSERT_TRUE(plantKey(key(), "DataEditFormat0", row.values));
    DataEditFormatMap map;
    std::string strError;
    EXPECT_FALSE(map.loadFromRegistry(key(), strError));
    EXPECT_EQ(failedToRead(row.pszValue, "DataEditFormat0"), strError);
    ASSERT_TRUE(key().deleteSubKey("DataEditFormat0"));
  }
}

TEST_F(RecordRegistryTest, FormatOrdersMustBeConsecutiveFromZero)
{
  struct Row
  {
    const char* pszCase;
    std::vector<uint32_t> rgOrders;
    bool fLoads;
  };
  const Row rgRows[] = {
      {"0, 1", {0, 1}, true},
      {"1, 0", {1, 0}, true},
      {"0, 2", {0, 2}, false},
      {"0, 0", {0, 0}, false},
      {"1 alone", {1}, false},
      {"2147483648", {0x80000000u}, false},
      {"4294967295", {0xFFFFFFFFu}, false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    for (size_t i = 0; i < row.rgOrders.size(); ++i)
    {
      std::string strName = "F" + std::to_string(i);
      ASSERT_TRUE(plantKey(key(), "DataEditFormat" + std::to_string(i),
                           {{"Name", strName.c_str()}, {"Order", row.rgOrders[i]}, {"Output", ""}}));
    }
    DataEditFormatMap map;
    std::string strError;
    EXPECT_EQ(row.fLoads, map.loadFromRegistry(key(), strError));
    EXPECT_EQ(row.fLoads ? "" : kszCorruptedFormats, strError);
    for (size_t i = 0; i < row.rgOrders.size(); ++i)
      key().deleteSubKey("DataEditFormat" + std::to_string(i));
  }
}

TEST_F(RecordRegistryTest, OnlyDataEditFormatSubKeysAreFormats)
{
  ASSERT_TRUE(plantKey(key(), "DataEditFormatX", {{"Name", "X"}, {"Order", 0u}, {"Output", "o"}}));
  ASSERT_TRUE(plantKey(key(), "Other", {{"Name", "Y"}}));
  ASSERT_TRUE(plantKey(key(), "dataeditformat9", {{"Junk", 1u}}));
  ASSERT_TRUE(plantKey(key(), "Replacement0", {{"Order", 0u}, {"Input", "a"}, {"Replace", "b"}}));
  DataEditFormatMap map;
  std::string strError;
  ASSERT_TRUE(map.loadFromRegistry(key(), strError)) << strError;
  ASSERT_EQ(1, map.getCount());
  EXPECT_NE(nullptr, map.lookup("X"));
}

TEST_F(RecordRegistryTest, DuplicateFormatNamesFailTheLoad)
{
  ASSERT_TRUE(plantKey(key(), "DataEditFormat0", {{"Name", "Same"}, {"Order", 0u}, {"Output", ""}}));
  ASSERT_TRUE(plantKey(key(), "DataEditFormat1", {{"Name", "Same"}, {"Order", 1u}, {"Output", ""}}));
  DataEditFormatMap map;
  std::string strError;
  EXPECT_FALSE(map.loadFromRegistry(key(), strError));
  EXPECT_EQ("Failed to add data edit format Same to the data edit format map.", strError);
  EXPECT_EQ(1, map.getCount());
}

TEST_F(RecordRegistryTest, FormatCriteriaFailureReportsTheCriteriaMessage)
{
  ASSERT_TRUE(plantKey(key(), "DataEditFormat0", {{"Name", "A"}, {"Order", 0u}, {"Output", ""}}));
  ASSERT_TRUE(plantKey(key(), "DataEditFormat0\\Criteria0", {{"Type", 0u}}));
  DataEditFormatMap map;
  std::string strError;
  EXPECT_FALSE(map.loadFromRegistry(key(), strError));
  EXPECT_EQ(failedToRead("MinLength", "DataEditFormat0\\Criteria0"), strError);
}

TEST_F(RecordRegistryTest, ReplacementsRoundTrip)
{
  ReplacementMap map;
  ASSERT_TRUE(map.add(makeReplacement(0, "ab", "b")));
  ASSERT_TRUE(map.add(makeReplacement(1, "<CR><LF>", "")));
  ASSERT_TRUE(map.add(makeReplacement(2, "\\x1D", "|")));
  ASSERT_TRUE(map.saveToRegistry(key()));
  TextList rgSubKeys;
  ASSERT_TRUE(key().getSubKeys(rgSubKeys));
  std::sort(rgSubKeys.begin(), rgSubKeys.end());
  EXPECT_EQ((TextList{"Replacement0", "Replacement1", "Replacement2"}), rgSubKeys);

  ReplacementMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadFromRegistry(key(), strError)) << strError;
  EXPECT_EQ(dumpReplacements(map), dumpReplacements(loaded));
}

TEST_F(RecordRegistryTest, ReplacementKeyNumbersCarryNoMeaning)
{
  ASSERT_TRUE(plantKey(key(), "Replacement7", {{"Order", 1u}, {"Input", "b"}, {"Replace", "c"}}));
  ASSERT_TRUE(plantKey(key(), "Replacement12", {{"Order", 0u}, {"Input", "a"}, {"Replace", "b"}}));
  ASSERT_TRUE(plantKey(key(), "DataEditFormat0", {{"Name", "ignored here"}}));
  ReplacementMap map;
  std::string strError;
  ASSERT_TRUE(map.loadFromRegistry(key(), strError)) << strError;
  std::string strData = "a";
  EXPECT_EQ(2, map.applyReplacements(strData));
  EXPECT_EQ("c", strData);
}

TEST_F(RecordRegistryTest, ReplacementLoadFailures)
{
  struct Row
  {
    const char* pszCase;
    std::vector<std::vector<StoredValue>> rgKeys;
    std::string strError;
  };
  const std::string strSub = "Replacement0";
  const Row rgRows[] = {
      {"no Order", {{{"Input", "a"}, {"Replace", "b"}}}, failedToRead("Order", strSub)},
      {"no Input", {{{"Order", 0u}, {"Replace", "b"}}}, failedToRead("Input", strSub)},
      {"no Replace", {{{"Order", 0u}, {"Input", "a"}}}, failedToRead("Replace", strSub)},
      {"orders 0, 2", {{{"Order", 0u}, {"Input", "a"}, {"Replace", ""}}, {{"Order", 2u}, {"Input", "b"}, {"Replace", ""}}},
       kszCorruptedReplacements},
      {"order 2^31", {{{"Order", 0x80000000u}, {"Input", "a"}, {"Replace", ""}}}, kszCorruptedReplacements},
      {"same texts", {{{"Order", 0u}, {"Input", "a"}, {"Replace", "b"}}, {{"Order", 1u}, {"Input", "a"}, {"Replace", "b"}}},
       "Failed to add the input data replacement a\tb to the replacement map. Two registry subkeys hold the same texts."},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    for (size_t i = 0; i < row.rgKeys.size(); ++i)
      ASSERT_TRUE(plantKey(key(), "Replacement" + std::to_string(i), row.rgKeys[i]));
    ReplacementMap map;
    std::string strError;
    EXPECT_FALSE(map.loadFromRegistry(key(), strError));
    EXPECT_EQ(row.strError, strError);
    for (size_t i = 0; i < row.rgKeys.size(); ++i)
      key().deleteSubKey("Replacement" + std::to_string(i));
  }
}
}  // namespace

namespace
{
// A key opened to read values only cannot list its sub-keys: every map reports that with the
// key's path. A sub-key whose name holds a double quote is listed but cannot be opened by name
// (quotes group path components), which is how a foreign key can make the open fail.
class RecordSubKeyFailureTest : public RecordRegistryTest
{
protected:
  static constexpr uint32_t kdwQueryValueOnly = 0x0001;

  std::string failedToGetSubKeys() const { return "Failed to get subkeys of " + path() + "."; }
  std::string failedToOpen(const char* pszSubKey) const
  {
    return "Failed to open registry subkey " + path() + "\\" + pszSubKey + ".";
  }

  // Creates a sub-key of exactly this name through the system call, bypassing path parsing.
  bool plantRawNamedKey(const char* pszSubKey)
  {
    std::string strRelative = path().substr(std::string("HKEY_LOCAL_MACHINE\\").size()) + "\\" + pszSubKey;
    void* hkKey = nullptr;
    if (regapi::createKey(regapi::rootKey(regapi::Root::LocalMachine), strRelative.c_str(),
                          Registry::kdwAccessAll, hkKey) != regapi::kSuccess)
      return false;
    regapi::closeKey(hkKey);
    return true;
  }
};

TEST_F(RecordSubKeyFailureTest, MapsReportUnlistableKeys)
{
  Registry valuesOnly;
  ASSERT_TRUE(valuesOnly.openKey(path(), kdwQueryValueOnly));
  std::string strError;
  CriteriaMap criteria;
  EXPECT_FALSE(criteria.loadFromRegistry(valuesOnly, strError));
  EXPECT_EQ(failedToGetSubKeys(), strError);
  DataEditFormatMap formats;
  strError.clear();
  EXPECT_FALSE(formats.loadFromRegistry(valuesOnly, strError));
  EXPECT_EQ(failedToGetSubKeys(), strError);
  ReplacementMap replacements;
  strError.clear();
  EXPECT_FALSE(replacements.loadFromRegistry(valuesOnly, strError));
  EXPECT_EQ(failedToGetSubKeys(), strError);
}

TEST_F(RecordSubKeyFailureTest, MapsReportSubKeysThatCannotBeOpened)
{
  struct Row
  {
    const char* pszSubKey;
    bool (*pfnLoad)(const Registry&, std::string&);
  };
  const Row rgRows[] = {
      {"Criteria\"0", [](const Registry& key, std::string& strError) {
         CriteriaMap map;
         return map.loadFromRegistry(key, strError);
       }},
      {"DataEditFormat\"0", [](const Registry& key, std::string& strError) {
         DataEditFormatMap map;
         return map.loadFromRegistry(key, strError);
       }},
      {"Replacement\"0", [](const Registry& key, std::string& strError) {
         ReplacementMap map;
         return map.loadFromRegistry(key, strError);
       }},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszSubKey);
    ASSERT_TRUE(plantRawNamedKey(row.pszSubKey));
    std::string strError;
    EXPECT_FALSE(row.pfnLoad(key(), strError));
    EXPECT_EQ(failedToOpen(row.pszSubKey), strError);
    EXPECT_TRUE(key().deleteSubKey(row.pszSubKey)) << "deletion takes the name as listed";
  }
}
}  // namespace
