#include "TypingRuleForm.h"

#include "base/Assert.h"
#include "base/DataConv.h"
#include "keyboard/TypingRule.h"

const char TypingRuleForm::kszEmptyTitle[] =
    "Enter the title of the windows the rule is for. The wild cards ? and * may be used.";
const char TypingRuleForm::kszControlTextInvalid[] = "The text for control characters is not valid.";

TypingRuleForm::Values TypingRuleForm::valuesOf(const TypingRule& rule)
{
  return {rule.getTitle(), rule.getClass(), rule.getTextMethod(), rule.getControlMethod(), rule.getControlText()};
}

// An empty title pattern matches only windows without a title, which is never what was meant.
DataEditingMessage TypingRuleForm::check(const Values& values, int nTitleId, int nControlTextId)
{
  if (values.strTitle.empty())
    return DataEditingMessage::stop(kszEmptyTitle, nTitleId);
  std::string strBytes;
  if (controlTextEnabled(values.nControlMethod) && !DataConv::parse(values.strControlText, strBytes))
    return DataEditingMessage::stop(kszControlTextInvalid, nControlTextId);
  return DataEditingMessage::none();
}

bool TypingRuleForm::controlTextEnabled(int nControlMethod)
{
  return nControlMethod == TypingRule::kControlText;
}

void TypingRuleForm::apply(const Values& values, TypingRule& rule)
{
  rule.setTitle(values.strTitle);
  rule.setClass(values.strClass);
  QB_ASSERT(rule.setTextMethod(values.nTextMethod));
  QB_ASSERT(rule.setControlMethod(values.nControlMethod));
  rule.setControlText(values.strControlText);
}
