#include "LogPropertyPage_win.h"

#include "LogForm.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"
#include "pipeline/EventLog.h"

CLogPropertyPage::CLogPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kLog, IDD_SETTINGS_LOG, state, SettingsBindings::logPage())
{
}

bool CLogPropertyPage::storeValues()
{
  SystemLogClock clock;
  EventLog log(clock, nullptr);
  LogForm::Outcome outcome = LogForm::leave(controls(), profile(), [&log](const std::string& strFilename) {
    return log.announceNewLogFilename(strFilename);
  });
  if (outcome.fMayLeave)
    return true;
  showMessage(outcome.strMessage, MB_OK | MB_ICONSTOP);
  focusItem(outcome.nFocusId);
  return false;
}
