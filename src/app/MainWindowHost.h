#pragma once

#include <string>
#include <vector>

class QuilbarProfile;
class SettingsPolicy;

// What the settings sheet hands back, in the main window's terms.
struct SettingsSheetResult
{
  bool fOk = false;
  unsigned nActivePage = 0;
  std::string strPassword;
};

// The boxes the main window shows.
enum class MainWindowBox
{
  kSettingsUnreadable,  // OK, stop icon, brought to the foreground, topmost
  kProfileMissing,      // OK, no icon, brought to the foreground, topmost
  kProfileNameTooShort, // OK, exclamation icon, its own caption
};

// The main window's controls and the program around it, as the main window's rules see them.
// The dialog implements it; tests record the calls.
class MainWindowHost
{
public:
  virtual ~MainWindowHost() = default;

  // The profile box: its text ("take the control values") and showing a text in it.
  virtual std::string profileBoxText() = 0;
  virtual void showProfileBoxText(const std::string& strText) = 0;
  // Replaces the entries of the profile box's list (the box keeps them sorted).
  virtual void fillProfileList(const std::vector<std::string>& rgstrNames) = 0;
  virtual void enableDeleteButton(bool fEnabled) = 0;
  virtual void enableSettingsButton(bool fEnabled) = 0;
  // Whether a name typed into the profile box may become a new profile.
  virtual void allowNewProfileNames(bool fAllowed) = 0;
  virtual void focusProfileBox() = 0;
  virtual void focusHideButton() = 0;
  virtual void repaint() = 0;

  virtual void showBox(MainWindowBox box, const std::string& strText) = 0;
  // Yes and No buttons, exclamation icon; true for Yes.
  virtual bool confirm(const std::string& strText) = 0;

  // The port of the current profile: closed first, then opened with it; false on failure.
  virtual bool openPort() = 0;
  virtual void closePort() = 0;
  virtual bool checkSettingsPassword(const std::string& strStoredPassword) = 0;
  // What the policy sets is shown dimmed.
  virtual SettingsSheetResult runSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage,
                                               const std::string& strStoredPassword,
                                               const SettingsPolicy& policy) = 0;
  // Ends the program: the settings could not be read.
  virtual void postQuit() = 0;
};
