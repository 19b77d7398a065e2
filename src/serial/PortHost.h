#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the port owner needs from the window that holds it: message boxes, the tray icon and the
// event log. The main window implements it; tests record the calls instead of showing boxes.
class PortHost
{
public:
  virtual ~PortHost() = default;

  // A message box with an OK button and a stop icon; returns when it was answered.
  virtual void showError(const std::string& strText) = 0;
  // A message box captioned "Quilbar" with an OK button; returns when it was answered. Called on
  // the communication thread (replay of a recorded log).
  virtual void showNotice(const std::string& strText) = 0;
  // The tray icon in its idle state, or its failure icon, with the tip (already cut to fit).
  virtual void showTrayIdle(const std::string& strTip) = 0;
  virtual void showTrayFailed(const std::string& strTip) = 0;
  // Called on the communication thread, only when the profile's Logging is on.
  virtual void logRawInput(const std::string& strRaw) = 0;
  // An event of serial acquisition for the event log: a data string cut at the length limit,
  // injected text refused, a replay file that cannot be removed, a port that stopped answering,
  // data strings nobody could take, line errors. Called on either thread, also while the
  // communication thread runs: from there the monitors (a list of the main thread's) must be
  // reached through the main thread, never by waiting for it.
  virtual void logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails) = 0;
  // The open port stopped answering the driver's status call (ClearCommError failed, as it does
  // when a USB adapter is unplugged); dwError is the system's code. Called on the communication
  // thread, once until the port answers again; the thread goes on polling. The main window may
  // post itself a message to close the port, but must not wait for this thread from here.
  virtual void portFailed(uint32_t dwError) = 0;
};
