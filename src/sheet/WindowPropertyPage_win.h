#pragma once

#include "SettingsPage_win.h"

// "Window": hiding the main window, the output window lock with its titles, holding data for a
// locked window, and the settings password.
class CWindowPropertyPage : public CSettingsPage
{
public:
  explicit CWindowPropertyPage(SettingsSheetState& state);

protected:
  void applyRules() override;
  void lockPolicyControls() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;

private:
  void setupTitles();
  void setPassword();
};
