#include "dataedit/ReplacementTest.h"
#include "engine/ReplacementMap.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
ReplacementMap replacements(std::initializer_list<std::pair<const char*, const char*>> rgPairs)
{
  ReplacementMap map;
  int nOrder = 0;
  for (const auto& pair : rgPairs)
  {
    auto pReplacement = std::make_unique<Replacement>();
    pReplacement->setInput(pair.first);
    pReplacement->setReplace(pair.second);
    pReplacement->setOrder(nOrder++);
    map.add(std::move(pReplacement));
  }
  return map;
}
}  // namespace

TEST(ReplacementTestTest, CountsTheReplacementsAndShowsTheResultInTheNotation)
{
  struct Row
  {
    const char* pszCase;
    ReplacementMap map;
    const char* pszInput;
    bool fNotationError;
    const char* pszCount;
    const char* pszOutput;
  };
  const Row rgRows[] = {
      {"one after the other", replacements({{"ab", "b"}, {"bb", "x"}}), "aabb", false, "2", "ax"},
      {"no replacements", replacements({}), "a<CR>", false, "0", "a<CR>"},
      {"control characters", replacements({{"<CR><LF>", "<TAB>"}}), "a<cr><lf>b<CR><LF>", false, "2", "a<HT>b<HT>"},
      {"non-overlapping", replacements({{"aa", "b"}}), "aaaa", false, "2", "bb"},
      {"delete", replacements({{"-", ""}}), "12-34-5", false, "2", "12345"},
      {"malformed input", replacements({{"a", "b"}}), "ab<c", true, "", ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    ReplacementTest::Result result = ReplacementTest::run(row.map, row.pszInput);
    EXPECT_EQ(row.fNotationError, result.fNotationError);
    EXPECT_EQ(row.pszCount, result.strCount);
    EXPECT_EQ(row.pszOutput, result.strDataOutput);
  }
}
