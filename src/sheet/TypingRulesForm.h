#pragma once

#include "dialogs/OrderedListForm.h"
#include "keyboard/TypingRuleList.h"

#include <functional>
#include <map>
#include <string>

// The rules of "Typing Rules": one line per rule in the order they are tried ("Title<TAB>Class<TAB>
// text method<TAB>control method"), Add and Edit with the rule dialog, Test, and the list rules of
// OrderedListForm. Two rules for the same title and class patterns are refused: the second could
// never apply. OK hands the edited list back.
class TypingRulesForm : public OrderedListForm
{
public:
  using RuleEditor = std::function<bool(TypingRule& rule, const std::string& strCaption)>;
  using ErrorReporter = std::function<void(const std::string& strMessage)>;

  static const char kszAddCaption[];
  static const char kszEditCaption[];
  static const char kszPatternsExist[];  // with the title and class patterns

  explicit TypingRulesForm(const TypingRuleList& list);

  void add(const RuleEditor& fnEdit, const ErrorReporter& fnError);
  void edit(const RuleEditor& fnEdit, const ErrorReporter& fnError);
  // What Test answers for a window: the line of the first rule that applies, or that none does.
  std::string test(const std::string& strTitle, const std::string& strClass) const;
  // The rules in their line order (call after commitOrder).
  TypingRuleList result() const;

  static std::string lineOf(const TypingRule& rule);

private:
  void removeRecord(const std::string& strLine) override;
  void setRecordOrder(const std::string& strLine, int nOrder) override;
  static std::string keyOf(const TypingRule& rule);
  static std::string keyOfLine(const std::string& strLine);

  std::map<std::string, TypingRule> m_rules;
};
