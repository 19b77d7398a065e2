#include "engine/GS1Normaliser.h"

#include "engine/GS1ElementString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Form = GS1Normaliser::Form;

const uint32_t kAll = GS1Normaliser::kSymbologyIdentifiers | GS1Normaliser::kBracketedForm |
                      GS1Normaliser::kDigitalLink;
const std::string kstrGS = "\x1D";

struct Row
{
  std::string strInput;
  uint32_t dwForms;
  std::string strText;       // expected text after the step
  std::string strSymbology;
  Form form;
  std::string strWhy;        // expected reason a text was left as it is, or empty
};

void checkRows(const std::vector<Row>& rgRows)
{
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.strInput + " with forms " + std::to_string(row.dwForms));
    GS1Normaliser::Result result = GS1Normaliser::normalise(row.strInput, row.dwForms);
    EXPECT_EQ(row.strText, result.strText);
    EXPECT_EQ(row.strSymbology, result.strSymbology);
    EXPECT_EQ(row.form, result.form);
    EXPECT_EQ(row.strWhy, result.strNotConverted);
  }
}

std::string notDigitalLink(const std::string& strWhy)
{
  return "not a GS1 Digital Link URI: " + strWhy;
}
}  // namespace

// The examples and rules of GS1's Digital Link URI syntax: the key and its qualifiers in the path,
// data attributes in the query, percent-encoding, any host and path prefix, scheme in any case.
TEST(GS1NormaliserTest, ReadsDigitalLinkUris)
{
  const uint32_t kLink = GS1Normaliser::kDigitalLink;
  checkRows({
    {"https://id.gs1.org/01/09520123456788", kLink, "0109520123456788", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/01/09520123456788/22/2A", kLink, "010952012345678822" "2A", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/01/09520123456788/10/ABC123/21/12345?17=180426", kLink,
     "0109520123456788" "10ABC123" + kstrGS + "2112345" + kstrGS + "17180426", "", Form::kDigitalLink, ""},
    {"https://example.com/01/09520123456788/22/2A/10/ABC123/21/12345", kLink,
     "0109520123456788" "222A" + kstrGS + "10ABC123" + kstrGS + "2112345", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/01/09520123456788/235/XYZ", kLink, "0109520123456788" "235XYZ", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/00/106141412345678908", kLink, "00106141412345678908", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/414/9520123456788/254/32a%2Fb", kLink, "4149520123456788" "25432a/b", "",
     Form::kDigitalLink, ""},
    {"https://id.gs1.org/8004/9520614141234567?01=09520123456788", kLink,
     "80049520614141234567" + kstrGS + "0109520123456788", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/8006/095201234567880102/21/S1", kLink, "8006095201234567880102" + kstrGS + "21S1", "",
     Form::kDigitalLink, ""},
    {"https://id.gs1.org/8003/01234567890128A1", kLink, "800301234567890128A1", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/8010/AB%23-1/8011/12", kLink, "8010AB#-1" + kstrGS + "801112", "", Form::kDigitalLink, ""},
    // Any letter case in the scheme and host, a path of the brand's own, other parameters and a fragment.
    {"HTTPS://EXAMPLE.COM/01/09520123456788/10/ABC?3103=000150", kLink,
     "0109520123456788" "10ABC" + kstrGS + "3103000150", "", Form::kDigitalLink, ""},
    {"http://brand.example/a/01/b/01/09520123456788?linkType=gs1:pip&17=261231&x=1#frag", kLink,
     "0109520123456788" "17261231", "", Form::kDigitalLink, ""},
    {"https://d.example/10/x/01/09520123456788/10/L%21%2a%28", kLink, "0109520123456788" "10L!*(", "",
     Form::kDigitalLink, ""},
    // Older links wrote GTIN-8, -12 and -13 short.
    {"https://id.gs1.org/01/9520123456788", kLink, "0109520123456788", "", Form::kDigitalLink, ""},
    {"https://id.gs1.org/01/012345000058", kLink, "0100012345000058", "", Form::kDigitalLink, ""},
  });
}

TEST(GS1NormaliserTest, LeavesInvalidDigitalLinksAsTheyAreAndSaysWhy)
{
  const uint32_t kLink = GS1Normaliser::kDigitalLink;
  struct Invalid
  {
    std::string strUri;
    std::string strWhy;
  } rgRows[] = {
    {"https://id.gs1.org/01/09520123456789", "wrong check digit in AI (01) 09520123456789"},
    {"https://id.gs1.org/00/106141412345678909", "wrong check digit in AI (00) 106141412345678909"},
    {"https://id.gs1.org/414/9520123456789", "wrong check digit in AI (414) 9520123456789"},
    {"https://id.gs1.org/01/09520123456788?410=9520123456789", "wrong check digit in AI (410) 9520123456789"},
    {"https://id.gs1.org/01/09520123456", "wrong length for AI (01) 09520123456"},
    {"https://id.gs1.org/01/09520123456788/21/S/10/L", "the key qualifiers in the path do not belong to AI (01) in this order"},
    {"https://id.gs1.org/01/09520123456788/22/A/235/X", "the key qualifiers in the path do not belong to AI (01) in this order"},
    {"https://id.gs1.org/01/09520123456788/10/" + std::string(21, 'A'),
     "wrong length for AI (10) " + std::string(21, 'A')},
    {"https://id.gs1.org/01/09520123456788/10/A%20B", "character not allowed in AI (10) A B"},
    {"https://id.gs1.org/01/09520123456788/10/A%2", "broken percent-encoding in the path"},
    {"https://id.gs1.org/01/09520123456788?17=2612%G1", "broken percent-encoding in the query"},
    {"https://id.gs1.org/01/09520123456788?21=12", "AI (21) may not stand in the query"},
    {"https://id.gs1.org/01/09520123456788?9999=1", "unknown AI (9999) in the query"},
    {"https://id.gs1.org/01/09520123456788?17", "AI (17) in the query has no value"},
    {"https://id.gs1.org/01/09520123456788/10/A?10=B", "AI (10) appears twice"},
    {"https://id.gs1.org/01/09520123456788?17=2612", "wrong length for AI (17) 2612"},
    {"https://example.com/index.html", "no GS1 primary key in the path"},
    {"https://example.com", "no GS1 primary key in the path"},
    {"https://id.gs1.org/ARHEUwAoAA", "no GS1 primary key in the path"},
    {"https://id.gs1.org/10/ABC", "no GS1 primary key in the path"},
  };
  for (const Invalid& row : rgRows)
    checkRows({{row.strUri, kLink, row.strUri, "", Form::kAsReceived, notDigitalLink(row.strWhy)}});
}

// "]", a letter, a digit: taken off; behind a GS1 one the data is an element string already.
TEST(GS1NormaliserTest, TakesSymbologyIdentifiersOff)
{
  const uint32_t kAim = GS1Normaliser::kSymbologyIdentifiers;
  const std::string strRaw = "0109520123456788" "10ABC";
  checkRows({
    {"]C1" + strRaw, kAim, strRaw, "]C1", Form::kElementString, ""},
    {"]d2" + strRaw, kAim, strRaw, "]d2", Form::kElementString, ""},
    {"]Q3" + strRaw, kAll, strRaw, "]Q3", Form::kElementString, ""},
    {"]e0" + strRaw, kAim, strRaw, "]e0", Form::kElementString, ""},
    {"]J1" + strRaw, kAim, strRaw, "]J1", Form::kElementString, ""},
    {"]E09520123456788", kAim, "9520123456788", "]E0", Form::kAsReceived, ""},
    {"]Q1https://id.gs1.org/01/09520123456788", kAll, "0109520123456788", "]Q1", Form::kDigitalLink, ""},
    {"]Q1https://id.gs1.org/01/09520123456788", kAim, "https://id.gs1.org/01/09520123456788", "]Q1",
     Form::kAsReceived, ""},
    {"]d2(01)09520123456788", kAll, "(01)09520123456788", "]d2", Form::kElementString, ""},
    {"]d1(01)09520123456788", kAll, "0109520123456788", "]d1", Form::kBracketed, ""},
    {"]d2" + strRaw, GS1Normaliser::kDigitalLink, "]d2" + strRaw, "", Form::kAsReceived, ""},
    {"]C", kAim, "]C", "", Form::kAsReceived, ""},
    {"]CX01", kAim, "]CX01", "", Form::kAsReceived, ""},
    {"]1C01", kAim, "]1C01", "", Form::kAsReceived, ""},
    {strRaw, kAll, strRaw, "", Form::kAsReceived, ""},
  });
}

TEST(GS1NormaliserTest, ReadsTheBracketedForm)
{
  const uint32_t kBrackets = GS1Normaliser::kBracketedForm;
  checkRows({
    {"(01)09520123456788(10)ABC123(17)261231", kBrackets, "0109520123456788" "10ABC123" + kstrGS + "17261231", "",
     Form::kBracketed, ""},
    {"(17)261231(3103)000150(21)S", kBrackets, "17261231" "3103000150" "21S", "", Form::kBracketed, ""},
    {"(8005)123456(10)A", kBrackets, "8005123456" + kstrGS + "10A", "", Form::kBracketed, ""},
    {"(10)AB\\(C)(21)X", kBrackets, "10AB(C)" + kstrGS + "21X", "", Form::kBracketed, ""},
    {"(10)A(XY)B(0)", kBrackets, "10A(XY)B(0)", "", Form::kBracketed, ""},
    // A check digit is not the bracketed form's business (the GS1-128 parse does not check it either).
    {"(01)09520123456789", kBrackets, "0109520123456789", "", Form::kBracketed, ""},
    {"(01)123(10)A", kBrackets, "(01)123(10)A", "", Form::kAsReceived,
     "not a bracketed GS1 element string: wrong length for AI (01) 123"},
    {"(10)A B", kBrackets, "(10)A B", "", Form::kAsReceived,
     "not a bracketed GS1 element string: character not allowed in AI (10) A B"},
    {"(ABC)1", kBrackets, "(ABC)1", "", Form::kAsReceived, ""},
    {"(310)000150", kBrackets, "(310)000150", "", Form::kAsReceived, ""},
    {"(01)09520123456788", GS1Normaliser::kDigitalLink, "(01)09520123456788", "", Form::kAsReceived, ""},
  });
}

// Off is off: no form chosen leaves every string as it came.
TEST(GS1NormaliserTest, WithNoFormChosenNothingChanges)
{
  for (const char* pszInput : {"]C10109520123456788", "(01)09520123456788", "https://id.gs1.org/01/09520123456788",
                               "https://id.gs1.org/01/1", "", "]", "("})
  {
    SCOPED_TRACE(pszInput);
    checkRows({{pszInput, 0, pszInput, "", Form::kAsReceived, ""}});
  }
}

TEST(GS1NormaliserTest, WorkIsBoundedOnLongInput)
{
  std::string strSlashes = "https://x/" + std::string(65536, '/');
  std::string strParameters = "https://x/01/09520123456788?";
  while (strParameters.size() < 65536)
    strParameters += "a=1&";
  std::string strBrackets = "(10)" + std::string(65536, '(');
  for (const std::string* pstrInput : {&strSlashes, &strParameters, &strBrackets})
  {
    GS1Normaliser::Result result = GS1Normaliser::normalise(*pstrInput, kAll);
    EXPECT_EQ(pstrInput == &strParameters ? "0109520123456788" : *pstrInput, result.strText);
  }
}

TEST(GS1NormaliserTest, CheckDigitsFollowGS1sModulo10)
{
  for (const char* pszGood : {"09520123456788", "106141412345678908", "9520123456788", "00", "40000010000005"})
    EXPECT_TRUE(GS1ElementString::hasValidCheckDigit(pszGood)) << pszGood;
  for (const char* pszBad : {"09520123456787", "1", "", "0952012345678A"})
    EXPECT_FALSE(GS1ElementString::hasValidCheckDigit(pszBad)) << pszBad;
}
