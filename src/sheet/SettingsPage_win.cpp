#include "SettingsPage_win.h"

#include "SettingsSheetPages.h"

#include <commctrl.h>

CSettingsPage::CSettingsPage(unsigned nIndex, int nTemplateId, SettingsSheetState& state, const BindingTable& bindings)
    : CPropertyPageBase(nTemplateId, SettingsSheetPages::title(nIndex)),
      m_nIndex(nIndex),
      m_state(state),
      m_bindings(bindings)
{
}

// The spin controls get their ranges here: a range in the template would be lost to the default.
bool CSettingsPage::onInit()
{
  m_pControls = std::make_unique<CDialogControls>(hwnd());
  for (const SettingsSheetPages::SpinRange& range : SettingsSheetPages::spinRanges())
  {
    HWND hwndSpin = item(range.nSpinId);
    if (hwndSpin != nullptr)
      SendMessageA(hwndSpin, UDM_SETRANGE32, static_cast<WPARAM>(range.nMin), static_cast<LPARAM>(range.nMax));
  }
  FillGuard guard(*this);
  prepareControls();
  return true;
}

void CSettingsPage::onSetActive()
{
  m_state.nActivePage = m_nIndex;
  loadValues();
}

bool CSettingsPage::onKillActive()
{
  return storeValues();
}

void CSettingsPage::loadValues()
{
  FillGuard guard(*this);
  loadControls(m_bindings, m_state.profile, controls());
  applyRules();
  lockPolicyControls();
}

void CSettingsPage::lockPolicyControls()
{
  m_state.locks.apply(m_bindings, controls());
}

void CSettingsPage::restoreLockedValues()
{
  loadControls(m_state.locks.lockedRows(m_bindings), m_state.profile, controls());
}

bool CSettingsPage::storeValues()
{
  storeControls(m_bindings, controls(), m_state.profile);
  return true;
}

int CSettingsPage::showMessage(const std::string& strText, UINT uType)
{
  return messageBox(strText, SettingsSheetPages::kszMessageCaption, uType);
}
