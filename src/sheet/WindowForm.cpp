#include "WindowForm.h"

#include "dialogs/ControlValues.h"
#include "SettingsResourceIds.h"

void WindowForm::applyEnableRules(ControlValues& controls)
{
  bool fLock = controls.isChecked(IDC_WINDOW_LOCK);
  bool fHold = fLock && controls.isChecked(IDC_WINDOW_HOLD);
  controls.setEnabled(IDC_WINDOW_SETUP, fLock);
  controls.setEnabled(IDC_WINDOW_HOLD, fLock);
  for (int nId : {IDC_WINDOW_HOLD_LABEL, IDC_WINDOW_HOLD_TIME, IDC_WINDOW_HOLD_SPIN, IDC_WINDOW_HOLD_UNIT})
    controls.setEnabled(nId, fHold);
}

void WindowForm::clearLockWithoutTitles(ControlValues& controls)
{
  if (controls.getList(IDC_WINDOW_SETUP).empty())
    controls.setChecked(IDC_WINDOW_LOCK, false);
  applyEnableRules(controls);
}
