#include "FormatTest.h"

#include "base/DataConv.h"
#include "engine/DataEditFormatMap.h"
#include "engine/GS1Normaliser.h"
#include "serial/NullByte.h"
#include "settings/QuilbarProfile.h"

const char FormatTest::kszNotationMessage[] =
    "The data string contains an error in the control character notation:\n\n"
    "<ETX> - only known control symbols may stand in angle brackets\n"
    "\\< - a lone < must be written as \\<\n"
    "\\xHH - \\x must be followed by two hexadecimal digits\n"
    "\\dDDD - \\d must be followed by three decimal digits";
const char FormatTest::kszDataFiltered[] = "<No matching data edit format, data filtered>";
const char FormatTest::kszDataPassedThrough[] = "<No matching data edit format, data passed through>";

bool FormatTest::convertInput(const std::string& strInput, std::string& strData)
{
  std::string strBytes;
  if (!DataConv::parse(strInput, strBytes))
    return false;
  strData = expandNullBytes(strBytes);
  return true;
}

// As the pipeline does before the replacements, with the profile's GS1 input forms.
void FormatTest::normalise(const QuilbarProfile& profile, Plan& plan)
{
  GS1Normaliser::Result result = GS1Normaliser::normalise(plan.strData, profile.getGS1InputForms());
  plan.strData = result.strText;
  plan.strSymbology = result.strSymbology;
  plan.strNormalisedField = DataConv::render(result.strText);
  plan.strGS1FormField = GS1Normaliser::describe(result.form);
  if (!result.strSymbology.empty())
    plan.strGS1FormField += ", symbology identifier " + result.strSymbology;
  if (!result.strNotConverted.empty())
    plan.strGS1FormField += ": " + result.strNotConverted;
}

// The format is chosen on a copy of the map: the choice needs no more than reading, and the
// profile under test stays untouched whatever an expression does later.
FormatTest::Plan FormatTest::plan(const QuilbarProfile& profile, const std::string& strInput)
{
  Plan plan;
  if (!convertInput(strInput, plan.strData))
    return plan;
  normalise(profile, plan);
  DataEditFormatMap formats(profile.getDataEditFormatMap());
  if (const DataEditFormat* pFormat = findMatchingFormat(formats, plan.strData))
  {
    plan.step = Step::Evaluate;
    plan.strFormatField = pFormat->getName();
    plan.strExpression = pFormat->getOutput();
  }
  else if (profile.getFilterUnkownDataStrings() != 0)
  {
    plan.step = Step::Filtered;
    plan.strFormatField = kszDataFiltered;
  }
  else
  {
    plan.step = Step::PassThrough;
    plan.strFormatField = kszDataPassedThrough;
  }
  return plan;
}
