// Replacements and criteria built from arbitrary texts, run over arbitrary data: no crash, and
// the counts and matches agree with what can be computed independently.
#include "engine/CriteriaMap.h"
#include "base/DataConv.h"
#include "engine/ReplacementMap.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace
{
void check(bool fCondition)
{
  if (!fCondition)
    std::abort();
}

void ignoreAlert(const char*)
{
}

// One replacement alone: the result length follows from the count and the two raw texts.
void checkOneReplacement(const std::string& strInput, const std::string& strReplace, const std::string& strData)
{
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput(strInput);
  pReplacement->setReplace(strReplace);
  ReplacementMap map;
  check(map.add(std::move(pReplacement)));

  std::string strResult = strData;
  int cReplaced = map.applyReplacements(strResult);
  std::string strSearch, strReplaceRaw;
  bool fValid = DataConv::parse(strInput, strSearch) && DataConv::parse(strReplace, strReplaceRaw);
  strSearch = strSearch.c_str();
  strReplaceRaw = strReplaceRaw.c_str();
  check(cReplaced >= 0);
  if (!fValid || strSearch.empty())
  {
    check(cReplaced == 0 && strResult == strData);
    return;
  }
  check(strResult.size() + cReplaced * strSearch.size() == strData.size() + cReplaced * strReplaceRaw.size());
  check(cReplaced > 0 || strResult == strData);
}

void checkCriteria(FuzzedDataProvider& provider, const std::string& strData)
{
  CriteriaMap map;
  int nMin = provider.ConsumeIntegralInRange<int>(-2, 80);
  int nMax = provider.ConsumeIntegralInRange<int>(-2, 80);
  auto pLength = std::make_unique<Criteria>();
  bool fLengthSet = pLength->setMinLength(nMin) && pLength->setMaxLength(nMax);
  map.add(std::move(pLength));

  auto pExpression = std::make_unique<Criteria>();
  pExpression->setKindStringExpression();
  pExpression->setStartPosition(provider.ConsumeIntegralInRange<int>(-2, 80));
  pExpression->setExpression(provider.ConsumeRandomLengthString(100));
  map.add(std::move(pExpression));

  auto pGS1 = std::make_unique<Criteria>();
  pGS1->setKindEAN128();
  pGS1->setFieldsPresent(provider.ConsumeRandomLengthString(30));
  pGS1->setFieldsNotPresent(provider.ConsumeRandomLengthString(30));
  map.add(std::move(pGS1));

  bool fAll = map.matchesAll(strData);
  size_t nLength = std::strlen(strData.c_str());
  if (fAll && fLengthSet)
    check(static_cast<size_t>(nMin) <= nLength && nLength <= static_cast<size_t>(nMax));
  CriteriaMap copy(map);
  check(copy.matchesAll(strData) == fAll);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  Criteria::setExpressionAlert(ignoreAlert);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider provider(pData, nSize);
  std::string strInput = provider.ConsumeRandomLengthString(40);
  std::string strReplace = provider.ConsumeRandomLengthString(40);
  std::string strData = provider.ConsumeRandomLengthString(1000);
  checkOneReplacement(strInput, strReplace, strData);
  checkCriteria(provider, strData);
  return 0;
}
