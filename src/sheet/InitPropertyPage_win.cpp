#include "InitPropertyPage_win.h"

#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"

CInitPropertyPage::CInitPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kInit, IDD_SETTINGS_INIT, state, SettingsBindings::initPage())
{
}

bool CInitPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nId != IDC_INIT_REMOVE || nCode != BN_CLICKED)
    return false;
  controls().setText(IDC_INIT_STRING, "");
  return true;
}
