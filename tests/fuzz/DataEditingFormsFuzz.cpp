// What users type into the data editing dialogs, at random: every check answers without a crash,
// what a check accepts can always be stored (a refused setter would end the program), and the
// two test dialogs read the notation exactly as the converter does.
#include "dataedit/CriteriaForm.h"
#include "dataedit/FormatTest.h"
#include "dataedit/ReplacementForm.h"
#include "dataedit/ReplacementTest.h"
#include "base/DataConv.h"
#include "engine/Replacement.h"
#include "settings/QuilbarProfile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
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

void checkCriteriaForm(FuzzedDataProvider& provider)
{
  CriteriaForm::Fields fields;
  fields.kind = static_cast<Criteria::Kind>(provider.ConsumeIntegralInRange<int>(0, 2));
  fields.strMinLength = provider.ConsumeRandomLengthString(12);
  fields.strMaxLength = provider.ConsumeRandomLengthString(12);
  fields.strStartPosition = provider.ConsumeRandomLengthString(12);
  fields.strExpression = provider.ConsumeRandomLengthString(40);
  fields.strFieldsPresent = provider.ConsumeRandomLengthString(40);
  fields.strFieldsNotPresent = provider.ConsumeRandomLengthString(40);
  CriteriaForm::Check result = CriteriaForm::check(fields);
  if (result.verdict != CriteriaForm::Verdict::Accept && result.verdict != CriteriaForm::Verdict::AskWildcard)
    return;
  Criteria criteria;
  CriteriaForm::apply(fields, criteria);
  check(criteria.getKind() == fields.kind);
  if (criteria.isKindLength())
    check(criteria.getMinLength() >= 1 && criteria.getMinLength() <= criteria.getMaxLength());
  if (criteria.isKindStringExpression())
    check(criteria.getStartPosition() >= 1 && !criteria.getExpression().empty());
  criteria.matches(fields.strExpression);
}

void checkReplacementForm(const std::string& strSearch, const std::string& strReplace)
{
  std::string strBytes;
  bool fAccepted = ReplacementForm::check(strSearch, strReplace).isEmpty();
  check(fAccepted == (!strSearch.empty() && DataConv::parse(strSearch, strBytes) && DataConv::parse(strReplace, strBytes)));
  if (!fAccepted)
    return;
  Replacement replacement;
  ReplacementForm::apply(strSearch, strReplace, replacement);
  check(replacement.getInput() == strSearch && replacement.getReplace() == strReplace);
}

void checkTests(const QuilbarProfile& profile, const std::string& strInput)
{
  std::string strBytes;
  bool fValid = DataConv::parse(strInput, strBytes);
  FormatTest::Plan plan = FormatTest::plan(profile, strInput);
  check((plan.step == FormatTest::Step::NotationError) == !fValid);
  check(plan.strData.find('\0') == std::string::npos);
  ReplacementTest::Result result = ReplacementTest::run(profile.getReplacementMap(), strInput);
  check(result.fNotationError == !fValid);
  check(result.nReplacements >= 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  static const bool fSilenced = (Criteria::setExpressionAlert(ignoreAlert), true);
  (void)fSilenced;
  static const QuilbarProfile kProfile;
  FuzzedDataProvider provider(pData, nSize);
  checkCriteriaForm(provider);
  std::string strSearch = provider.ConsumeRandomLengthString(30);
  std::string strReplace = provider.ConsumeRandomLengthString(30);
  checkReplacementForm(strSearch, strReplace);

  int nValue = 0;
  std::string strNumber = provider.ConsumeRandomLengthString(24);
  if (CriteriaForm::parseNumber(strNumber, nValue))
    check(std::to_string(nValue).size() <= 11);

  checkTests(kProfile, provider.ConsumeRemainingBytesAsString());
  return 0;
}
