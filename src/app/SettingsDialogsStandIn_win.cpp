#include "SettingsDialogs_win.h"

// Stands in for the settings sheet until it is built: the sheet is closed at once with Cancel, and
// only an empty password passes the check.
SettingsSheetOutcome runSettingsSheet(HWND, QuilbarProfile&, unsigned nStartPage, const std::string& strStoredPassword)
{
  SettingsSheetOutcome outcome;
  outcome.nActivePage = nStartPage;
  outcome.strPassword = strStoredPassword;
  return outcome;
}

bool checkSettingsPassword(HWND, const std::string& strStoredPassword)
{
  return strStoredPassword.empty();
}
