#include "PasswordDialog_win.h"

#include "PasswordForm.h"
#include "SettingsResourceIds.h"

CPasswordDialog::CPasswordDialog(int nTemplateId) : CDialogBase(nTemplateId)
{
}

// The typed password does not outlive the dialog object in memory.
CPasswordDialog::~CPasswordDialog()
{
  SecureZeroMemory(&m_strTyped[0], m_strTyped.size());
}

bool CPasswordDialog::onInit()
{
  SendMessageA(item(IDC_PASSWORD_TEXT), EM_LIMITTEXT, PasswordForm::kcchMaxPassword, 0);
  return true;
}

void CPasswordDialog::onOk()
{
  m_strTyped = itemText(IDC_PASSWORD_TEXT);
  setItemText(IDC_PASSWORD_TEXT, "");
  endDialog(IDOK);
}
