#pragma once

#include "ProfileBinding.h"

class ControlValues;
class SettingsPolicy;

// Which controls of the settings sheet an administrator's policy holds. A control bound to a
// policy-set value is disabled, with the spin arrows and buttons that would change it, after the
// page's own enable rules ran; the page's note says why. Without a policy nothing is held.
class PolicyLocks
{
public:
  static const char kszNote[];  // "Dimmed settings are set by your administrator."

  PolicyLocks() = default;
  explicit PolicyLocks(const SettingsPolicy& policy) : m_pPolicy(&policy) {}

  bool isLocked(const ProfileBinding& binding) const;
  bool isPasswordLocked() const;
  // The rows of the table whose values the policy sets.
  BindingTable lockedRows(const BindingTable& table) const;
  // Disables the locked controls and fills the note; the other controls keep what the page's
  // rules gave them.
  void apply(const BindingTable& table, ControlValues& controls) const;

private:
  void disableRow(const ProfileBinding& binding, ControlValues& controls) const;

  const SettingsPolicy* m_pPolicy = nullptr;
};
