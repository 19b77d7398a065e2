#pragma once

#include <windows.h>

#include <string>

class QuilbarProfile;
class SettingsPolicy;

// What the settings sheet hands back when it closes.
struct SettingsSheetOutcome
{
  bool fOk = false;           // closed with OK: the profile copy holds the edits
  unsigned nActivePage = 0;   // the page that was active when it closed
  std::string strPassword;    // the settings password in its stored form from now on (empty: none)
};

// Opens the "Settings" sheet modally on a copy of the current profile, which it edits in place,
// starting on page nStartPage, with the stored password; what a policy sets is shown dimmed.
SettingsSheetOutcome runSettingsSheet(HWND hwndOwner, QuilbarProfile& profileCopy, unsigned nStartPage,
                                      const std::string& strStoredPassword, const SettingsPolicy* pPolicy = nullptr);

// The password check before the settings sheet opens and before the program unloads: true when
// no password is stored or the user typed it; false when the user cancelled or typed another
// (after the dialog has said so).
bool checkSettingsPassword(HWND hwndOwner, const std::string& strStoredPassword);
