#pragma once

#include <string>

// The port settings of the current profile, as the Settings function reports them.
struct ProfilePortSettings
{
  std::string strName;
  std::string strPort;
  std::string strSpeed;
  std::string strData;
  std::string strParity;
  std::string strStop;
};

// What output expressions ask of the main window while the pipeline runs them.
class MainWindowActions
{
public:
  virtual ~MainWindowActions() = default;

  virtual void openPort() = 0;
  virtual void closePort() = 0;
  // Records the profile to switch to once the current data string has been handled.
  virtual void setPendingProfile(const std::string& strName) = 0;
  // Asks the communication thread to send the clipboard text out of the port; nothing happens
  // while the port is closed.
  virtual void sendClipboardContents() = 0;
  virtual ProfilePortSettings getCurrentProfileSettings() = 0;
};
