#pragma once

#include "SettingsPage_win.h"

// "Log": the log file and whether events are written to it. A new file name that cannot be
// written keeps the page open.
class CLogPropertyPage : public CSettingsPage
{
public:
  explicit CLogPropertyPage(SettingsSheetState& state);

protected:
  bool storeValues() override;
};
