#include "ReplacementTest.h"

#include "FormatTest.h"
#include "base/DataConv.h"
#include "engine/ReplacementMap.h"

ReplacementTest::Result ReplacementTest::run(const ReplacementMap& replacements, const std::string& strInput)
{
  Result result;
  std::string strData;
  if (!FormatTest::convertInput(strInput, strData))
  {
    result.fNotationError = true;
    return result;
  }
  result.nReplacements = replacements.applyReplacements(strData);
  result.strCount = std::to_string(result.nReplacements);
  result.strDataOutput = DataConv::render(strData);
  return result;
}
