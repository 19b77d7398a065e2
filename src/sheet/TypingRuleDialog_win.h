#pragma once

#include "base/DialogBase_win.h"

#include <string>

class TypingRule;

// "Typing Rule" ("Add Typing Rule", "Edit Typing Rule"): the window patterns of one rule and how
// it types text and control characters. OK stores them when the form's checks pass.
class CTypingRuleDialog : public CDialogBase
{
public:
  CTypingRuleDialog(TypingRule& rule, const std::string& strCaption);

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;

private:
  void updateControlText();

  TypingRule& m_rule;
  std::string m_strCaption;
};
