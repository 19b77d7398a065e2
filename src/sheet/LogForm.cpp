#include "LogForm.h"

#include "dialogs/ControlValues.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "pipeline/EventLog.h"
#include "settings/QuilbarProfile.h"

// An unchanged name is not announced again, so leaving the page twice writes one line. An emptied
// name counts as changed and cannot be written to, so it is refused like a bad path.
LogForm::Outcome LogForm::leave(const ControlValues& controls, QuilbarProfile& profile, const Announcer& fnAnnounce)
{
  Outcome outcome;
  std::string strFilename = controls.getText(IDC_LOG_FILENAME);
  if (strFilename != profile.getLogFilename() && !fnAnnounce(strFilename))
  {
    outcome.fMayLeave = false;
    outcome.strMessage = EventLog::kszUnableToCreateLogFile;
    outcome.nFocusId = IDC_LOG_FILENAME;
    return outcome;
  }
  storeControls(SettingsBindings::logPage(), controls, profile);
  return outcome;
}
