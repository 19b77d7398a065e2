#include "engine/Replacement.h"
#include "engine/ReplacementMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
std::unique_ptr<Replacement> makeReplacement(int nOrder, const std::string& strInput,
                                             const std::string& strReplace)
{
  auto pReplacement = std::make_unique<Replacement>();
  EXPECT_TRUE(pReplacement->setOrder(nOrder));
  EXPECT_TRUE(pReplacement->setInput(strInput));
  EXPECT_TRUE(pReplacement->setReplace(strReplace));
  return pReplacement;
}

struct ApplyRow
{
  std::vector<std::pair<std::string, std::string>> rgReplacements;  // in Order 0, 1, ...
  std::string strData;
  std::string strResult;
  int cReplaced;
};
}  // namespace

TEST(ReplacementTest, RecordDefaultsSettersAndKey)
{
  Replacement replacement;
  EXPECT_EQ(0, replacement.getOrder());
  EXPECT_EQ("", replacement.getInput());
  EXPECT_EQ("", replacement.getReplace());
  EXPECT_FALSE(replacement.setOrder(-1));
  EXPECT_EQ(0, replacement.getOrder());

  std::unique_ptr<Replacement> pOriginal = makeReplacement(4, "<CR><LF>", "");
  EXPECT_EQ("<CR><LF>\t", pOriginal->getKey());
  Replacement copy(*pOriginal);
  Replacement assigned;
  assigned = *pOriginal;
  for (const Replacement* pCopy : {&copy, &assigned})
  {
    EXPECT_EQ(4, pCopy->getOrder());
    EXPECT_EQ("<CR><LF>", pCopy->getInput());
    EXPECT_EQ("", pCopy->getReplace());
  }
}

TEST(ReplacementTest, AppliesInOrderEachSeeingTheEarlierResults)
{
  std::vector<ApplyRow> rgRows = {
    {{}, "abc", "abc", 0},
    {{{"ab", "b"}, {"bb", "x"}}, "aabb", "ax", 2},
    {{{"bb", "x"}, {"ab", "b"}}, "aabb", "aax", 1},
    {{{"aa", "b"}}, "aaaa", "bb", 2},
    {{{"aa", "b"}}, "aaa", "ba", 1},
    {{{"a", "aa"}}, "aba", "aabaa", 2},
    {{{"X", ""}}, "AXBXX", "AB", 3},
    {{{"<CR><LF>", "<TAB>"}}, "a\r\nb\rc\n", "a\tb\rc\n", 1},
    {{{"\\x41", "\\d066"}}, "CAB", "CBB", 1},
    {{{"a", "b"}}, "A", "A", 0},
    {{{"zz", "y"}}, "abc", "abc", 0},
    {{{"<GS>", "|"}}, "10A\x1D" "21B\x1D", "10A|21B|", 2},
    {{{"\xE9", "e"}}, "caf\xE9", "cafe", 1},
    // Raw texts end at their first zero byte: an empty search text replaces nothing.
    {{{"<NUL>", "x"}}, "abc", "abc", 0},
    {{{"a", "b<NUL>c"}}, "aa", "bb", 2},
    // A text that is not valid notation replaces nothing; the others still run.
    {{{"<C", "x"}, {"a", "b"}}, "<Ca", "<Cb", 1},
    {{{"a", "<C"}}, "a", "a", 0},
  };
  for (const ApplyRow& row : rgRows)
  {
    SCOPED_TRACE("data: " + row.strData + ", first search: " +
                 (row.rgReplacements.empty() ? std::string() : row.rgReplacements[0].first));
    ReplacementMap map;
    for (size_t i = 0; i < row.rgReplacements.size(); ++i)
      ASSERT_TRUE(map.add(makeReplacement(static_cast<int>(i), row.rgReplacements[i].first,
                                          row.rgReplacements[i].second)));
    std::string strData = row.strData;
    EXPECT_EQ(row.cReplaced, map.applyReplacements(strData));
    EXPECT_EQ(row.strResult, strData);
  }
}

TEST(ReplacementTest, MapKeysByBothTextsAndCopiesDeeply)
{
  ReplacementMap map;
  EXPECT_TRUE(map.add(makeReplacement(0, "a", "b")));
  EXPECT_FALSE(map.add(makeReplacement(1, "a", "b")));
  EXPECT_TRUE(map.add(makeReplacement(1, "a", "c")));
  EXPECT_EQ(2, map.getCount());
  ASSERT_NE(nullptr, map.lookup("a\tc"));
  EXPECT_EQ(1, map.lookup("a\tc")->getOrder());
  EXPECT_EQ("a\tb", map.lookupByOrder(0)->getKey());
  EXPECT_EQ(nullptr, map.lookupByOrder(2));
  EXPECT_TRUE(map.isOrderConsistent());

  ReplacementMap copy(map);
  EXPECT_TRUE(map.removeKey("a\tb"));
  EXPECT_FALSE(map.removeKey("a\tb"));
  EXPECT_FALSE(map.isOrderConsistent());
  EXPECT_EQ(2, copy.getCount());
  EXPECT_NE(map.lookup("a\tc"), copy.lookup("a\tc"));
  std::string strData = "aa";
  EXPECT_EQ(2, copy.applyReplacements(strData));
  EXPECT_EQ("bb", strData);

  ReplacementMap assigned;
  assigned.add(makeReplacement(0, "x", "y"));
  assigned = copy;
  EXPECT_EQ(nullptr, assigned.lookup("x\ty"));
  EXPECT_EQ(2, assigned.getCount());
  assigned.removeAll();
  EXPECT_EQ(0, assigned.getCount());
}

TEST(ReplacementTest, OrderConsistencyNeedsExactlyZeroToCountMinusOne)
{
  struct Row
  {
    std::vector<int> rgnOrders;
    bool fConsistent;
  } rgRows[] = {
    {{}, true}, {{0}, true}, {{1}, false}, {{1, 0}, true}, {{0, 2}, false}, {{0, 0}, false},
  };
  for (const Row& row : rgRows)
  {
    ReplacementMap map;
    std::string strOrders;
    for (size_t i = 0; i < row.rgnOrders.size(); ++i)
    {
      map.add(makeReplacement(row.rgnOrders[i], std::to_string(i), ""));
      strOrders += std::to_string(row.rgnOrders[i]) + " ";
    }
    SCOPED_TRACE("orders: " + strOrders);
    EXPECT_EQ(row.fConsistent, map.isOrderConsistent());
  }
}

// Stored settings may carry gaps or duplicate orders; every replacement still runs once, in the
// relative order the user gave.
TEST(ReplacementTest, InconsistentOrdersStillRunEveryReplacementOnce)
{
  ReplacementMap map;
  map.add(makeReplacement(9, "bb", "x"));
  map.add(makeReplacement(3, "ab", "b"));
  std::string strData = "aabb";
  EXPECT_EQ(2, map.applyReplacements(strData));
  EXPECT_EQ("ax", strData);
}
