#include "DataEditingPropertyPage_win.h"

#include "DataEditingForm.h"
#include "SettingsResourceIds.h"
#include "SelectTerminatorDialog_win.h"
#include "SettingsBindings.h"
#include "SettingsSheetPages.h"

CDataEditingPropertyPage::CDataEditingPropertyPage(SettingsSheetState& state)
    : CSettingsPage(SettingsSheetPages::kDataEditing, IDD_SETTINGS_DATAEDITING, state,
                    SettingsBindings::dataEditingPage())
{
}

void CDataEditingPropertyPage::applyRules()
{
  DataEditingForm::applyEnableRules(controls());
}

bool CDataEditingPropertyPage::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nCode != BN_CLICKED)
    return false;
  switch (nId)
  {
  case IDC_DATAEDITING_BY_CHARACTERS:
  case IDC_DATAEDITING_BY_TIMEOUT:
    applyRules();
    lockPolicyControls();
    return true;
  case IDC_DATAEDITING_SELECT:
    selectTerminator();
    return true;
  case IDC_DATAEDITING_REPLACEMENTS:
    editReplacements();
    return true;
  case IDC_DATAEDITING_TEST_REPLACEMENTS:
    state().openers.fnReplacementTest(hwnd(), profile().getReplacementMap());
    return true;
  case IDC_DATAEDITING_FORMATS:
    editFormats();
    return true;
  case IDC_DATAEDITING_TEST_FORMATS:
    storeValues();
    state().openers.fnFormatTest(hwnd(), profile());
    return true;
  default:
    return false;
  }
}

void CDataEditingPropertyPage::selectTerminator()
{
  CSelectTerminatorDialog dialog(controls().getText(IDC_DATAEDITING_TERMINATOR));
  if (dialog.runModal(hwnd()) == IDOK)
    controls().setText(IDC_DATAEDITING_TERMINATOR, dialog.terminator());
}

void CDataEditingPropertyPage::editReplacements()
{
  ReplacementMap replacementsCopy(profile().getReplacementMap());
  if (state().openers.fnReplacements(hwnd(), replacementsCopy))
    profile().getReplacementMap() = replacementsCopy;
}

// The formats dialog works on a copy of the whole profile (its test runs the page's settings
// too), so the page's values go into the profile first and come back from it afterwards.
void CDataEditingPropertyPage::editFormats()
{
  storeValues();
  QuilbarProfile profileCopy(profile());
  if (!state().openers.fnFormats(hwnd(), profileCopy))
    return;
  profile() = profileCopy;
  loadValues();
}
