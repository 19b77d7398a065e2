#include "KeyboardPropertyPage_win.h"

#include "CharTransDialog_win.h"
#include "TypingRulesDialog_win.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"

CKeyboardPropertyPage::CKeyboardPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kKeyboard, IDD_SETTINGS_KEYBOARD, state, SettingsBindings::keyboardPage())
{
}

// The lists edit copies, so their Cancel discards every edit made in them.
bool CKeyboardPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nId == IDC_KEYBOARD_TYPING_RULES && nCode == BN_CLICKED)
  {
    TypingRuleList rulesCopy(profile().getTypingRules());
    CTypingRulesDialog dialog(rulesCopy);
    if (dialog.runModal(hwnd()) == IDOK)
      profile().getTypingRules() = rulesCopy;
    return true;
  }
  if (nId != IDC_KEYBOARD_CHAR_TRANS || nCode != BN_CLICKED)
    return false;
  KeyTranslatorMap mapCopy(profile().getKeyTranslatorMap());
  CCharTransDialog dialog(mapCopy);
  if (dialog.runModal(hwnd()) == IDOK)
    profile().getKeyTranslatorMap() = mapCopy;
  return true;
}
