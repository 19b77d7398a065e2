#include "TypingRulesDialog_win.h"

#include "SettingsResourceIds.h"
#include "TypingRuleDialog_win.h"
#include "dialogs/DataEditingControls_win.h"

namespace
{
const OrderedListControls kControls = {IDC_TYPINGRULES_LIST, IDC_TYPINGRULES_MOVEUP, IDC_TYPINGRULES_MOVEDOWN,
                                       IDC_TYPINGRULES_ADD,  IDC_TYPINGRULES_EDIT,   IDC_TYPINGRULES_REMOVE};

// Where the class, text and control columns start, in dialog units; the headers stand there too.
const int krgnColumns[] = {70, 130, 180};
}  // namespace

CTypingRulesDialog::CTypingRulesDialog(TypingRuleList& rules)
    : COrderedListDialog(IDD_TYPING_RULES, kControls), m_target(rules), m_form(rules)
{
}

bool CTypingRulesDialog::onInit()
{
  SendMessageA(item(IDC_TYPINGRULES_LIST), LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(krgnColumns));
  return COrderedListDialog::onInit();
}

bool CTypingRulesDialog::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nId == IDC_TYPINGRULES_TEST && nCode == BN_CLICKED)
  {
    showTest();
    return true;
  }
  return COrderedListDialog::onCommand(nId, nCode, hwndControl);
}

void CTypingRulesDialog::showTest()
{
  std::string strLine = m_form.test(itemText(IDC_TYPINGRULES_TEST_TITLE), itemText(IDC_TYPINGRULES_TEST_CLASS));
  if (strLine.empty())
  {
    setItemText(IDC_TYPINGRULES_TEST_RESULT, "No rule applies: typed as the character translation says.");
    return;
  }
  for (char& ch : strLine)
    if (ch == '\t')
      ch = ' ';
  setItemText(IDC_TYPINGRULES_TEST_RESULT, "Applies: " + strLine);
}

TypingRulesForm::RuleEditor CTypingRulesDialog::ruleEditor()
{
  return [this](TypingRule& rule, const std::string& strCaption) {
    CTypingRuleDialog dialog(rule, strCaption);
    return dialog.runModal(hwnd()) == IDOK;
  };
}

TypingRulesForm::ErrorReporter CTypingRulesDialog::errorReporter()
{
  return [this](const std::string& strMessage) { dataediting::showMessage(hwnd(), DataEditingMessage::stop(strMessage)); };
}

void CTypingRulesDialog::addRecord()
{
  m_form.add(ruleEditor(), errorReporter());
}

void CTypingRulesDialog::editRecord()
{
  m_form.edit(ruleEditor(), errorReporter());
}

void CTypingRulesDialog::onOk()
{
  m_form.commitOrder();
  m_target = m_form.result();
  endDialog(IDOK);
}
