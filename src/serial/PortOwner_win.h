#pragma once

#include "BlinkThread_win.h"
#include "CommThread_win.h"
#include "DataStringSink.h"
#include "HandOverQueue.h"
#include "PortWriter_win.h"
#include "settings/QuilbarProfile.h"
#include "SerialSettings.h"

#include <windows.h>

#include <memory>
#include <string>

class PortHost;

extern const char* const kszReplayFile;

// Puts the profile's line settings into the driver's record, keeping the fields it has no say on.
void applyLineSettings(DCB& dcb, const SerialSettings& settings);

// Owns the serial port and its two worker threads on behalf of the main window, whose thread
// calls every operation here. Finished data strings go to the owner window as WM_DATASTRING,
// tray states as WM_SETTRAYSTATE.
class PortOwner
{
public:
  PortOwner(HWND hwndOwner, PortHost& host);
  // Logs the data strings it could not hand over, and those the window has not taken.
  ~PortOwner();
  PortOwner(const PortOwner&) = delete;
  PortOwner& operator=(const PortOwner&) = delete;

  // Opens the profile's port and starts the threads. False on failure, which has been reported
  // (message 103 or 121, or the terminator message for a terminator setting that yields no
  // terminator), except for a port name that is no COM port.
  // The profile is copied: it is the running profile until the next opening.
  bool OpenPort(const QuilbarProfile& profile);
  // Stops the threads and closes the port; harmless when nothing is open. Data strings the window
  // could not take yet stay queued, or go to the event log when the window is gone.
  void ClosePort();
  // Shows the port error text (with the profile's port name) on the tray icon and in a box.
  void ReportPortError(int nId);
  // Asks the communication thread to send the clipboard out of the port; nothing when closed.
  void SendClipboardContents();
  // Text injected by another program (WM_COPYDATA), cut like port data. While no port is open
  // it is cut here on the window's thread with the last profile used, so it is never lost. Text
  // that would make more than four megabytes wait for the thread is refused (and logged): false.
  bool takeExternalData(const char* pszText);

  bool isOpen() const { return static_cast<bool>(m_nComPortHandle); }
  // The copy of the profile the port was last opened with; the pipeline reads its settings here.
  const QuilbarProfile& runningProfile() const { return m_runningProfile; }
  HANDLE portHandle() const { return m_nComPortHandle.get(); }

  // Conversion self-test run when the main window initialises; a failure ends the process.
  static void runSelfTest();

  // For tests and measurements.
  void setDeliver(HandOverQueue::Deliver fnDeliver) { m_fnDeliver = std::move(fnDeliver); }
  void setReplayFile(const std::string& strFile) { m_strReplayFile = strFile; }
  size_t pendingHandOvers() const { return m_queue.size(); }
  HANDLE commThreadHandle() const;
  BlinkThread& blinkThread() { return m_blinkThread; }

private:
  class OfflineSink;

  bool StartCommThread();
  void StopCommThread();
  bool configurePort(HANDLE hPort) const;
  void sendInitString();
  void flushHandOvers();
  void logUndelivered();
  bool appendExternalData(const char* pszText);

  HWND m_hwndOwner;
  PortHost& m_host;
  UniqueFileHandle m_nComPortHandle;
  QuilbarProfile m_runningProfile;
  SerialSettings m_settings;  // the serial values of the running profile
  bool m_fHaveSettings = false;
  CRITICAL_SECTION m_csExternalData;
  std::string m_strExternalData;
  HandOverQueue m_queue;
  HandOverQueue::Deliver m_fnDeliver;
  std::string m_strReplayFile;
  PortWriter m_writer;
  BlinkThread m_blinkThread;
  std::unique_ptr<CommThread> m_pCommThread;
  std::unique_ptr<OfflineSink> m_pOfflineSink;
  std::unique_ptr<DataStringCutter> m_pOfflineCutter;
};
