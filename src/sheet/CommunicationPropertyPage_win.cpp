#include "CommunicationPropertyPage_win.h"

#include "CommunicationForm.h"
#include "HardwarePinEventsDialog_win.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"

CCommunicationPropertyPage::CCommunicationPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kCommunication, IDD_SETTINGS_COMMUNICATION, state,
                    SettingsBindings::communicationPage())
{
}

void CCommunicationPropertyPage::prepareControls()
{
  controls().fillChoices(IDC_COMMUNICATION_PORT, CommunicationForm::portChoices());
  controls().fillChoices(IDC_COMMUNICATION_SPEED, CommunicationForm::speedChoices());
  controls().fillChoices(IDC_COMMUNICATION_DATA, CommunicationForm::dataChoices());
  controls().fillChoices(IDC_COMMUNICATION_PARITY, CommunicationForm::parityChoices());
  controls().fillChoices(IDC_COMMUNICATION_STOP, CommunicationForm::stopChoices());
}

void CCommunicationPropertyPage::applyRules()
{
  CommunicationForm::applyEnableRules(controls());
}

bool CCommunicationPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nCode != BN_CLICKED)
    return false;
  switch (nId)
  {
  case IDC_COMMUNICATION_DUPLICATE_FILTER:
    applyRules();
    lockPolicyControls();
    return true;
  case IDC_COMMUNICATION_DEFAULT:
  {
    FillGuard guard(*this);
    CommunicationForm::putDefaults(controls());
    restoreLockedValues();
    applyRules();
    lockPolicyControls();
    return true;
  }
  case IDC_COMMUNICATION_PIN_EVENTS:
  {
    CHardwarePinEventsDialog dialog(profile(), state().locks);
    dialog.runModal(hwnd());
    return true;
  }
  default:
    return false;
  }
}
