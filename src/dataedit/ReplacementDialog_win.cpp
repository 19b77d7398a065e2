#include "ReplacementDialog_win.h"

#include "dialogs/DataEditingControls_win.h"
#include "ReplacementForm.h"
#include "DataEditingResourceIds.h"
#include "engine/Replacement.h"

CReplacementDialog::CReplacementDialog(Replacement& replacement, const std::string& strCaption)
  : CDialogBase(IDD_REPLACEMENT), m_replacement(replacement), m_strCaption(strCaption)
{
}

bool CReplacementDialog::onInit()
{
  SetWindowTextA(hwnd(), m_strCaption.c_str());
  FillGuard filling(*this);
  setItemText(IDC_REPLACEMENT_SEARCH, m_replacement.getInput());
  setItemText(IDC_REPLACEMENT_REPLACE, m_replacement.getReplace());
  return true;
}

void CReplacementDialog::onOk()
{
  std::string strSearchFor = itemText(IDC_REPLACEMENT_SEARCH);
  std::string strReplaceWith = itemText(IDC_REPLACEMENT_REPLACE);
  DataEditingMessage problem = ReplacementForm::check(strSearchFor, strReplaceWith);
  if (!problem.isEmpty())
  {
    dataediting::showMessage(hwnd(), problem);
    return;
  }
  ReplacementForm::apply(strSearchFor, strReplaceWith, m_replacement);
  endDialog(IDOK);
}
