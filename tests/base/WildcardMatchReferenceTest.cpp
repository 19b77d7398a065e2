#include "base/WildcardMatch.h"
#include "WildcardMatchReference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{
// Every string over the alphabet up to nMaxLength characters, the empty one included.
std::vector<std::string> allStrings(const std::string& strAlphabet, size_t nMaxLength)
{
  std::vector<std::string> rgstr = {""};
  for (size_t nBegin = 0; nBegin < rgstr.size(); ++nBegin)
  {
    if (rgstr[nBegin].size() == nMaxLength)
      continue;
    for (char ch : strAlphabet)
      rgstr.push_back(rgstr[nBegin] + ch);
  }
  return rgstr;
}
}  // namespace

// The fast matcher must give exactly the results of the recursive rule, quirks included (the
// character after "*" is taken literally or as "?", even another "*"). Exhaustive over small
// alphabets, where every combination of stars, question marks and literals occurs (a "?" in the
// text is just another literal).
TEST(WildcardMatchReferenceTest, AgreesWithTheRecursiveRuleOnEveryShortCase)
{
  std::vector<std::string> rgstrPatterns = allStrings("ab*?", 5);
  std::vector<std::string> rgstrTexts = allStrings("ab*", 5);
  size_t cMismatches = 0;
  for (const std::string& strPattern : rgstrPatterns)
  {
    for (const std::string& strText : rgstrTexts)
    {
      bool fExpected = wildcardMatchReference(strText.c_str(), strPattern.c_str());
      if (wildcardMatch(strText, strPattern) != fExpected && ++cMismatches <= 10)
        ADD_FAILURE() << "text \"" << strText << "\" pattern \"" << strPattern << "\" expected "
                      << fExpected;
    }
  }
  EXPECT_EQ(0u, cMismatches);
}

// Longer random cases, from a fixed seed so a failure repeats.
TEST(WildcardMatchReferenceTest, AgreesWithTheRecursiveRuleOnLongerRandomCases)
{
  std::mt19937 random(20261207);
  auto randomString = [&random](const std::string& strAlphabet, size_t nMaxLength)
  {
    std::string str(std::uniform_int_distribution<size_t>(0, nMaxLength)(random), ' ');
    for (char& ch : str)
      ch = strAlphabet[std::uniform_int_distribution<size_t>(0, strAlphabet.size() - 1)(random)];
    return str;
  };
  for (int i = 0; i < 20000; ++i)
  {
    std::string strPattern = randomString("ab*?", 10);
    std::string strText = randomString("ab*", 16);
    SCOPED_TRACE("text \"" + strText + "\" pattern \"" + strPattern + "\"");
    ASSERT_EQ(wildcardMatchReference(strText.c_str(), strPattern.c_str()), wildcardMatch(strText, strPattern));
  }
}
