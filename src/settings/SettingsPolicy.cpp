#include "SettingsPolicy.h"

#include "base/TextCase.h"
#include "base/Registry.h"

const char SettingsPolicy::kszDefaultKeyPath[] = "HKEY_LOCAL_MACHINE\\Software\\Policies\\Tarnwick\\Quilbar2";
const char SettingsPolicy::kszSettingsPassword[] = "SettingsPassword";
const char SettingsPolicy::kszLockProfiles[] = "LockProfiles";

namespace
{
// A policy renaming every profile would make them all one; the name is no policy.
const char kszName[] = "Name";
}  // namespace

SettingsPolicy::SettingsPolicy(const std::string& strKeyPath) : m_strKeyPath(strKeyPath) {}

std::string SettingsPolicy::keyPathBelow(const std::string& strSoftwareKey)
{
  return strSoftwareKey + "\\Policies\\Tarnwick\\Quilbar2";
}

std::vector<SettingsPolicy::ReadValue> SettingsPolicy::readValues()
{
  std::vector<ReadValue> rgValues;
  for (const std::string& strName : QuilbarProfile::storedValueNames())
  {
    uint32_t dwType = 0;
    std::string strStoredName;
    if (strName != kszName && QuilbarProfile::findStoredValue(strName, dwType, strStoredName))
      rgValues.push_back({strName, dwType});
  }
  rgValues.push_back({kszSettingsPassword, Registry::kdwTypeString});
  rgValues.push_back({kszLockProfiles, Registry::kdwTypeDword});
  return rgValues;
}

void SettingsPolicy::load()
{
  m_rgSetValues.clear();
  m_fPasswordSet = false;
  m_strPassword.clear();
  m_fProfilesLocked = false;
  Registry key;
  if (!key.openKey(m_strKeyPath, Registry::kdwAccessRead))
    return;
  for (const std::string& strName : QuilbarProfile::storedValueNames())
  {
    if (strName != kszName && m_values.loadStoredValue(key, strName))
      m_rgSetValues.push_back(strName);
  }
  m_fPasswordSet = key.getKeyValue(kszSettingsPassword, m_strPassword);
  uint32_t dwLock = 0;
  m_fProfilesLocked = key.getKeyValue(kszLockProfiles, dwLock) && dwLock == 1;
}

bool SettingsPolicy::isValueSet(const std::string& strName) const
{
  for (const std::string& strSet : m_rgSetValues)
  {
    if (equalsIgnoringCase(strSet, strName))
      return true;
  }
  return false;
}

void SettingsPolicy::applyTo(QuilbarProfile& profile) const
{
  for (const std::string& strName : m_rgSetValues)
    profile.copyStoredValue(strName, m_values);
}

void SettingsPolicy::keepStored(const QuilbarProfile& stored, QuilbarProfile& edited) const
{
  for (const std::string& strName : m_rgSetValues)
    edited.copyStoredValue(strName, stored);
}

const std::string& SettingsPolicy::effectivePassword(const std::string& strStored) const
{
  return m_fPasswordSet ? m_strPassword : strStored;
}
