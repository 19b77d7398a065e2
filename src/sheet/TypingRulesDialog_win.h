#pragma once

#include "TypingRulesForm.h"
#include "dialogs/OrderedListDialog_win.h"

// "Typing Rules": the rules in the order they are tried, Add, Edit, Remove, the moves, and Test,
// which tells which rule applies to a window title and class. The dialog works on a copy; OK hands
// the rules back in their line order, Cancel drops them.
class CTypingRulesDialog : public COrderedListDialog
{
public:
  explicit CTypingRulesDialog(TypingRuleList& rules);

protected:
  OrderedListForm& listForm() override { return m_form; }
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void addRecord() override;
  void editRecord() override;
  void onOk() override;

private:
  TypingRulesForm::RuleEditor ruleEditor();
  TypingRulesForm::ErrorReporter errorReporter();
  void showTest();

  TypingRuleList& m_target;
  TypingRulesForm m_form;
};
