#pragma once

#include "PolicyLocks.h"
#include "dataedit/DataEditingOpeners_win.h"

#include <string>

class PasswordKdf;
class QuilbarProfile;

// What the settings sheet's pages share while it is open: the profile copy they edit, the page
// that was activated last, the password being edited (in its stored form) and the dialogs the
// pages open, and what an administrator's policy holds.
struct SettingsSheetState
{
  SettingsSheetState(QuilbarProfile& profileCopy, const std::string& strStoredPassword, DataEditingOpeners openers,
                     PasswordKdf& kdf)
      : profile(profileCopy), strPassword(strStoredPassword), openers(std::move(openers)), kdf(kdf)
  {
  }

  QuilbarProfile& profile;
  unsigned nActivePage = 0;
  std::string strPassword;
  DataEditingOpeners openers;
  PasswordKdf& kdf;
  PolicyLocks locks;
};
