#include "ReplacementForm.h"

#include "DataEditingResourceIds.h"
#include "base/Assert.h"
#include "base/DataConv.h"
#include "engine/Replacement.h"

const char ReplacementForm::kszEmptySearch[] = "The Search for string can't be empty.";
const char ReplacementForm::kszSearchInvalid[] =
    "There is an error in the Search for string.\n"
    "Examples of valid expressions:\n\n"
    "\\xHH - Character in hex notation\n"
    "\\dDDD - Character in decimal notation\n"
    "<ETX> - Human readable control symbol\n"
    "\\< - The < character";
const char ReplacementForm::kszReplaceInvalid[] =
    "There is an error in the Replace string.\n"
    "Examples of valid expressions:\n\n"
    "\\xHH - Character in hex notation\n"
    "\\dDDD - Character in decimal notation\n"
    "<ETX> - Human readable control symbol\n"
    "\\< - The < character";

DataEditingMessage ReplacementForm::check(const std::string& strSearchFor, const std::string& strReplaceWith)
{
  std::string strBytes;
  if (strSearchFor.empty())
    return DataEditingMessage::stop(kszEmptySearch, IDC_REPLACEMENT_SEARCH);
  if (!DataConv::parse(strSearchFor, strBytes))
    return DataEditingMessage::stop(kszSearchInvalid, IDC_REPLACEMENT_SEARCH);
  if (!DataConv::parse(strReplaceWith, strBytes))
    return DataEditingMessage::stop(kszReplaceInvalid, IDC_REPLACEMENT_REPLACE);
  return DataEditingMessage::none();
}

void ReplacementForm::apply(const std::string& strSearchFor, const std::string& strReplaceWith,
                            Replacement& replacement)
{
  QB_ASSERT(replacement.setInput(strSearchFor));
  QB_ASSERT(replacement.setReplace(strReplaceWith));
}
