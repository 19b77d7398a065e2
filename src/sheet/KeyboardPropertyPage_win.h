#pragma once

#include "SettingsPage_win.h"

// "Keyboard": the inter-character delay, the case setting, pre- and postfix keys and the
// character translation table.
class CKeyboardPropertyPage : public CSettingsPage
{
public:
  explicit CKeyboardPropertyPage(SettingsSheetState& state);

protected:
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
};
