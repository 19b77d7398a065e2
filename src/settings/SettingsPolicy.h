#pragma once

#include "QuilbarProfile.h"

#include <cstdint>
#include <string>
#include <vector>

// What an administrator set by policy under "HKEY_LOCAL_MACHINE\Software\Policies\Tarnwick\Quilbar2"
// (Group Policy writes there; the program only reads it). A value named like a profile value, of
// the type the profile stores it as, overrides that value for every profile; "SettingsPassword"
// (text, the password's stored form) replaces the settings password; "LockProfiles" (dword 1)
// forbids adding and deleting profiles. Values of other names or types are ignored.
//
// The stored profiles never take a policy's value: the program runs and shows a profile with the
// policy applied, and before a changed profile is saved every policy-set value is taken back from
// the stored one.
class SettingsPolicy
{
public:
  static const char kszDefaultKeyPath[];  // "HKEY_LOCAL_MACHINE\Software\Policies\Tarnwick\Quilbar2"
  static const char kszSettingsPassword[];  // "SettingsPassword"
  static const char kszLockProfiles[];      // "LockProfiles"

  explicit SettingsPolicy(const std::string& strKeyPath = kszDefaultKeyPath);
  // The policy key of a software key: "<software key>\Policies\Tarnwick\Quilbar2" (the default
  // for "HKEY_LOCAL_MACHINE\Software"; tests use a software key of their own).
  static std::string keyPathBelow(const std::string& strSoftwareKey);

  struct ReadValue
  {
    std::string strName;
    uint32_t dwType;  // Registry::kdwType...
  };
  // Every value the program reads from the policy key, with the type it reads it as.
  static std::vector<ReadValue> readValues();

  // Reads the key afresh; no key is no policy.
  void load();

  // Letter case ignored, as the registry compares names.
  bool isValueSet(const std::string& strName) const;
  const TextList& getSetValues() const { return m_rgSetValues; }
  // The profile with every policy-set value in place of its own.
  void applyTo(QuilbarProfile& profile) const;
  // Every policy-set value of the edited profile taken back from the stored one.
  void keepStored(const QuilbarProfile& stored, QuilbarProfile& edited) const;

  bool isPasswordSet() const { return m_fPasswordSet; }
  const std::string& getPassword() const { return m_strPassword; }
  // The password that guards the settings: the policy's when it sets one, else the stored one.
  const std::string& effectivePassword(const std::string& strStored) const;
  bool areProfilesLocked() const { return m_fProfilesLocked; }

private:
  std::string m_strKeyPath;
  QuilbarProfile m_values;  // the policy-set values; the others unused
  TextList m_rgSetValues;   // in the profile's own spelling
  bool m_fPasswordSet = false;
  std::string m_strPassword;
  bool m_fProfilesLocked = false;
};
