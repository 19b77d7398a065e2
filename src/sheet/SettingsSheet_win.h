#pragma once

#include "dataedit/DataEditingOpeners_win.h"
#include "SettingsDialogs_win.h"
#include "SettingsSheetState_win.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CSettingsPage;
class PasswordKdf;
class QuilbarProfile;
class SettingsPolicy;

// The "Settings" property sheet: six pages on a working copy of the profile, OK and Cancel, no
// Apply and no Help. Only OK copies the edits into the profile it was given.
class CSettingsSheet
{
public:
  CSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage, const std::string& strStoredPassword,
                 PasswordKdf& kdf, DataEditingOpeners openers = DataEditingOpeners());
  ~CSettingsSheet();
  CSettingsSheet(const CSettingsSheet&) = delete;
  CSettingsSheet& operator=(const CSettingsSheet&) = delete;

  // Shows what the policy sets dimmed; the sheet keeps a pointer, so the policy outlives it.
  void holdByPolicy(const SettingsPolicy& policy) { m_state.locks = PolicyLocks(policy); }
  SettingsSheetOutcome run(HWND hwndOwner);

private:
  QuilbarProfile& m_profileCopy;
  std::unique_ptr<QuilbarProfile> m_pWorking;
  unsigned m_nStartPage;
  SettingsSheetState m_state;
  std::vector<std::unique_ptr<CSettingsPage>> m_rgpPages;
};
