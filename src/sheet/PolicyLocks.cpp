#include "PolicyLocks.h"

#include "SettingsResourceIds.h"
#include "SettingsSheetPages.h"
#include "dialogs/ControlValues.h"
#include "settings/SettingsPolicy.h"

#include <cstring>

const char PolicyLocks::kszNote[] = "Dimmed settings are set by your administrator.";

namespace
{
// Buttons that change a value without being bound to it.
struct Companion
{
  const char* pszValue;
  int nId;
};
const Companion krgCompanions[] = {
    {"InitString", IDC_INIT_REMOVE},
    {"DataStringTerminator", IDC_DATAEDITING_SELECT},
};
}  // namespace

bool PolicyLocks::isLocked(const ProfileBinding& binding) const
{
  return m_pPolicy != nullptr && m_pPolicy->isValueSet(binding.pszValue);
}

bool PolicyLocks::isPasswordLocked() const
{
  return m_pPolicy != nullptr && m_pPolicy->isPasswordSet();
}

BindingTable PolicyLocks::lockedRows(const BindingTable& table) const
{
  BindingTable locked;
  for (const ProfileBinding& binding : table)
  {
    if (isLocked(binding))
      locked.push_back(binding);
  }
  return locked;
}

void PolicyLocks::apply(const BindingTable& table, ControlValues& controls) const
{
  bool fAny = false;
  for (const ProfileBinding& binding : lockedRows(table))
  {
    disableRow(binding, controls);
    fAny = true;
  }
  controls.setText(IDC_SETTINGS_POLICY_NOTE, fAny ? kszNote : "");
}

void PolicyLocks::disableRow(const ProfileBinding& binding, ControlValues& controls) const
{
  if (binding.kind == BindingKind::Radio || binding.kind == BindingKind::Bits)
  {
    for (const RadioChoice& choice : binding.rgRadio)
      controls.setEnabled(choice.nId, false);
    return;
  }
  controls.setEnabled(binding.nId, false);
  for (const SettingsSheetPages::SpinRange& range : SettingsSheetPages::spinRanges())
  {
    if (range.nEditId == binding.nId)
      controls.setEnabled(range.nSpinId, false);
  }
  for (const Companion& companion : krgCompanions)
  {
    if (std::strcmp(companion.pszValue, binding.pszValue) == 0)
      controls.setEnabled(companion.nId, false);
  }
}
