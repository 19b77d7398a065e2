// Throughput of the data editing engine on a realistic profile: the input data replacements, then
// the choice of the matching format, for every data string. Reported as data strings per second.
#include "RealisticProfile.h"
#include "engine/EAN128.h"
#include "engine/ReplacementMap.h"
#include "base/WildcardMatch.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace benchprofile;

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

// The slowest inputs allowed: 1,000 bytes of data, 100-character patterns full of stars.
void BM_WorstCasePattern(benchmark::State& state)
{
  std::string strText(1000, 'a');
  std::string strPattern;
  while (strPattern.size() < 98)
    strPattern += "*a";
  strPattern += "*b";
  for (auto _ : state)
    benchmark::DoNotOptimize(wildcardMatch(strText, strPattern));
}
BENCHMARK(BM_WorstCasePattern)->Unit(benchmark::kMicrosecond);

void BM_WorstCaseProfile(benchmark::State& state)
{
  DataEditFormatMap formats = makeFormats();
  std::string strPattern;
  while (strPattern.size() < 98)
    strPattern += "*a";
  strPattern += "*b";
  addFormat(formats, "Stars", {{Criteria::kindStringExpression, 1, 0, strPattern.c_str(), ""}});
  formats.lookup("Stars")->setOrder(0);
  formats.lookup("SSCC")->setOrder(formats.getCount() - 1);
  ReplacementMap replacements = makeReplacements();
  std::string strLong = "]C1" "0107612345678900" "10" + std::string(1000 - 21, 'a') + "\r\n";
  for (auto _ : state)
  {
    std::string strData = strLong;
    replacements.applyReplacements(strData);
    benchmark::DoNotOptimize(findMatchingFormat(formats, strData));
  }
}
BENCHMARK(BM_WorstCaseProfile)->Unit(benchmark::kMicrosecond);
}  // namespace
