#include "HardwarePinEventsDialog_win.h"

#include "dialogs/DialogControls_win.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"

CHardwarePinEventsDialog::CHardwarePinEventsDialog(QuilbarProfile& profile, const PolicyLocks& locks)
    : CDialogBase(IDD_HARDWARE_PIN_EVENTS), m_profile(profile), m_locks(locks)
{
}

bool CHardwarePinEventsDialog::onInit()
{
  CDialogControls controls(hwnd());
  loadControls(SettingsBindings::pinEventsDialog(), m_profile, controls);
  m_locks.apply(SettingsBindings::pinEventsDialog(), controls);
  return true;
}

void CHardwarePinEventsDialog::onOk()
{
  CDialogControls controls(hwnd());
  storeControls(SettingsBindings::pinEventsDialog(), controls, m_profile);
  endDialog(IDOK);
}
