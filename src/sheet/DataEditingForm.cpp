#include "DataEditingForm.h"

#include "dialogs/ControlValues.h"
#include "SettingsResourceIds.h"

void DataEditingForm::applyEnableRules(ControlValues& controls)
{
  bool fByCharacters = !controls.isChecked(IDC_DATAEDITING_BY_TIMEOUT);
  controls.setEnabled(IDC_DATAEDITING_TERMINATOR, fByCharacters);
  controls.setEnabled(IDC_DATAEDITING_SELECT, fByCharacters);
  for (int nId : {IDC_DATAEDITING_TIMEOUT, IDC_DATAEDITING_TIMEOUT_SPIN, IDC_DATAEDITING_TIMEOUT_UNIT})
    controls.setEnabled(nId, !fByCharacters);
}
