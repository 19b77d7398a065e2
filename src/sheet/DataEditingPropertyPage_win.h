#pragma once

#include "SettingsPage_win.h"

// "Data Editing": how data strings end, filtering unknown ones, and the input data replacements
// and data editing formats with their test dialogs.
class CDataEditingPropertyPage : public CSettingsPage
{
public:
  explicit CDataEditingPropertyPage(SettingsSheetState& state);

protected:
  void applyRules() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;

private:
  void selectTerminator();
  void editReplacements();
  void editFormats();
};
