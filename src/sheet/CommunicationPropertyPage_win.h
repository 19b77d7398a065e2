#pragma once

#include "SettingsPage_win.h"

// "Communication": the port, its line settings, the duplicate filter and the pin events.
class CCommunicationPropertyPage : public CSettingsPage
{
public:
  explicit CCommunicationPropertyPage(SettingsSheetState& state);

protected:
  void prepareControls() override;
  void applyRules() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
};
