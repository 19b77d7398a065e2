#include "KeyboardPropertyPage_win.h"

#include "CharTransDialog_win.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"

CKeyboardPropertyPage::CKeyboardPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kKeyboard, IDD_SETTINGS_KEYBOARD, state, SettingsBindings::keyboardPage())
{
}

// The list edits a copy of the table, so its Cancel discards every edit made in it.
bool CKeyboardPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nId != IDC_KEYBOARD_CHAR_TRANS || nCode != BN_CLICKED)
    return false;
  KeyTranslatorMap mapCopy(profile().getKeyTranslatorMap());
  CCharTransDialog dialog(mapCopy);
  if (dialog.runModal(hwnd()) == IDOK)
    profile().getKeyTranslatorMap() = mapCopy;
  return true;
}
