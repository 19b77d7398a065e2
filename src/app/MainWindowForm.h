#pragma once

#include "AutoStartList.h"
#include "MainWindowHost.h"
#include "settings/ProfileStoreListener.h"
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsPolicy.h"

#include <string>

class EventLog;

// The main window's rules: which profile runs at start, switching, adding by typing, deleting,
// the settings sheet's sequence, unloading, and when Delete and Settings are enabled. It owns the
// profile store; the dialog moves values between its controls and this class. The program runs
// the current profile with an administrator's policy applied (read afresh whenever a profile is
// opened), while the store keeps the profiles' own values.
class MainWindowForm : public ProfileStoreListener
{
public:
  static const char kszSettingsUnreadable[];     // "The registry settings could not be read."
  static const char kszProfileMissing[];         // "The profile "%s" does not exist. Using default profile."
  static const char kszProfileNameTooShort[];    // "Profile name must contain at least 1 character."
  static const char kszProfileNameTooShortCaption[];  // "Profile name too short"
  static const char kszConfirmDelete[];          // "Are you sure you want to delete the profile "%s"?"
  static const char kszFarewellEvent[];

  MainWindowForm(MainWindowHost& host, EventLog& log, const AutoStartList& autoStart,
                 const std::string& strSoftwareKey = QuilbarProfileStore::kszDefaultSoftwareKey);

  // The requested profile, from the command line.
  void setRequestedProfile(const std::string& strName) { m_strProfile = strName; }

  // Loading the settings and choosing the profile, up to the buttons' state. False when the
  // settings could not be read: the message has been shown and the program is ending.
  bool initialise();

  // The window's handlers.
  void onProfileSelChange(const std::string& strSelectedEntry);
  void onProfileEditChange();
  void onProfileKillFocus();
  void onDeleteProfile();
  void onSettings();
  // True when the program may end (the settings are saved).
  bool onUnload();
  // The switch an output expression asked for, to an entry of the profile list.
  void switchToPendingProfile(const std::string& strName);

  void updateDeleteButton();
  void updateSettingsButton();

  // Makes the named profile current, adding it as a copy of the current one when absent, and
  // fills the profile list. False for an empty name.
  bool selectProfile(const std::string& strName);

  // The running profile: the current one with the policy applied.
  QuilbarProfile* currentProfile() { return m_store.getCurrentProfile() != nullptr ? &m_running : nullptr; }
  const std::string& profileText() const { return m_strProfile; }
  bool isSettingsReadOnly() const { return m_fSettingsReadOnly; }
  QuilbarProfileStore& store() { return m_store; }

  // The rules themselves.
  static bool isDeleteEnabled(const std::string& strProfile, bool fSettingsReadOnly, const std::string& strPassword);
  static bool isDefaultName(const std::string& strName);
  static std::string formatText(const char* pszFormat, const std::string& strName);

  // ProfileStoreListener
  void logEvent(const std::string& strEvent, const TextList& rgDetails) override;
  void removeStartWithSystem(const std::string& strProfileName) override;

private:
  void chooseStartupProfile();
  bool takeProfileBoxText();
  void restoreCurrentName();
  void showMembers();
  void openRunningProfile();
  void synchroniseAutoStart();
  const std::string& effectivePassword() const { return m_policy.effectivePassword(m_store.getPassword()); }

  MainWindowHost& m_host;
  EventLog& m_log;
  const AutoStartList& m_autoStart;
  QuilbarProfileStore m_store;
  SettingsPolicy m_policy;
  QuilbarProfile m_running;
  std::string m_strProfile;
  bool m_fSettingsReadOnly = false;
};
