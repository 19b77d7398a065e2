#pragma once

#include "ProfileStoreListener.h"
#include "QuilbarProfileMap.h"

#include <cstdint>
#include <string>

// All profiles and the two program-wide settings, kept in one registry tree
// "<software key>\Tarnwick\Quilbar2\Settings": one "Profile%d" sub-key per profile, each written
// over in place by every save. The main window owns the store and decides when to load, save, add,
// switch and delete.
class QuilbarProfileStore
{
public:
  static const char kszDefaultSoftwareKey[];  // "HKEY_LOCAL_MACHINE\Software"
  static const char kszDefaultProfileName[];  // "Default"

  // The software key is the real one in the program; tests put the tree somewhere of their own.
  explicit QuilbarProfileStore(const std::string& strSoftwareKey = kszDefaultSoftwareKey,
                               ProfileStoreListener* pListener = nullptr);
  QuilbarProfileStore(const QuilbarProfileStore&) = delete;
  QuilbarProfileStore& operator=(const QuilbarProfileStore&) = delete;

  const std::string& getSettingsKeyPath() const { return m_strSettingsKeyPath; }

  // Opens or creates "Tarnwick", "Quilbar2" and "Settings" below the software key.
  bool ensureSettingsKeys();
  // True when the settings key cannot be opened for writing (no rights, or before the first run).
  bool isSettingsKeyMissing() const;

  bool loadProfiles(const Registry& regSettingsKey, std::string& strError);
  bool saveProfiles(Registry& regSettingsKey);
  // The start-up load of the whole tree; the first run creates it with a "Default" profile.
  bool loadSettings(std::string& strError);
  bool saveSettings();

  // Makes the profile of that exact name current; when there is none, adds a copy of the current
  // profile (or a default one) under the name first. Writes nothing.
  QuilbarProfile& addOrSelectProfile(const std::string& strName);
  // Deletes the current profile (the user has confirmed), makes "Default" current and saves.
  // False when there is no current profile or the save fails.
  bool deleteCurrentProfile();

  // Takes every profile and both program-wide settings of the other store, which is left without
  // profiles; the first profile becomes current. Writes nothing.
  void takeSettingsFrom(QuilbarProfileStore& source);

  // Read-only: profiles come and go through the operations above, so the current profile never
  // points at a deleted one.
  const QuilbarProfileMap& getProfiles() const { return m_profiles; }
  QuilbarProfile* getCurrentProfile() { return m_pCurrentProfile; }

  uint32_t getSettingsPage() const { return m_dwSettingsPage; }
  void setSettingsPage(uint32_t dwPage) { m_dwSettingsPage = dwPage; }
  const std::string& getPassword() const { return m_strPassword; }
  void setPassword(const std::string& strPassword) { m_strPassword = strPassword; }

private:
  void logEvent(const char* pszEvent, const std::string& strName);

  std::string m_strSoftwareKey;
  std::string m_strSettingsKeyPath;
  ProfileStoreListener* m_pListener;
  QuilbarProfileMap m_profiles;
  QuilbarProfile* m_pCurrentProfile = nullptr;  // points into m_profiles
  uint32_t m_dwSettingsPage = 0;
  std::string m_strPassword;
};
