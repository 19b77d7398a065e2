#include "engine/EAN128.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{
using Fields = std::vector<std::pair<std::string, std::string>>;

const std::string kstrGS = "\x1D";

Fields fieldsOf(const EAN128& parser)
{
  Fields fields;
  for (int i = 0; i < parser.getFieldCount(); ++i)
    fields.emplace_back(parser.getFieldAI(i), parser.getFieldValue(i));
  return fields;
}

struct ParseRow
{
  std::string strData;
  bool fOk;
  Fields fields;  // the slots after the parse, also after a failure
  std::string strError;
};

void checkRows(const std::vector<ParseRow>& rgRows)
{
  for (const ParseRow& row : rgRows)
  {
    SCOPED_TRACE("data: " + row.strData);
    EAN128 parser;
    EXPECT_EQ(row.fOk, parser.parse(row.strData));
    EXPECT_EQ(row.fields, fieldsOf(parser));
    if (row.fOk)
      EXPECT_EQ(nullptr, parser.getError());
    else
    {
      ASSERT_NE(nullptr, parser.getError());
      EXPECT_EQ(row.strError, parser.getError());
    }
  }
}
}  // namespace

TEST(EAN128Test, SplitsElements)
{
  checkRows({
    {"", true, {}, ""},
    {"0101234567890128" "10ABC", true, {{"01", "01234567890128"}, {"10", "ABC"}}, ""},
    {"10ABC" + kstrGS + "21XY", true, {{"10", "ABC"}, {"21", "XY"}}, ""},
    {"10ABC", true, {{"10", "ABC"}}, ""},
    {"10" + kstrGS + "21XY", true, {{"10", ""}, {"21", "XY"}}, ""},
    {"10ABC" + kstrGS, true, {{"10", "ABC"}}, ""},
    {"00123456789012345675", true, {{"00", "123456789012345675"}}, ""},
    {"3103000150", true, {{"310", "0.150"}}, ""},
    {"3100000150", true, {{"310", "150"}}, ""},
    {"3102001234", true, {{"310", "12.34"}}, ""},
    {"3106000150", true, {{"310", "0.000150"}}, ""},
    {"3109123456", true, {{"310", "0.000123456"}}, ""},
    {"310X000150", true, {{"310", "150"}}, ""},
    {"3922123456789", true, {{"392", "1234567.89"}}, ""},
    {"3920", false, {}, "The AI expects at least 1 characters to follow AI, there's only 0 characters."},
    {"39220", true, {{"392", "0.00"}}, ""},
    {"3912978000012345", true, {{"391", "978"}, {"391", "123.45"}}, ""},
    {"8006123456789012340102", true, {{"8006", "12345678901234"}, {"8006", "01"}, {"8006", "02"}}, ""},
    {"8003123456789012341A2", true, {{"8003", "12345678901234"}, {"8003", "1A2"}}, ""},
    {"7030276ABC", true, {{"7030", "276"}, {"7030", "ABC"}}, ""},
    {"99a\"%&'()*+,-./:;<=>?_", true, {{"99", "a\"%&'()*+,-./:;<=>?_"}}, ""},
  });
}

// Decimal AIs carry amounts of up to 15 digits; they must come out digit for digit.
TEST(EAN128Test, RendersLongDecimalValuesExactly)
{
  checkRows({
    {"3902123456789012345", true, {{"390", "1234567890123.45"}}, ""},
    {"3920999999999999999", true, {{"392", "999999999999999"}}, ""},
    {"3909000000000000001", true, {{"390", "0.000000001"}}, ""},
    {"3903004294967296", true, {{"390", "4294967.296"}}, ""},
    {"3932978002147483648", true, {{"393", "978"}, {"393", "21474836.48"}}, ""},
  });
}

TEST(EAN128Test, ReportsFaultsWithTheirTexts)
{
  checkRows({
    {"0101234567890128" + kstrGS + "10ABC", false, {{"01", "01234567890128"}},
     "Invalid AI identifier (\x1D" "10AB...)"},
    {"10", false, {}, "The AI expects at least 1 characters to follow AI, there's only 0 characters."},
    {"01123", false, {}, "The AI expects 14 characters to follow AI, there's only 3 characters."},
    {"10AB C", false, {}, "Data must be alphanumeric [AB C]"},
    {"11ABCDEF", false, {}, "Data must be numeric [ABCDEF]"},
    {"]C1" "0101234567890128", false, {}, "Invalid AI identifier (]C101...)"},
    {kstrGS + "0101234567890128", false, {}, "Invalid AI identifier (\x1D" "0101...)"},
    {"05", false, {}, "Invalid AI identifier (05...)"},
    {"1", false, {}, "Invalid AI identifier (1...)"},
    {"10ABC" + kstrGS + "2", false, {{"10", "ABC"}}, "Invalid AI identifier (2...)"},
    {"10A\xE9", false, {}, "Data must be alphanumeric [A\xE9]"},
    {"310", false, {}, "The AI expects 1 characters to follow AI, there's only 0 characters."},
    {"3103", false, {}, "The AI expects 6 characters to follow AI, there's only 0 characters."},
    {"391297", false, {}, "The AI expects 3 characters to follow AI, there's only 2 characters."},
    {"3912978", false, {{"391", "978"}},
     "The AI expects at least 1 characters to follow AI, there's only 0 characters."},
    {"8006123456789012340", false, {{"8006", "12345678901234"}},
     "The AI expects 2 characters to follow AI, there's only 1 characters."},
    {"3913AB0001", false, {}, "Data must be numeric [AB0]"},
    {"0101234567890128" "11ABCDEF", false, {{"01", "01234567890128"}}, "Data must be numeric [ABCDEF]"},
  });
}

// GS1 requires a separator after a fixed-length element whose length it does not predefine, and
// scanners send it; it must not break the label. After predefined lengths it stays a fault.
TEST(EAN128Test, SkipsTheSeparatorAfterFixedElementsOfUnpredefinedLength)
{
  const std::vector<std::pair<std::string, std::string>> rgElements = {
    {"252", "123456789012345678901234567"}, {"402", "12345678901234567"}, {"422", "276"},
    {"424", "276"}, {"425", "276"}, {"426", "276"}, {"7001", "1234567890123"},
    {"8001", "12345678901234"}, {"8005", "123456"}, {"8018", "123456789012345678"},
    {"8100", "123456"}, {"8102", "12"},
  };
  for (const auto& element : rgElements)
  {
    SCOPED_TRACE("AI " + element.first);
    EAN128 parser;
    ASSERT_TRUE(parser.parse(element.first + element.second + kstrGS + "21XY")) << parser.getError();
    EXPECT_STREQ("21", parser.getFieldAI(parser.getFieldCount() - 1));
    EXPECT_STREQ("XY", parser.getField("21"));
  }
  checkRows({
    {"8006123456789012340102" + kstrGS + "10AB", true,
     {{"8006", "12345678901234"}, {"8006", "01"}, {"8006", "02"}, {"10", "AB"}}, ""},
    {"81011123451234" + kstrGS + "10AB", true,
     {{"8101", "1"}, {"8101", "12345"}, {"8101", "1234"}, {"10", "AB"}}, ""},
    {"422276" + kstrGS, true, {{"422", "276"}}, ""},
    {"422276" "21XY", true, {{"422", "276"}, {"21", "XY"}}, ""},
    {"422276" + kstrGS + kstrGS + "21XY", false, {{"422", "276"}}, "Invalid AI identifier (\x1D" "21XY...)"},
    {"1112345" + std::string("6") + kstrGS + "21XY", false, {{"11", "123456"}},
     "Invalid AI identifier (\x1D" "21XY...)"},
    {"3103000150" + kstrGS + "21XY", false, {{"310", "0.150"}}, "Invalid AI identifier (\x1D" "21XY...)"},
    {"2012" + kstrGS + "21XY", false, {{"20", "12"}}, "Invalid AI identifier (\x1D" "21XY...)"},
    {"4101234567890123" + kstrGS + "21XY", false, {{"410", "1234567890123"}},
     "Invalid AI identifier (\x1D" "21XY...)"},
  });
}

// The slots are fixed; more or longer elements must be refused, never written past.
TEST(EAN128Test, RefusesDataTheSlotsCannotHold)
{
  std::string strTen;
  for (int i = 0; i < 10; ++i)
    strTen += "20" + std::to_string(10 + i);
  EAN128 parser;
  ASSERT_TRUE(parser.parse(strTen));
  EXPECT_EQ(10, parser.getFieldCount());
  EXPECT_STREQ("19", parser.getFieldValue(9));

  EXPECT_FALSE(parser.parse(strTen + "2020"));
  EXPECT_EQ(10, parser.getFieldCount());
  EXPECT_STREQ("The data holds more than 10 fields.", parser.getError());

  std::string strNinety(90, 'A');
  ASSERT_TRUE(parser.parse("10" + strNinety));
  EXPECT_EQ(strNinety, parser.getField("10"));
  EXPECT_FALSE(parser.parse("10" + strNinety + "B"));
  EXPECT_EQ(0, parser.getFieldCount());
  EXPECT_STREQ("The value of AI 10 is longer than 90 characters.", parser.getError());
}

TEST(EAN128Test, GetFieldReturnsTheFirstSlotWithExactlyThatAI)
{
  EAN128 parser;
  EXPECT_EQ(nullptr, parser.getField("10"));
  ASSERT_TRUE(parser.parse("3912978000012345" + kstrGS + "10ABC"));
  EXPECT_STREQ("978", parser.getField("391"));
  EXPECT_STREQ("ABC", parser.getField("10"));
  EXPECT_EQ(nullptr, parser.getField("3912"));
  EXPECT_EQ(nullptr, parser.getField("1"));
  EXPECT_EQ(nullptr, parser.getField(""));

  // A new parse starts from no elements, and a failure keeps the error of the last one.
  EXPECT_FALSE(parser.parse("99"));
  EXPECT_EQ(nullptr, parser.getField("10"));
  EXPECT_STREQ("The AI expects at least 1 characters to follow AI, there's only 0 characters.",
               parser.getError());
  EXPECT_FALSE(parser.parse("05"));
  EXPECT_STREQ("Invalid AI identifier (05...)", parser.getError());
}

TEST(EAN128Test, TableHoldsEveryAIOnceInLookupOrder)
{
  std::set<std::string> setAIs;
  for (const EAN128::AIDefinition& definition : EAN128::krgAIDefinitions)
  {
    SCOPED_TRACE(definition.pszAI);
    EXPECT_TRUE(setAIs.insert(definition.pszAI).second);
    EXPECT_EQ(&definition, EAN128::findAIDefinition(definition.pszAI));
    EXPECT_GT(std::strlen(definition.pszDescription), 0u);
    EXPECT_GT(std::strlen(definition.pszTitle), 0u);
    // The first specifier describes the printed AI: the decimal rows print a fourth digit.
    size_t nPrinted = std::strlen(definition.pszAI) + (definition.nDecimalPoint == 0 ? 1 : 0);
    EXPECT_EQ("n" + std::to_string(nPrinted) + "+",
              std::string(definition.pszFormat).substr(0, 3));
  }
  EXPECT_EQ(231u, setAIs.size());

  struct Row
  {
    const char* pszAI;
    const char* pszFormat;
    int nDecimalPoint;
  } rgRows[] = {
    {"00", "n2+n18", -1}, {"02", "n2+n14", -1}, {"21", "n2+an..20", -1}, {"17", "n2+n6", -1},
    {"20", "n2+n2", -1}, {"22", "n2+an..20", -1}, {"403", "n3+an..30", -1}, {"252", "n3+n27", -1},
    {"37", "n2+n..8", -1}, {"316", "n4+n6", 0}, {"337", "n4+n6", 0}, {"369", "n4+n6", 0},
    {"392", "n4+n..15", 0}, {"393", "n4+n3+n..15", 0}, {"402", "n3+n17", -1},
    {"415", "n3+n13", -1}, {"420", "n3+an..20", -1}, {"421", "n3+n3+an..9", -1},
    {"426", "n3+n3", -1}, {"423", "n3+n3+[n..12]", -1}, {"7001", "n4+n13", -1},
    {"8007", "n4+an..34", -1}, {"7039", "n4+n3+an..27", -1}, {"8001", "n4+n14", -1},
    {"8002", "n4+an..20", -1}, {"8003", "n4+n14+[an..16]", -1}, {"8005", "n4+n6", -1},
    {"8006", "n4+n14+n2+n2", -1}, {"8008", "n4+n8+[n..4]", -1}, {"8018", "n4+n18", -1},
    {"8020", "n4+an..25", -1}, {"8100", "n4+n1+n5", -1}, {"8101", "n4+n1+n5+n4", -1},
    {"8102", "n4+n1+n1", -1}, {"90", "n2+an..30", -1}, {"99", "n2+an..90", -1},
    {"425", "n3+n3+[n..12]", -1}, {"16", "n2+n6", -1}, {"235", "n3+an..28", -1}, {"394", "n4+n4", 0},
    {"4300", "n4+an..35", -1}, {"4309", "n4+n10+n10", -1}, {"7011", "n4+n6+[n4]", -1},
    {"715", "n3+an..20", -1}, {"7240", "n4+an..20", -1}, {"8010", "n4+y..30", -1}, {"8030", "n4+z..90", -1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszAI);
    const EAN128::AIDefinition* pDefinition = EAN128::findAIDefinition(row.pszAI);
    ASSERT_NE(nullptr, pDefinition);
    EXPECT_STREQ(row.pszAI, pDefinition->pszAI);
    EXPECT_STREQ(row.pszFormat, pDefinition->pszFormat);
    EXPECT_EQ(row.nDecimalPoint, pDefinition->nDecimalPoint);
  }
  EXPECT_STREQ("SSCC", EAN128::findAIDefinition("00")->pszTitle);
  EXPECT_STREQ("kilograms", EAN128::findAIDefinition("3102")->pszUnit);
  EXPECT_STREQ("REF No", EAN128::findAIDefinition("8020")->pszTitle);
  for (const char* pszUnknown : {"14", "23", "38", "404", "4329", "7042", "717", "8103", "8201", "9"})
  {
    SCOPED_TRACE(pszUnknown);
    EXPECT_EQ(nullptr, EAN128::findAIDefinition(pszUnknown));
  }
}

// The table follows GS1's current table of Application Identifiers. Data the earlier table read must read
// the same (stored formats rely on it); the AIs GS1 added, and the values it made optional, read
// as GS1 defines them.
TEST(EAN128Test, ReadsTheCurrentAITable)
{
  checkRows({
    // Values that became optional: absent at the end or before a separator.
    {"423276", true, {{"423", "276"}}, ""},
    {"423276" "208", true, {{"423", "276"}, {"423", "208"}}, ""},
    {"425276" "10AB", true, {{"425", "276"}, {"10", "AB"}}, ""},
    {"425276" "208" + kstrGS + "10AB", true, {{"425", "276"}, {"425", "208"}, {"10", "AB"}}, ""},
    {"800301234567890128", true, {{"8003", "01234567890128"}}, ""},
    {"800301234567890128" + kstrGS + "21XY", true, {{"8003", "01234567890128"}, {"21", "XY"}}, ""},
    {"800301234567890128" "A1", true, {{"8003", "01234567890128"}, {"8003", "A1"}}, ""},
    {"800826123114", true, {{"8008", "26123114"}}, ""},
    {"8008261231143015", true, {{"8008", "26123114"}, {"8008", "3015"}}, ""},
    {"22ABC-1", true, {{"22", "ABC-1"}}, ""},
    // AIs the earlier table lacked.
    {"16261231", true, {{"16", "261231"}}, ""},
    {"0109501101530003" "235XYZ", true, {{"01", "09501101530003"}, {"235", "XYZ"}}, ""},
    {"4300ACME" + kstrGS + "43071DE", false, {{"4300", "ACME"}, {"4307", "1D"}}, "Invalid AI identifier (E...)"},
    {"4300ACME" + kstrGS + "4307DE", true, {{"4300", "ACME"}, {"4307", "DE"}}, ""},
    {"70112612311230", true, {{"7011", "261231"}, {"7011", "1230"}}, ""},
    {"7011261231" + kstrGS + "10AB", true, {{"7011", "261231"}, {"10", "AB"}}, ""},
    {"39422500", true, {{"394", "25.00"}}, ""},
    {"8010AB#-/1", true, {{"8010", "AB#-/1"}}, ""},
    {"8010ab", false, {}, "Data must be alphanumeric [ab]"},
    {"8030Ab-_09=", true, {{"8030", "Ab-_09="}}, ""},
    {"8030A+B", false, {}, "Data must be alphanumeric [A+B]"},
    {"7040" "1ABC", true, {{"7040", "1"}, {"7040", "ABC"}}, ""},
    {"714ABC", true, {{"714", "ABC"}}, ""},
    {"7240PROT", true, {{"7240", "PROT"}}, ""},
    {"4330012345" "-", true, {{"4330", "012345"}, {"4330", "-"}}, ""},
    {"99" + std::string(90, 'z'), true, {{"99", std::string(90, 'z')}}, ""},
  });
}
