#include "SettingsDialogs_win.h"

#include "PasswordDialog_win.h"
#include "PasswordForm.h"
#include "SettingsResourceIds.h"
#include "SettingsSheet_win.h"
#include "SettingsSheetPages.h"
#include "settings/SettingsPassword.h"
#include "settings/SystemPasswordKdf_win.h"

SettingsSheetOutcome runSettingsSheet(HWND hwndOwner, QuilbarProfile& profileCopy, unsigned nStartPage,
                                      const std::string& strStoredPassword, const SettingsPolicy* pPolicy)
{
  SystemPasswordKdf kdf;
  CSettingsSheet sheet(profileCopy, nStartPage, strStoredPassword, kdf);
  if (pPolicy != nullptr)
    sheet.holdByPolicy(*pPolicy);
  return sheet.run(hwndOwner);
}

// A stored password of an older version is the text itself, a newer one a hash record: both
// are checked by SettingsPassword, in the same time wherever the typed text differs.
bool checkSettingsPassword(HWND hwndOwner, const std::string& strStoredPassword)
{
  if (strStoredPassword.empty())
    return true;
  CPasswordDialog dialog(IDD_ENTER_PASSWORD);
  if (dialog.runModal(hwndOwner) != IDOK)
    return false;
  SystemPasswordKdf kdf;
  if (SettingsPassword::matches(strStoredPassword, dialog.typed(), kdf))
    return true;
  MessageBoxA(hwndOwner, PasswordForm::kszInvalidPassword, SettingsSheetPages::kszMessageCaption, MB_OK);
  return false;
}
