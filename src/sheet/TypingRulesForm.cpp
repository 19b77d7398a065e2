#include "TypingRulesForm.h"

#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"

#include <algorithm>
#include <vector>

const char TypingRulesForm::kszAddCaption[] = "Add Typing Rule";
const char TypingRulesForm::kszEditCaption[] = "Edit Typing Rule";
const char TypingRulesForm::kszPatternsExist[] = "A typing rule for the title \"%s\" and the class \"%s\" already exists.";

namespace
{
const char* const krgszTextMethods[] = {"Unicode", "Layout keys", "Alt+numpad"};
const char* const krgszControlMethods[] = {"Key map", "Ctrl+key", "Alt+numpad", "Text"};

std::vector<std::string> linesOf(const TypingRuleList& list)
{
  std::vector<std::string> rgstrLines;
  for (const TypingRule& rule : list.rules())
    rgstrLines.push_back(TypingRulesForm::lineOf(rule));
  return rgstrLines;
}
}  // namespace

TypingRulesForm::TypingRulesForm(const TypingRuleList& list) : OrderedListForm(linesOf(list))
{
  for (const TypingRule& rule : list.rules())
    m_rules.emplace(keyOf(rule), rule);
}

std::string TypingRulesForm::keyOf(const TypingRule& rule)
{
  return rule.getTitle() + "\t" + rule.getClass();
}

std::string TypingRulesForm::keyOfLine(const std::string& strLine)
{
  size_t nSecondTab = strLine.find('\t', strLine.find('\t') + 1);
  return strLine.substr(0, nSecondTab);
}

std::string TypingRulesForm::lineOf(const TypingRule& rule)
{
  std::string strControl = krgszControlMethods[rule.getControlMethod()];
  if (rule.getControlMethod() == TypingRule::kControlText)
    strControl += " " + rule.getControlText();
  return keyOf(rule) + "\t" + krgszTextMethods[rule.getTextMethod()] + "\t" + strControl;
}

void TypingRulesForm::removeRecord(const std::string& strLine)
{
  m_rules.erase(keyOfLine(strLine));
}

void TypingRulesForm::setRecordOrder(const std::string& strLine, int nOrder)
{
  auto it = m_rules.find(keyOfLine(strLine));
  QB_ASSERT(it != m_rules.end());
  QB_ASSERT(it->second.setOrder(nOrder));
}

void TypingRulesForm::add(const RuleEditor& fnEdit, const ErrorReporter& fnError)
{
  TypingRule rule;
  if (!fnEdit(rule, kszAddCaption))
    return;
  if (!m_rules.emplace(keyOf(rule), rule).second)
  {
    fnError(ExpressionSyntax::fill(kszPatternsExist, {rule.getTitle(), rule.getClass()}));
    return;
  }
  insertLine(insertionPoint(), lineOf(rule));
}

// A refused edit leaves the rule as it was.
void TypingRulesForm::edit(const RuleEditor& fnEdit, const ErrorReporter& fnError)
{
  if (!canEdit())
    return;
  std::string strOldKey = keyOfLine(lines()[selection()]);
  TypingRule edited = m_rules.at(strOldKey);
  if (!fnEdit(edited, kszEditCaption))
    return;
  std::string strNewKey = keyOf(edited);
  if (strNewKey != strOldKey && m_rules.count(strNewKey) != 0)
  {
    fnError(ExpressionSyntax::fill(kszPatternsExist, {edited.getTitle(), edited.getClass()}));
    return;
  }
  m_rules.erase(strOldKey);
  m_rules.emplace(strNewKey, edited);
  replaceLine(selection(), lineOf(edited));
}

std::string TypingRulesForm::test(const std::string& strTitle, const std::string& strClass) const
{
  for (const std::string& strLine : lines())
    if (m_rules.at(keyOfLine(strLine)).matches(strTitle, strClass))
      return strLine;
  return std::string();
}

TypingRuleList TypingRulesForm::result() const
{
  std::vector<TypingRule> rgRules;
  for (const std::string& strLine : lines())
    rgRules.push_back(m_rules.at(keyOfLine(strLine)));
  TypingRuleList list;
  list.setRules(rgRules);
  return list;
}
