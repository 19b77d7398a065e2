#pragma once

#include "SettingsPage_win.h"

// "Initialization": the text sent to the port after it opens, and starting with Windows.
class CInitPropertyPage : public CSettingsPage
{
public:
  explicit CInitPropertyPage(SettingsSheetState& state);

protected:
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
};
