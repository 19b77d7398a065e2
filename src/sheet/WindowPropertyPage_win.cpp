#include "WindowPropertyPage_win.h"

#include "LockOutputWindowDialog_win.h"
#include "PasswordDialog_win.h"
#include "PasswordForm.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"
#include "WindowForm.h"
#include "settings/SettingsPassword.h"

CWindowPropertyPage::CWindowPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kWindow, IDD_SETTINGS_WINDOW, state, SettingsBindings::windowPage())
{
}

void CWindowPropertyPage::applyRules()
{
  WindowForm::clearLockWithoutTitles(controls());
}

// A password set by policy cannot be changed here either.
void CWindowPropertyPage::lockPolicyControls()
{
  CSettingsPage::lockPolicyControls();
  if (!state().locks.isPasswordLocked())
    return;
  controls().setEnabled(IDC_WINDOW_SET_PASSWORD, false);
  controls().setText(IDC_SETTINGS_POLICY_NOTE, PolicyLocks::kszNote);
}

bool CWindowPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nCode != BN_CLICKED)
    return false;
  switch (nId)
  {
  case IDC_WINDOW_LOCK:
  case IDC_WINDOW_HOLD:
    WindowForm::applyEnableRules(controls());
    lockPolicyControls();
    return true;
  case IDC_WINDOW_SETUP:
    setupTitles();
    return true;
  case IDC_WINDOW_SET_PASSWORD:
    setPassword();
    return true;
  default:
    return false;
  }
}

void CWindowPropertyPage::setupTitles()
{
  CLockOutputWindowDialog dialog(controls().getList(IDC_WINDOW_SETUP));
  if (dialog.runModal(hwnd()) != IDOK)
    return;
  controls().setList(IDC_WINDOW_SETUP, dialog.titles());
  WindowForm::clearLockWithoutTitles(controls());
}

// The typed text is turned into its stored form at once, so the page never holds the password
// itself; it reaches the registry only when the sheet closes with OK.
void CWindowPropertyPage::setPassword()
{
  CPasswordDialog dialog(IDD_SET_PASSWORD);
  if (dialog.runModal(hwnd()) != IDOK)
    return;
  std::string strStored;
  if (!SettingsPassword::makeStored(dialog.typed(), state().kdf, strStored))
  {
    showMessage(PasswordForm::kszCryptographyFailed, MB_OK | MB_ICONSTOP);
    return;
  }
  state().strPassword = strStored;
  showMessage(PasswordForm::protectionMessage(dialog.typed()), MB_OK | MB_ICONINFORMATION);
}
