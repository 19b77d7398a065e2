#include "QuilbarProfileStore.h"

#include "base/RegistryMessages.h"
#include "base/RegistryWriteJournal.h"
#include "base/Assert.h"

#include <map>
#include <memory>

const char QuilbarProfileStore::kszDefaultSoftwareKey[] = "HKEY_LOCAL_MACHINE\\Software";
const char QuilbarProfileStore::kszDefaultProfileName[] = "Default";

namespace
{
const char* const krgSettingsKeyChain[] = {"Tarnwick", "Quilbar2", "Settings"};
const char kszProfileKeyPrefix[] = "Profile";
}  // namespace

QuilbarProfileStore::QuilbarProfileStore(const std::string& strSoftwareKey,
                                         ProfileStoreListener* pListener)
    : m_strSoftwareKey(strSoftwareKey),
      m_strSettingsKeyPath(strSoftwareKey + "\\Tarnwick\\Quilbar2\\Settings"),
      m_pListener(pListener)
{
}

bool QuilbarProfileStore::ensureSettingsKeys()
{
  Registry rgKeys[4];
  bool fOpened = rgKeys[0].openKey(m_strSoftwareKey, Registry::kdwAccessAll);
  for (int i = 1; fOpened && i < 4; ++i)
    fOpened = rgKeys[i - 1].createSubKey(krgSettingsKeyChain[i - 1], rgKeys[i]);
  if (!fOpened)
    return false;
  bool fClosed = true;
  for (int i = 3; i >= 0; --i)
    fClosed = rgKeys[i].closeKey() && fClosed;
  return fClosed;
}

bool QuilbarProfileStore::isSettingsKeyMissing() const
{
  Registry regSettings;
  if (!regSettings.openKey(m_strSettingsKeyPath, Registry::kdwAccessAll))
    return true;
  regSettings.closeKey();
  return false;
}

// The current profile points into the map, so it is forgotten before the map is emptied.
bool QuilbarProfileStore::loadProfiles(const Registry& regSettingsKey, std::string& strError)
{
  m_pCurrentProfile = nullptr;
  m_profiles.removeAll();
  TextList rgSubKeys;
  if (!regSettingsKey.getSubKeys(rgSubKeys))
  {
    strError = registrymessages::failedToGetSubKeys(regSettingsKey);
    return false;
  }
  for (const std::string& strSubKey : rgSubKeys)
  {
    auto pProfile = std::make_unique<QuilbarProfile>();
    Registry regProfile;
    if (!regSettingsKey.openSubKey(strSubKey, regProfile, Registry::kdwAccessRead))
    {
      strError = registrymessages::failedToOpenSubKey(regSettingsKey, strSubKey);
      return false;
    }
    if (!pProfile->loadFromRegistry(regProfile, strError))
      return false;
    std::string strName = pProfile->getName();
    if (!m_profiles.add(strName, std::move(pProfile)))
    {
      strError = "Failed to add profile " + strName + " to the profile map.";
      return false;
    }
  }
  return true;
}

namespace
{
// Which existing key holds which profile of the map, by its Name value; the other keys (gone
// profiles, foreign keys, a second key with a name already seen) are stale.
void sortProfileKeys(const Registry& regSettingsKey, const TextList& rgSubKeys, const QuilbarProfileMap& profiles,
                     std::map<std::string, std::string>& mapKeyOfProfile, TextList& rgStaleKeys)
{
  for (const std::string& strSubKey : rgSubKeys)
  {
    std::string strName;
    Registry regProfile;
    if (regSettingsKey.openSubKey(strSubKey, regProfile, Registry::kdwAccessRead)
        && regProfile.getKeyValue("Name", strName) && profiles.lookup(strName) != nullptr
        && mapKeyOfProfile.count(strName) == 0)
      mapKeyOfProfile[strName] = strSubKey;
    else
      rgStaleKeys.push_back(strSubKey);
  }
}

// The profile over its key, then whatever the key held that this save did not write removed.
bool writeProfileOver(Registry& regSettingsKey, const std::string& strKey, const QuilbarProfile& profile)
{
  Registry regProfile;
  RegistryWriteJournal journal;
  if (!regSettingsKey.createSubKey(strKey, regProfile))
    return false;
  regProfile.setWriteJournal(&journal);
  return profile.saveToRegistry(regProfile) && regProfile.removeUnwritten(journal) && regProfile.closeKey();
}
}  // namespace

// Each profile is written over the key that already holds its name (a new "Profile%d" key for a
// new profile), and only then is whatever that key held beyond the profile removed: stale values
// and the keys of formats, criteria and replacements that are gone. Keys of profiles that are no
// longer in the map (and foreign keys) are deleted last. A save that fails or is killed half-way
// therefore never leaves fewer profiles than before; the old way, deleting every key first and
// rewriting after, could leave none. Every sub-key of the settings key is a profile key: one
// whose Name cannot be read is foreign and goes too.
bool QuilbarProfileStore::saveProfiles(Registry& regSettingsKey)
{
  TextList rgSubKeys;
  if (!regSettingsKey.getSubKeys(rgSubKeys))
    return false;
  std::map<std::string, std::string> mapKeyOfProfile;
  TextList rgStaleKeys;
  sortProfileKeys(regSettingsKey, rgSubKeys, m_profiles, mapKeyOfProfile, rgStaleKeys);
  // Key names in use, compared as the registry compares them (the journal folds letter case).
  RegistryWriteJournal keysInUse;
  for (const std::string& strSubKey : rgSubKeys)
    keysInUse.addKey(strSubKey);
  int nNextNumber = 0;
  for (const auto& entry : m_profiles.getEntries())
  {
    std::string strKey;
    auto itKey = mapKeyOfProfile.find(entry.first);
    if (itKey != mapKeyOfProfile.end())
      strKey = itKey->second;
    else
    {
      do
        strKey = kszProfileKeyPrefix + std::to_string(nNextNumber++);
      while (keysInUse.hasKey(strKey));
      keysInUse.addKey(strKey);
    }
    if (!writeProfileOver(regSettingsKey, strKey, *entry.second))
      return false;
  }
  for (const std::string& strSubKey : rgStaleKeys)
  {
    if (!regSettingsKey.deleteSubKey(strSubKey))
      return false;
  }
  return true;
}

bool QuilbarProfileStore::loadSettings(std::string& strError)
{
  Registry regSettings;
  if (!regSettings.openKey(m_strSettingsKeyPath, Registry::kdwAccessRead))
  {
    addOrSelectProfile(kszDefaultProfileName);
    saveSettings();
    if (!regSettings.openKey(m_strSettingsKeyPath, Registry::kdwAccessRead))
    {
      strError = "Quilbar was unable to create the registry key " + m_strSettingsKeyPath
                 + ". You need to log in as administrator when running or configuring Quilbar "
                   "for the first time.";
      return false;
    }
  }
  if (!regSettings.getKeyValue("SettingsPage", m_dwSettingsPage))
    m_dwSettingsPage = 0;
  if (!regSettings.getKeyValue("Password", m_strPassword))
    m_strPassword.clear();
  if (!loadProfiles(regSettings, strError))
    return false;
  m_pCurrentProfile = m_profiles.first();
  if (m_pCurrentProfile == nullptr)
    return false;
  return regSettings.closeKey();
}

// A settings key that was just opened with full access but refuses SettingsPage or Password is
// reported as a failed save, without writing the profiles.
bool QuilbarProfileStore::saveSettings()
{
  if (!ensureSettingsKeys())
    return false;
  Registry regSettings;
  if (!regSettings.openKey(m_strSettingsKeyPath, Registry::kdwAccessAll))
    return false;
  if (!regSettings.createKeyValue("SettingsPage", m_dwSettingsPage)
      || !regSettings.createKeyValue("Password", m_strPassword))
    return false;
  return saveProfiles(regSettings);
}

QuilbarProfile& QuilbarProfileStore::addOrSelectProfile(const std::string& strName)
{
  QuilbarProfile* pExisting = m_profiles.lookup(strName);
  if (pExisting != nullptr)
  {
    m_pCurrentProfile = pExisting;
    return *pExisting;
  }
  auto pProfile = m_pCurrentProfile != nullptr ? std::make_unique<QuilbarProfile>(*m_pCurrentProfile)
                                               : std::make_unique<QuilbarProfile>();
  QB_ASSERT(true == pProfile->setName(strName));
  QuilbarProfile* pAdded = pProfile.get();
  QB_ASSERT(true == m_profiles.add(strName, std::move(pProfile)));
  m_pCurrentProfile = pAdded;
  logEvent("Profile Added", strName);
  return *pAdded;
}

// With no "Default" left, the new one is built from default values, not from the profile that
// was just deleted.
bool QuilbarProfileStore::deleteCurrentProfile()
{
  if (m_pCurrentProfile == nullptr)
    return false;
  std::string strName = m_pCurrentProfile->getName();
  logEvent("Profile Deleted", strName);
  if (m_pListener != nullptr)
    m_pListener->removeStartWithSystem(strName);
  // Removed by identity: the map key is the name the profile was added under.
  std::string strKey;
  for (const auto& entry : m_profiles.getEntries())
  {
    if (entry.second.get() == m_pCurrentProfile)
      strKey = entry.first;
  }
  m_pCurrentProfile = nullptr;
  QB_ASSERT(true == m_profiles.remove(strKey));
  addOrSelectProfile(kszDefaultProfileName);
  return saveSettings();
}

void QuilbarProfileStore::takeSettingsFrom(QuilbarProfileStore& source)
{
  m_pCurrentProfile = nullptr;
  source.m_pCurrentProfile = nullptr;
  m_profiles.removeAll();
  m_profiles.swap(source.m_profiles);
  m_pCurrentProfile = m_profiles.first();
  m_dwSettingsPage = source.m_dwSettingsPage;
  m_strPassword = source.m_strPassword;
}

void QuilbarProfileStore::logEvent(const char* pszEvent, const std::string& strName)
{
  if (m_pListener != nullptr)
    m_pListener->logEvent(pszEvent, TextList{"Name = " + strName});
}
