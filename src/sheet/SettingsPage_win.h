#pragma once

#include "dialogs/DialogControls_win.h"
#include "ProfileBinding.h"
#include "SettingsSheetState_win.h"
#include "base/PropertyPageBase_win.h"

#include <memory>

// One page of the settings sheet: when activated it records itself as the active page and loads
// its controls from the profile copy; when left it stores them back. A page never activated
// writes nothing.
class CSettingsPage : public CPropertyPageBase
{
public:
  CSettingsPage(unsigned nIndex, int nTemplateId, SettingsSheetState& state, const BindingTable& bindings);

protected:
  bool onInit() override;
  void onSetActive() override;
  bool onKillActive() override;

  // The page's own rules after its controls were loaded, and on every click that may change them.
  virtual void applyRules() {}
  // Stores the controls into the profile; false keeps the page (it has said why).
  virtual bool storeValues();
  // Fills lists and the like once, when the page is created.
  virtual void prepareControls() {}

  void loadValues();
  // Disables what the policy holds; after every enable rule, since a rule may enable it again.
  virtual void lockPolicyControls();
  // Puts the policy's values back into the controls it holds (after a button filled defaults).
  void restoreLockedValues();
  CDialogControls& controls() { return *m_pControls; }
  SettingsSheetState& state() { return m_state; }
  QuilbarProfile& profile() { return m_state.profile; }
  const BindingTable& bindings() const { return m_bindings; }
  // A message of the sheet (caption "Quilbar").
  int showMessage(const std::string& strText, UINT uType);

private:
  unsigned m_nIndex;
  SettingsSheetState& m_state;
  const BindingTable& m_bindings;
  std::unique_ptr<CDialogControls> m_pControls;
};
