#include "engine/Criteria.h"
#include "engine/CriteriaMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_rgstrAlerts;

void recordAlert(const char* pszMessage)
{
  g_rgstrAlerts.push_back(pszMessage);
}

// Every test here runs with the recorder, so no message box can open under Wine.
class CriteriaTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    g_rgstrAlerts.clear();
    m_pfnPrevious = Criteria::setExpressionAlert(recordAlert);
  }
  void TearDown() override { Criteria::setExpressionAlert(m_pfnPrevious); }

  Criteria::ExpressionAlert m_pfnPrevious = nullptr;
};

const char kszInvalidExpression[] =
  "Invalid expression in data edit format criteria. Probably an unterminated character mnemonic like \"<*\".";

const std::string kstrGTIN = "0101234567890128";

std::unique_ptr<Criteria> makeLength(int nMin, int nMax)
{
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindLength();
  EXPECT_TRUE(pCriteria->setMinLength(nMin));
  EXPECT_TRUE(pCriteria->setMaxLength(nMax));
  return pCriteria;
}

std::unique_ptr<Criteria> makeExpression(int nStart, const std::string& strExpression)
{
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindStringExpression();
  EXPECT_TRUE(pCriteria->setStartPosition(nStart));
  EXPECT_TRUE(pCriteria->setExpression(strExpression));
  return pCriteria;
}

std::unique_ptr<Criteria> makeEAN128(const std::string& strPresent, const std::string& strNotPresent)
{
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindEAN128();
  EXPECT_TRUE(pCriteria->setFieldsPresent(strPresent));
  EXPECT_TRUE(pCriteria->setFieldsNotPresent(strNotPresent));
  return pCriteria;
}

struct MatchRow
{
  std::shared_ptr<Criteria> pCriteria;
  std::string strData;
  bool fMatch;
};
}  // namespace

TEST_F(CriteriaTest, DefaultsAndCheckedSetters)
{
  Criteria criteria;
  EXPECT_TRUE(criteria.isKindLength());
  EXPECT_EQ(1, criteria.getMinLength());
  EXPECT_EQ(1, criteria.getMaxLength());
  EXPECT_EQ(1, criteria.getStartPosition());
  EXPECT_EQ("", criteria.getExpression());

  EXPECT_FALSE(criteria.setMinLength(0));
  EXPECT_FALSE(criteria.setMaxLength(-5));
  EXPECT_FALSE(criteria.setStartPosition(0));
  EXPECT_EQ(1, criteria.getMinLength());
  EXPECT_EQ(1, criteria.getMaxLength());
  EXPECT_EQ(1, criteria.getStartPosition());
  EXPECT_TRUE(criteria.setMinLength(1));
  EXPECT_TRUE(criteria.setStartPosition(2147483647));
  EXPECT_EQ(2147483647, criteria.getStartPosition());
}

TEST_F(CriteriaTest, CopyTakesEveryFieldOfEveryKind)
{
  Criteria original;
  original.setKindEAN128();
  original.setMinLength(3);
  original.setMaxLength(9);
  original.setStartPosition(4);
  original.setExpression("A<CR>*");
  original.setFieldsPresent("01");
  original.setFieldsNotPresent("21");

  Criteria copy(original);
  Criteria assigned;
  assigned = original;
  for (const Criteria* pCriteria : {&copy, &assigned})
  {
    EXPECT_TRUE(pCriteria->isKindEAN128());
    EXPECT_EQ(3, pCriteria->getMinLength());
    EXPECT_EQ(9, pCriteria->getMaxLength());
    EXPECT_EQ(4, pCriteria->getStartPosition());
    EXPECT_EQ("A<CR>*", pCriteria->getExpression());
    EXPECT_EQ("01", pCriteria->getFieldsPresent());
    EXPECT_EQ("21", pCriteria->getFieldsNotPresent());
  }
  // The copy matches like the original, so the converted pattern came along too.
  Criteria expression(*makeExpression(2, "B<CR>*"));
  EXPECT_TRUE(expression.matches("AB\rX"));
}

TEST_F(CriteriaTest, DescriptionsNameTheKindAndItsFields)
{
  EXPECT_EQ("Length (min = 2, max = 10)", makeLength(2, 10)->getDescription());
  EXPECT_EQ("Expression (start = 3, \"<CR>*\")", makeExpression(3, "<CR>*")->getDescription());
  EXPECT_EQ("EAN128 (must = \"01, 10\", must not = \"21\")", makeEAN128("01, 10", "21")->getDescription());
}

TEST_F(CriteriaTest, MatchesByKind)
{
  std::shared_ptr<Criteria> pLength1(makeLength(1, 1));
  std::shared_ptr<Criteria> pLength3to5(makeLength(3, 5));
  std::shared_ptr<Criteria> pStar(makeExpression(1, "*"));
  std::shared_ptr<Criteria> pStar3(makeExpression(3, "*"));
  std::shared_ptr<Criteria> pAB(makeExpression(1, "AB"));
  std::shared_ptr<Criteria> pABStar(makeExpression(1, "AB*"));
  std::shared_ptr<Criteria> pQB(makeExpression(1, "?B*"));
  std::shared_ptr<Criteria> pLowerA(makeExpression(1, "a*"));
  std::shared_ptr<Criteria> pCR(makeExpression(1, "<CR>"));
  std::shared_ptr<Criteria> pStarQ(makeExpression(2, "*?"));
  std::shared_ptr<Criteria> pAt3(makeExpression(3, "C?"));
  std::shared_ptr<Criteria> pGS1(makeEAN128("01, 10", ""));
  std::shared_ptr<Criteria> pGS1Not21(makeEAN128("01, 10", "21"));
  std::shared_ptr<Criteria> pGS1Not10(makeEAN128("01", "10"));
  std::shared_ptr<Criteria> pDoubleComma(makeEAN128("01,,21", ""));
  std::shared_ptr<Criteria> pQuoted(makeEAN128("\"01\",\" 10\"", ""));
  std::shared_ptr<Criteria> pBlankItem(makeEAN128("01, ,10", ""));
  std::shared_ptr<Criteria> pAbsentOnly(makeEAN128("", "21"));
  std::shared_ptr<Criteria> pTabbed(makeEAN128("\t10", ""));
  std::shared_ptr<Criteria> pBlanked(makeEAN128(" 10 ", ""));

  std::vector<MatchRow> rgRows = {
    {pLength1, "", false},
    {pLength1, "A", true},
    {pLength1, "AB", false},
    {pLength3to5, "AB", false},
    {pLength3to5, "ABC", true},
    {pLength3to5, "ABCDE", true},
    {pLength3to5, "ABCDEF", false},
    {pStar, "", true},
    {pStar, "anything", true},
    {pStar3, "A", false},
    {pStar3, "AB", true},
    {pStar3, "ABC", true},
    {pAB, "AB", true},
    {pAB, "ABX", false},
    {pAB, "XAB", false},
    {pABStar, "AB", true},
    {pABStar, "ABXYZ", true},
    {pQB, "XB1", true},
    {pQB, "XC1", false},
    {pLowerA, "A1", false},
    {pLowerA, "a1", true},
    {pCR, "\r", true},
    {pCR, "\r\n", false},
    {pStarQ, "A", false},
    {pStarQ, "AX", true},
    {pAt3, "ABCD", true},
    {pAt3, "ABC", false},
    {pAt3, "AB", false},
    {pGS1, kstrGTIN + "10ABC", true},
    {pGS1, kstrGTIN, false},
    {pGS1, "10ABC", false},
    {pGS1, "not GS1 at all", false},
    {pGS1Not21, kstrGTIN + "10ABC", true},
    {pGS1Not21, kstrGTIN + "10ABC\x1D" "21X", false},
    {pGS1Not10, kstrGTIN + "10ABC", false},
    {pGS1Not10, kstrGTIN + "21ABC", true},
    {pDoubleComma, kstrGTIN, true},
    {pQuoted, kstrGTIN + "10ABC", true},
    {pQuoted, kstrGTIN, false},
    {pBlankItem, kstrGTIN + "10ABC", false},
    {pAbsentOnly, "", true},
    {pAbsentOnly, "21X", false},
    {pTabbed, kstrGTIN + "10ABC", false},
    {pBlanked, kstrGTIN + "10ABC", true},
  };
  for (const MatchRow& row : rgRows)
  {
    SCOPED_TRACE(row.pCriteria->getDescription() + " on \"" + row.strData + "\"");
    EXPECT_EQ(row.fMatch, row.pCriteria->matches(row.strData));
  }
  EXPECT_TRUE(g_rgstrAlerts.empty());
}

// The criterion dialog stores any notation; an unconvertible one fails to match every data string
// and tells the user once, not for every data string: a box per scan would pile up at a busy till.
// A copy (the running profile of the next port opening) or a new expression tells again.
TEST_F(CriteriaTest, UnconvertibleExpressionFailsAndAlertsOncePerLoad)
{
  std::unique_ptr<Criteria> pCriteria(makeExpression(1, "<C"));
  EXPECT_FALSE(pCriteria->matches("<C"));
  EXPECT_FALSE(pCriteria->matches("anything"));
  ASSERT_EQ(1u, g_rgstrAlerts.size());
  EXPECT_EQ(kszInvalidExpression, g_rgstrAlerts[0]);

  // The start position is looked at first: a data string too short never reaches the pattern.
  std::unique_ptr<Criteria> pLate(makeExpression(5, "<C"));
  EXPECT_FALSE(pLate->matches("AB"));
  EXPECT_EQ(1u, g_rgstrAlerts.size());

  Criteria copy(*pCriteria);
  EXPECT_FALSE(copy.matches("A"));
  EXPECT_FALSE(copy.matches("B"));
  EXPECT_EQ(2u, g_rgstrAlerts.size());

  pCriteria->setExpression("<CR>");
  EXPECT_TRUE(pCriteria->matches("\r"));
  pCriteria->setExpression("<C");
  EXPECT_FALSE(pCriteria->matches("A"));
  EXPECT_EQ(3u, g_rgstrAlerts.size());
}

TEST_F(CriteriaTest, FieldsOfOtherKindsTakeNoPart)
{
  std::unique_ptr<Criteria> pCriteria(makeLength(2, 2));
  pCriteria->setExpression("<C");
  pCriteria->setFieldsPresent("01");
  EXPECT_TRUE(pCriteria->matches("AB"));
  pCriteria->setKindStringExpression();
  pCriteria->setExpression("A*");
  EXPECT_TRUE(pCriteria->matches("AXXXX"));
  EXPECT_TRUE(g_rgstrAlerts.empty());
}

TEST_F(CriteriaTest, WalksAIListsUpToTheFirstEmptyItem)
{
  struct Row
  {
    std::string strList;
    std::vector<std::string> rgstrAIs;
  } rgRows[] = {
    {"", {}},
    {"01", {"01"}},
    {"01, 10", {"01", "10"}},
    {" 01 , 10 ", {"01", "10"}},
    {"\t10,01\t", {"\t10", "01\t"}},
    {"01,,21", {"01"}},
    {",01", {}},
    {"01,", {"01"}},
    {"01, ,21", {"01", "", "21"}},
    {"\"01,10\",21", {"01,10", "21"}},
    {"\"a\"\"b\",c", {"a\"b", "c"}},
    {"\"\",21", {}},
    {"x\"1,2", {"x1,2"}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE("list: " + row.strList);
    EXPECT_EQ(row.rgstrAIs, Criteria::walkAIList(row.strList));
  }
}

TEST_F(CriteriaTest, MapKeysByDescriptionAndCopiesDeeply)
{
  CriteriaMap map;
  EXPECT_TRUE(map.matchesAll(""));
  EXPECT_FALSE(map.hasLengthCriteria());

  EXPECT_TRUE(map.add(makeExpression(1, "A*")));
  EXPECT_FALSE(map.hasLengthCriteria());
  EXPECT_TRUE(map.add(makeLength(2, 4)));
  EXPECT_TRUE(map.hasLengthCriteria());
  EXPECT_FALSE(map.add(makeExpression(1, "A*")));
  EXPECT_EQ(2, map.getCount());
  ASSERT_NE(nullptr, map.lookup("Expression (start = 1, \"A*\")"));
  EXPECT_EQ(nullptr, map.lookup("Expression (start = 1, \"B*\")"));

  EXPECT_TRUE(map.matchesAll("AB"));
  EXPECT_FALSE(map.matchesAll("BB"));
  EXPECT_FALSE(map.matchesAll("ABCDE"));

  CriteriaMap copy(map);
  EXPECT_TRUE(map.remove("Length (min = 2, max = 4)"));
  EXPECT_FALSE(map.remove("Length (min = 2, max = 4)"));
  EXPECT_TRUE(map.matchesAll("ABCDE"));
  EXPECT_FALSE(copy.matchesAll("ABCDE"));
  EXPECT_EQ(2, copy.getCount());
  EXPECT_NE(map.lookup("Expression (start = 1, \"A*\")"), copy.lookup("Expression (start = 1, \"A*\")"));

  CriteriaMap assigned;
  assigned.add(makeEAN128("01", ""));
  assigned = copy;
  EXPECT_EQ(2, assigned.getCount());
  EXPECT_EQ(nullptr, assigned.lookup("EAN128 (must = \"01\", must not = \"\")"));
  const CriteriaMap& self = assigned;
  assigned = self;
  EXPECT_EQ(2, assigned.getCount());
  assigned.removeAll();
  EXPECT_EQ(0, assigned.getCount());
  EXPECT_TRUE(assigned.matchesAll("anything"));
}
