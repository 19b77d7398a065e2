#include "engine/DataEditFormat.h"
#include "engine/DataEditFormatMap.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
std::unique_ptr<Criteria> makeExpression(const std::string& strExpression)
{
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindStringExpression();
  pCriteria->setExpression(strExpression);
  return pCriteria;
}

std::unique_ptr<Criteria> makeLength(int nMin, int nMax)
{
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setMinLength(nMin);
  pCriteria->setMaxLength(nMax);
  return pCriteria;
}

std::unique_ptr<DataEditFormat> makeFormat(const std::string& strName, int nOrder,
                                           std::vector<std::unique_ptr<Criteria>> rgpCriteria)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(strName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput("Input() + \"<cr>\"");
  for (std::unique_ptr<Criteria>& pCriteria : rgpCriteria)
    EXPECT_TRUE(pFormat->getCriteriaMap().add(std::move(pCriteria)));
  return pFormat;
}

std::vector<std::unique_ptr<Criteria>> criteria(std::unique_ptr<Criteria> pFirst,
                                                std::unique_ptr<Criteria> pSecond = nullptr)
{
  std::vector<std::unique_ptr<Criteria>> rgpCriteria;
  rgpCriteria.push_back(std::move(pFirst));
  if (pSecond)
    rgpCriteria.push_back(std::move(pSecond));
  return rgpCriteria;
}

std::string nameOf(const DataEditFormat* pFormat)
{
  return pFormat == nullptr ? "(none)" : pFormat->getName();
}
}  // namespace

TEST(DataEditFormatTest, CopyIsDeepAndLeavesTheRunningProgramBehind)
{
  DataEditFormat format;
  EXPECT_EQ("", format.getName());
  EXPECT_EQ(0, format.getOrder());
  EXPECT_EQ(nullptr, format.getRunningProgram());

  std::unique_ptr<DataEditFormat> pOriginal = makeFormat("GS1", 3, criteria(makeExpression("01*"), makeLength(2, 60)));
  int nProcess = 0;
  pOriginal->setRunningProgram(&nProcess);

  DataEditFormat copy(*pOriginal);
  DataEditFormat assigned;
  assigned.setRunningProgram(&nProcess);
  assigned = *pOriginal;
  for (DataEditFormat* pCopy : {&copy, &assigned})
  {
    EXPECT_EQ("GS1", pCopy->getName());
    EXPECT_EQ(3, pCopy->getOrder());
    EXPECT_EQ("Input() + \"<cr>\"", pCopy->getOutput());
    EXPECT_EQ(2, pCopy->getCriteriaMap().getCount());
    EXPECT_TRUE(pCopy->getCriteriaMap().matchesAll("0112"));
  }
  EXPECT_EQ(nullptr, copy.getRunningProgram());
  EXPECT_EQ(&nProcess, assigned.getRunningProgram());
  EXPECT_EQ(&nProcess, pOriginal->getRunningProgram());

  pOriginal->getCriteriaMap().removeAll();
  EXPECT_EQ(2, copy.getCriteriaMap().getCount());
}

TEST(DataEditFormatDeathTest, NegativeOrderIsAProgrammingError)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        DataEditFormat format;
        format.setOrder(-1);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: nOrder >= 0");
}

TEST(DataEditFormatTest, MapKeysByNameAndFindsByOrder)
{
  DataEditFormatMap map;
  EXPECT_TRUE(map.isOrderConsistent());
  EXPECT_TRUE(map.add("B", makeFormat("B", 1, criteria(makeExpression("B*")))));
  EXPECT_TRUE(map.add("A", makeFormat("A", 0, criteria(makeExpression("A*")))));
  EXPECT_FALSE(map.add("A", makeFormat("A", 2, criteria(makeExpression("*")))));
  EXPECT_TRUE(map.add("a", makeFormat("a", 2, criteria(makeExpression("*")))));
  EXPECT_EQ(3, map.getCount());
  EXPECT_EQ("A*", map.lookup("A")->getCriteriaMap().getEntries().begin()->second->getExpression());
  EXPECT_EQ("B", nameOf(map.lookupByOrder(1)));
  EXPECT_EQ(nullptr, map.lookupByOrder(3));
  EXPECT_TRUE(map.isOrderConsistent());

  DataEditFormatMap copy(map);
  EXPECT_TRUE(map.remove("B"));
  EXPECT_FALSE(map.remove("B"));
  EXPECT_FALSE(map.isOrderConsistent());
  EXPECT_EQ(3, copy.getCount());
  EXPECT_NE(map.lookup("A"), copy.lookup("A"));
  EXPECT_TRUE(copy.isOrderConsistent());

  DataEditFormatMap assigned;
  assigned.add("X", makeFormat("X", 0, criteria(makeExpression("*"))));
  assigned = copy;
  EXPECT_EQ(nullptr, assigned.lookup("X"));
  EXPECT_EQ(3, assigned.getCount());
  assigned.removeAll();
  EXPECT_EQ(0, assigned.getCount());
}

TEST(DataEditFormatTest, OrderConsistencyNeedsExactlyZeroToCountMinusOne)
{
  struct Row
  {
    std::vector<int> rgnOrders;
    bool fConsistent;
  } rgRows[] = {
    {{}, true}, {{0}, true}, {{1}, false}, {{0, 1, 2}, true}, {{2, 0, 1}, true},
    {{0, 2}, false}, {{0, 0}, false}, {{1, 2}, false}, {{0, 1, 1}, false},
  };
  for (const Row& row : rgRows)
  {
    DataEditFormatMap map;
    std::string strOrders;
    for (size_t i = 0; i < row.rgnOrders.size(); ++i)
    {
      std::string strName = "F" + std::to_string(i);
      map.add(strName, makeFormat(strName, row.rgnOrders[i], criteria(makeExpression("*"))));
      strOrders += std::to_string(row.rgnOrders[i]) + " ";
    }
    SCOPED_TRACE("orders: " + strOrders);
    EXPECT_EQ(row.fConsistent, map.isOrderConsistent());
  }
}

TEST(DataEditFormatTest, FirstMatchingFormatByOrderWins)
{
  DataEditFormatMap map;
  // Names sort against the order, so a walk in key order would pick the wrong format.
  map.add("Z GS1", makeFormat("Z GS1", 0, criteria(makeExpression("01*"), makeLength(16, 60))));
  map.add("Y short", makeFormat("Y short", 1, criteria(makeLength(1, 5))));
  map.add("X catch all", makeFormat("X catch all", 2, criteria(makeExpression("*"))));
  map.add("W never", makeFormat("W never", 3, criteria(makeLength(1, 1), makeLength(2, 2))));

  struct Row
  {
    std::string strData;
    std::string strFormat;
  } rgRows[] = {
    {"0101234567890128", "Z GS1"},
    {"01", "Y short"},
    {"ABC", "Y short"},
    {"ABCDEF", "X catch all"},
    {"", "X catch all"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE("data: " + row.strData);
    EXPECT_EQ(row.strFormat, nameOf(findMatchingFormat(map, row.strData)));
  }

  map.remove("X catch all");
  map.lookup("W never")->setOrder(2);
  EXPECT_EQ("(none)", nameOf(findMatchingFormat(map, "ABCDEF")));
  EXPECT_EQ("(none)", nameOf(findMatchingFormat(map, "")));
}

// Orders come from stored settings; a map with gaps or duplicates must still answer.
TEST(DataEditFormatTest, InconsistentOrdersKeepTheRelativeOrderWithoutFailing)
{
  DataEditFormatMap map;
  map.add("late", makeFormat("late", 7, criteria(makeExpression("*"))));
  map.add("early", makeFormat("early", 2, criteria(makeExpression("A*"))));
  map.add("early twin", makeFormat("early twin", 2, criteria(makeExpression("AB*"))));
  ASSERT_FALSE(map.isOrderConsistent());
  EXPECT_EQ("early", nameOf(findMatchingFormat(map, "ABC")));
  EXPECT_EQ("late", nameOf(findMatchingFormat(map, "XYZ")));
}
