// Throughput of the data editing engine on a realistic profile: the input data replacements, then
// the choice of the matching format, for every data string. Reported as data strings per second.
// Each case stands beside a reference that gives the same answers the plainest way (PlainEngine,
// and for the wildcard worst case the matching rule's own definition, memoised).
#include "PlainEngine.h"
#include "RealisticProfile.h"
#include "base/WildcardMatch.h"
#include "engine/EAN128.h"
#include "engine/ReplacementMap.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace benchprofile;

// The worst pattern allowed: 100 characters full of stars that never match 1,000 bytes of 'a'.
std::string starPattern()
{
  std::string strPattern;
  while (strPattern.size() < 98)
    strPattern += "*a";
  return strPattern + "*b";
}

// The rule as wildcardMatch documents it, written as its recursive definition with each
// (text position, pattern position) answered once.
class MemoisedWildcard
{
public:
  MemoisedWildcard(const std::string& strText, const std::string& strPattern)
    : m_strText(strText), m_strPattern(strPattern), m_rgMemo((strText.size() + 1) * (strPattern.size() + 1), -1)
  {
  }
  bool match() { return matchFrom(0, 0); }

private:
  bool matchFrom(size_t i, size_t j)
  {
    signed char& memo = m_rgMemo[i * (m_strPattern.size() + 1) + j];
    if (memo < 0)
      memo = decide(i, j) ? 1 : 0;
    return memo != 0;
  }
  bool decide(size_t i, size_t j)
  {
    if (j == m_strPattern.size())
      return i == m_strText.size();
    if (m_strPattern[j] == '*')
    {
      if (j + 1 == m_strPattern.size())
        return true;
      char c = m_strPattern[j + 1];
      for (size_t p = i; p < m_strText.size(); ++p)
        if ((m_strText[p] == c || c == '?') && matchFrom(p + 1, j + 2))
          return true;
      return false;
    }
    if (i == m_strText.size())
      return false;
    return (m_strPattern[j] == '?' || m_strPattern[j] == m_strText[i]) && matchFrom(i + 1, j + 1);
  }

  const std::string& m_strText;
  const std::string& m_strPattern;
  std::vector<signed char> m_rgMemo;
};

// The worst-case profile: the star pattern as the first format, SSCC moved to the end.
std::vector<FormatSpec> worstCaseSpecs(const std::string& strPattern)
{
  std::vector<FormatSpec> rgSpecs = formatSpecs();
  FormatSpec sscc = rgSpecs.front();
  rgSpecs.erase(rgSpecs.begin());
  rgSpecs.insert(rgSpecs.begin(), FormatSpec{"Stars", {{Criteria::kindStringExpression, 1, 0, strPattern.c_str(), ""}}});
  rgSpecs.push_back(sscc);
  return rgSpecs;
}

DataEditFormatMap worstCaseFormats(const std::string& strPattern)
{
  DataEditFormatMap formats = makeFormats();
  addFormat(formats, "Stars", {{Criteria::kindStringExpression, 1, 0, strPattern.c_str(), ""}});
  formats.lookup("Stars")->setOrder(0);
  formats.lookup("SSCC")->setOrder(formats.getCount() - 1);
  return formats;
}

std::string worstCaseData()
{
  return "]C1" "0107612345678900" "10" + std::string(1000 - 21, 'a') + "\r\n";
}

// The reference must replace and choose exactly as the engine does, for every data string.
bool sameAnswers(DataEditFormatMap& formats, const ReplacementMap& replacements, const PlainEngine& plain,
                 const std::vector<std::string>& rgstrData)
{
  for (const std::string& strData : rgstrData)
  {
    std::string strEngine = strData, strPlain = strData;
    replacements.applyReplacements(strEngine);
    plain.replace(strPlain);
    DataEditFormat* pFormat = findMatchingFormat(formats, strEngine);
    const PlainEngine::Format* pPlain = plain.choose(strPlain);
    if (strEngine != strPlain || (pFormat == nullptr) != (pPlain == nullptr) ||
        (pFormat != nullptr && pFormat->getName() != pPlain->strName))
      return false;
  }
  return true;
}

void BM_ReplaceAndChooseFormat(benchmark::State& state)
{
  DataEditFormatMap formats = makeFormats();
  ReplacementMap replacements = makeReplacements();
  std::vector<std::string> rgstrData = makeDataStrings();
  size_t nNext = 0;
  for (auto _ : state)
  {
    std::string strData = rgstrData[nNext];
    nNext = (nNext + 1) % rgstrData.size();
    replacements.applyReplacements(strData);
    benchmark::DoNotOptimize(findMatchingFormat(formats, strData));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplaceAndChooseFormat);

void BM_ReplaceAndChooseFormat_Reference(benchmark::State& state)
{
  DataEditFormatMap formats = makeFormats();
  PlainEngine plain(formatSpecs(), replacementPairs());
  std::vector<std::string> rgstrData = makeDataStrings();
  if (!sameAnswers(formats, makeReplacements(), plain, rgstrData))
    state.SkipWithError("the plain engine answers differently");
  size_t nNext = 0;
  for (auto _ : state)
  {
    std::string strData = rgstrData[nNext];
    nNext = (nNext + 1) % rgstrData.size();
    plain.replace(strData);
    benchmark::DoNotOptimize(plain.choose(strData));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplaceAndChooseFormat_Reference);

// The slowest inputs allowed: 1,000 bytes of data, 100-character patterns full of stars.
void BM_WorstCasePattern(benchmark::State& state)
{
  std::string strText(1000, 'a');
  std::string strPattern = starPattern();
  for (auto _ : state)
    benchmark::DoNotOptimize(wildcardMatch(strText, strPattern));
}
BENCHMARK(BM_WorstCasePattern)->Unit(benchmark::kMicrosecond);

void BM_WorstCasePattern_Reference(benchmark::State& state)
{
  std::string strText(1000, 'a');
  std::string strPattern = starPattern();
  if (MemoisedWildcard(strText, strPattern).match() != wildcardMatch(strText, strPattern))
    state.SkipWithError("the memoised definition answers differently");
  for (auto _ : state)
    benchmark::DoNotOptimize(MemoisedWildcard(strText, strPattern).match());
}
BENCHMARK(BM_WorstCasePattern_Reference)->Unit(benchmark::kMicrosecond);

void BM_WorstCaseProfile(benchmark::State& state)
{
  DataEditFormatMap formats = worstCaseFormats(starPattern());
  ReplacementMap replacements = makeReplacements();
  std::string strLong = worstCaseData();
  for (auto _ : state)
  {
    std::string strData = strLong;
    replacements.applyReplacements(strData);
    benchmark::DoNotOptimize(findMatchingFormat(formats, strData));
  }
}
BENCHMARK(BM_WorstCaseProfile)->Unit(benchmark::kMicrosecond);

void BM_WorstCaseProfile_Reference(benchmark::State& state)
{
  std::string strPattern = starPattern();
  DataEditFormatMap formats = worstCaseFormats(strPattern);
  PlainEngine plain(worstCaseSpecs(strPattern), replacementPairs());
  std::string strLong = worstCaseData();
  if (!sameAnswers(formats, makeReplacements(), plain, {strLong}))
    state.SkipWithError("the plain engine answers differently");
  for (auto _ : state)
  {
    std::string strData = strLong;
    plain.replace(strData);
    benchmark::DoNotOptimize(plain.choose(strData));
  }
}
BENCHMARK(BM_WorstCaseProfile_Reference)->Unit(benchmark::kMicrosecond);
}  // namespace
