#include "TypingRuleDialog_win.h"

#include "SettingsResourceIds.h"
#include "TypingRuleForm.h"
#include "dialogs/DataEditingControls_win.h"
#include "keyboard/TypingRule.h"

namespace
{
const char* const krgszTextMethods[] = {"Unicode character events", "Keys of the window's keyboard layout",
                                        "Alt+numpad codes"};
const char* const krgszControlMethods[] = {"As the character translation says", "Ctrl+key (Ctrl+] for GS)",
                                           "Alt+numpad codes (Alt+0029 for GS)", "As this text:"};

void fillChoices(HWND hwndCombo, const char* const* ppszChoices, int nCount, int nSelected)
{
  for (int i = 0; i < nCount; ++i)
    SendMessageA(hwndCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ppszChoices[i]));
  SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nSelected), 0);
}

int choice(HWND hwndCombo)
{
  LRESULT nSelected = SendMessageA(hwndCombo, CB_GETCURSEL, 0, 0);
  return nSelected == CB_ERR ? 0 : static_cast<int>(nSelected);
}
}  // namespace

CTypingRuleDialog::CTypingRuleDialog(TypingRule& rule, const std::string& strCaption)
    : CDialogBase(IDD_TYPING_RULE), m_rule(rule), m_strCaption(strCaption)
{
}

bool CTypingRuleDialog::onInit()
{
  SetWindowTextA(hwnd(), m_strCaption.c_str());
  FillGuard filling(*this);
  TypingRuleForm::Values values = TypingRuleForm::valuesOf(m_rule);
  setItemText(IDC_TYPINGRULE_TITLE, values.strTitle);
  setItemText(IDC_TYPINGRULE_CLASS, values.strClass);
  fillChoices(item(IDC_TYPINGRULE_TEXT_METHOD), krgszTextMethods, 3, values.nTextMethod);
  fillChoices(item(IDC_TYPINGRULE_CONTROL_METHOD), krgszControlMethods, 4, values.nControlMethod);
  setItemText(IDC_TYPINGRULE_CONTROL_TEXT, values.strControlText);
  updateControlText();
  return true;
}

bool CTypingRuleDialog::onCommand(int nId, int nCode, HWND)
{
  if (nId != IDC_TYPINGRULE_CONTROL_METHOD || nCode != CBN_SELCHANGE)
    return false;
  updateControlText();
  return true;
}

void CTypingRuleDialog::updateControlText()
{
  dataediting::enableKeepingFocus(hwnd(), IDC_TYPINGRULE_CONTROL_TEXT,
                                  TypingRuleForm::controlTextEnabled(choice(item(IDC_TYPINGRULE_CONTROL_METHOD))),
                                  IDC_TYPINGRULE_CONTROL_METHOD);
}

void CTypingRuleDialog::onOk()
{
  TypingRuleForm::Values values;
  values.strTitle = itemText(IDC_TYPINGRULE_TITLE);
  values.strClass = itemText(IDC_TYPINGRULE_CLASS);
  values.nTextMethod = choice(item(IDC_TYPINGRULE_TEXT_METHOD));
  values.nControlMethod = choice(item(IDC_TYPINGRULE_CONTROL_METHOD));
  values.strControlText = itemText(IDC_TYPINGRULE_CONTROL_TEXT);
  DataEditingMessage problem = TypingRuleForm::check(values, IDC_TYPINGRULE_TITLE, IDC_TYPINGRULE_CONTROL_TEXT);
  if (!problem.isEmpty())
  {
    dataediting::showMessage(hwnd(), problem);
    return;
  }
  TypingRuleForm::apply(values, m_rule);
  endDialog(IDOK);
}
