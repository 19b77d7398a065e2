#include "MainWindowForm.h"

#include "base/TextCase.h"
#include "pipeline/EventLog.h"
#include "settings/QuilbarProfile.h"

#include <vector>

const char MainWindowForm::kszSettingsUnreadable[] = "The registry settings could not be read.";
const char MainWindowForm::kszProfileMissing[] = "The profile \"%s\" does not exist. Using default profile.";
const char MainWindowForm::kszProfileNameTooShort[] = "Profile name must contain at least 1 character.";
const char MainWindowForm::kszProfileNameTooShortCaption[] = "Profile name too short";
const char MainWindowForm::kszConfirmDelete[] = "Are you sure you want to delete the profile \"%s\"?";
const char MainWindowForm::kszFarewellEvent[] = "Buckle Your Seatbelt Dorothy, Because Quilbar is Going Bye-bye";

MainWindowForm::MainWindowForm(MainWindowHost& host, EventLog& log, const AutoStartList& autoStart,
                               const std::string& strSoftwareKey)
    : m_host(host),
      m_log(log),
      m_autoStart(autoStart),
      m_store(strSoftwareKey, this),
      m_policy(SettingsPolicy::keyPathBelow(strSoftwareKey))
{
}

std::string MainWindowForm::formatText(const char* pszFormat, const std::string& strName)
{
  std::string strText = pszFormat;
  size_t nAt = strText.find("%s");
  if (nAt != std::string::npos)
    strText.replace(nAt, 2, strName);
  return strText;
}

bool MainWindowForm::isDefaultName(const std::string& strName)
{
  return equalsIgnoringCase(strName, QuilbarProfileStore::kszDefaultProfileName);
}

bool MainWindowForm::isDeleteEnabled(const std::string& strProfile, bool fSettingsReadOnly, const std::string& strPassword)
{
  return !isDefaultName(strProfile) && !fSettingsReadOnly && strPassword.empty();
}

bool MainWindowForm::initialise()
{
  std::string strError = kszSettingsUnreadable;
  if (!m_store.loadSettings(strError))
  {
    m_host.showBox(MainWindowBox::kSettingsUnreadable, strError.empty() ? kszSettingsUnreadable : strError);
    m_host.postQuit();
    return false;
  }
  chooseStartupProfile();
  synchroniseAutoStart();
  m_fSettingsReadOnly = m_store.isSettingsKeyMissing();
  updateDeleteButton();
  updateSettingsButton();
  return true;
}

// A profile named on the command line must exist with exactly that name; another letter case is
// another profile, and the fallback to "Default" is saved so that the registry holds it.
void MainWindowForm::chooseStartupProfile()
{
  bool fSave = false;
  if (!m_strProfile.empty() && m_store.getProfiles().lookup(m_strProfile) != nullptr)
    selectProfile(m_strProfile);
  else
  {
    if (!m_strProfile.empty())
    {
      m_host.showBox(MainWindowBox::kProfileMissing, formatText(kszProfileMissing, m_strProfile));
      fSave = true;
    }
    selectProfile(QuilbarProfileStore::kszDefaultProfileName);
  }
  m_strProfile = m_store.getCurrentProfile()->getName();
  if (fSave)
    m_store.saveSettings();
  showMembers();
}

// With the profiles locked by policy a name that is no profile yet adds none: the current one
// stays.
bool MainWindowForm::selectProfile(const std::string& strName)
{
  if (strName.empty())
    return false;
  m_policy.load();
  if (m_policy.areProfilesLocked() && m_store.getProfiles().lookup(strName) == nullptr
      && m_store.getCurrentProfile() != nullptr)
  {
    restoreCurrentName();
    openRunningProfile();
    return false;
  }
  m_store.addOrSelectProfile(strName);
  openRunningProfile();
  std::vector<std::string> rgstrNames;
  for (const auto& entry : m_store.getProfiles().getEntries())
    rgstrNames.push_back(entry.first);
  m_host.fillProfileList(rgstrNames);
  return true;
}

void MainWindowForm::openRunningProfile()
{
  m_running = *m_store.getCurrentProfile();
  m_policy.applyTo(m_running);
  m_host.allowNewProfileNames(!m_policy.areProfilesLocked());
}

void MainWindowForm::synchroniseAutoStart()
{
  m_autoStart.synchroniseAutoStart(m_store.getProfiles(), &m_policy);
}

void MainWindowForm::showMembers()
{
  m_host.showProfileBoxText(m_strProfile);
}

// An emptied box gets the current profile's name back: an empty name is never a profile.
bool MainWindowForm::takeProfileBoxText()
{
  m_strProfile = m_host.profileBoxText();
  if (!m_strProfile.empty())
    return true;
  restoreCurrentName();
  return false;
}

void MainWindowForm::restoreCurrentName()
{
  QuilbarProfile* pCurrent = m_store.getCurrentProfile();
  m_strProfile = pCurrent != nullptr ? pCurrent->getName() : QuilbarProfileStore::kszDefaultProfileName;
  showMembers();
}

void MainWindowForm::updateDeleteButton()
{
  // Profiles locked by policy cannot be deleted, as if the settings were read-only.
  bool fFixed = m_fSettingsReadOnly || m_policy.areProfilesLocked();
  m_host.enableDeleteButton(isDeleteEnabled(m_strProfile, fFixed, effectivePassword()));
}

void MainWindowForm::updateSettingsButton()
{
  m_host.enableSettingsButton(!m_fSettingsReadOnly);
}

void MainWindowForm::onProfileSelChange(const std::string& strSelectedEntry)
{
  m_strProfile = strSelectedEntry;
  updateDeleteButton();
  if (m_log.isEventOutputWanted())
    m_log.logEvent("Switching Profile", {"Name = " + m_strProfile});
  if (!selectProfile(m_strProfile))
  {
    restoreCurrentName();
    return;
  }
  m_store.saveSettings();
  showMembers();
  if (!m_host.openPort())
    m_host.focusProfileBox();
}

void MainWindowForm::switchToPendingProfile(const std::string& strName)
{
  m_strProfile = strName;
  showMembers();
  onProfileSelChange(strName);
}

// A typed name becomes a profile only when the settings sheet opens or the program unloads.
void MainWindowForm::onProfileEditChange()
{
  m_strProfile = m_host.profileBoxText();
  updateDeleteButton();
  if (isDefaultName(m_strProfile) && m_strProfile != QuilbarProfileStore::kszDefaultProfileName)
  {
    m_strProfile = QuilbarProfileStore::kszDefaultProfileName;
    showMembers();
  }
}

void MainWindowForm::onProfileKillFocus()
{
  if (takeProfileBoxText())
    return;
  m_host.showBox(MainWindowBox::kProfileNameTooShort, kszProfileNameTooShort);
  updateDeleteButton();
  m_host.focusProfileBox();
}

// The question names the profile in the box, and only a profile of exactly that name is deleted:
// a name typed but never added has nothing to delete, and the current profile must not go in its
// place.
void MainWindowForm::onDeleteProfile()
{
  if (!takeProfileBoxText() || m_policy.areProfilesLocked())
    return;
  if (!m_host.confirm(formatText(kszConfirmDelete, m_strProfile)))
    return;
  if (m_store.getProfiles().lookup(m_strProfile) != nullptr)
  {
    m_store.addOrSelectProfile(m_strProfile);
    m_store.deleteCurrentProfile();
  }
  else
    m_autoStart.unregisterAutoStart(m_strProfile);
  m_strProfile = QuilbarProfileStore::kszDefaultProfileName;
  selectProfile(m_strProfile);
  m_store.saveSettings();
  showMembers();
  m_host.enableDeleteButton(false);
  m_host.focusHideButton();
}

// No data is read while the sheet is open; the port is opened again with whatever profile is
// current afterwards, whether the sheet ended with OK or not. The sheet shows the running profile;
// what the policy sets keeps its stored value when the edits are saved, and a password set by
// policy is never stored.
void MainWindowForm::onSettings()
{
  m_policy.load();
  if (!m_host.checkSettingsPassword(effectivePassword()))
    return;
  m_log.logEvent("Entering Settings dialog");
  m_host.closePort();
  takeProfileBoxText();
  selectProfile(m_strProfile);
  showMembers();

  QuilbarProfile& current = *m_store.getCurrentProfile();
  QuilbarProfile profileCopy(m_running);
  SettingsSheetResult result =
      m_host.runSettingsSheet(profileCopy, m_store.getSettingsPage(), effectivePassword(), m_policy);
  if (result.fOk)
  {
    m_store.setSettingsPage(result.nActivePage);
    if (!m_policy.isPasswordSet())
      m_store.setPassword(result.strPassword);
    m_policy.keepStored(current, profileCopy);
    // The map is keyed by the name, so the name stays whatever the sheet did.
    const std::string strName = current.getName();
    current = profileCopy;
    current.setName(strName);
    openRunningProfile();
    m_store.saveSettings();
    synchroniseAutoStart();
  }
  m_log.logEvent("Exiting Settings dialog");
  showMembers();
  m_host.repaint();
  updateDeleteButton();
  m_host.openPort();
}

bool MainWindowForm::onUnload()
{
  m_log.logEvent(kszFarewellEvent);
  if (!m_host.checkSettingsPassword(effectivePassword()))
    return false;
  takeProfileBoxText();
  selectProfile(m_strProfile);
  m_store.saveSettings();
  return true;
}

void MainWindowForm::logEvent(const std::string& strEvent, const TextList& rgDetails)
{
  if (m_log.isEventOutputWanted())
    m_log.logEvent(strEvent, rgDetails);
}

void MainWindowForm::removeStartWithSystem(const std::string& strProfileName)
{
  m_autoStart.unregisterAutoStart(strProfileName);
}
