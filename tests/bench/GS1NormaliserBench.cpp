// GS1 data from 2D codes: a typical GS1 Digital Link (GTIN, batch, serial, expiry) and the same
// data in brackets, normalised to an element string and parsed, as the pipeline and an EAN128
// criterion do. The reference parses the raw element string of the same data, as a GS1-128 scan
// arrives; both must give the same fields before either is timed. Reported as strings per second.
#include "engine/EAN128.h"
#include "engine/GS1Normaliser.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
const char kszDigitalLink[] = "https://id.gs1.org/01/09520123456788/10/ABC123/21/12345?17=261231";
const char kszBracketed[] = "(01)09520123456788(10)ABC123(21)12345(17)261231";
const char kszRaw[] = "0109520123456788" "10ABC123\x1D" "2112345\x1D" "17261231";
const uint32_t kdwAllForms = GS1Normaliser::kSymbologyIdentifiers | GS1Normaliser::kBracketedForm |
                             GS1Normaliser::kDigitalLink;

std::vector<std::pair<std::string, std::string>> fieldsOf(const std::string& strData, bool fNormalise)
{
  EAN128 parser;
  parser.parse(fNormalise ? GS1Normaliser::normalise(strData, kdwAllForms).strText : strData);
  std::vector<std::pair<std::string, std::string>> rgFields;
  for (int i = 0; i < parser.getFieldCount(); ++i)
    rgFields.emplace_back(parser.getFieldAI(i), parser.getFieldValue(i));
  return rgFields;
}

void normaliseAndParse(benchmark::State& state, const char* pszScan)
{
  if (fieldsOf(pszScan, true) != fieldsOf(kszRaw, false) || fieldsOf(kszRaw, false).size() != 4)
    state.SkipWithError("the normalised scan parses differently from the raw element string");
  std::string strScan = pszScan;
  for (auto _ : state)
  {
    EAN128 parser;
    benchmark::DoNotOptimize(parser.parse(GS1Normaliser::normalise(strScan, kdwAllForms).strText));
  }
  state.SetItemsProcessed(state.iterations());
}

void parseRaw(benchmark::State& state)
{
  std::string strRaw = kszRaw;
  if (fieldsOf(strRaw, false).size() != 4)
    state.SkipWithError("the raw element string does not parse");
  for (auto _ : state)
  {
    EAN128 parser;
    benchmark::DoNotOptimize(parser.parse(strRaw));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_NormaliseDigitalLink(benchmark::State& state)
{
  normaliseAndParse(state, kszDigitalLink);
}
BENCHMARK(BM_NormaliseDigitalLink);

void BM_NormaliseDigitalLink_Reference(benchmark::State& state)
{
  parseRaw(state);
}
BENCHMARK(BM_NormaliseDigitalLink_Reference);

void BM_NormaliseBracketed(benchmark::State& state)
{
  normaliseAndParse(state, kszBracketed);
}
BENCHMARK(BM_NormaliseBracketed);

void BM_NormaliseBracketed_Reference(benchmark::State& state)
{
  parseRaw(state);
}
BENCHMARK(BM_NormaliseBracketed_Reference);
}  // namespace
