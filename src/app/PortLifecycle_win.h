#pragma once

#include "PortRecovery.h"
#include "pipeline/MonitorTextQueue.h"
#include "serial/PortHost.h"

#include <windows.h>

#include <string>
#include <vector>

class DataPath;
class HeldDataRoute;
class MainWindowForm;
class TrayNotices;

// Posted by the communication thread when the open port stops answering; wParam: the system's
// error code.
const UINT WM_PORTFAILED = WM_APP + 101;
// Posted by the communication thread when events it logged wait for the monitors.
const UINT WM_THREADEVENTS = WM_APP + 102;

// The running port's life on the main window's thread: opened on purpose (start-up, a profile
// switch, the settings sheet, an output expression) with its failures shown in boxes, or opened
// again by itself, quietly, every two seconds after it went away and once after a resume.
class PortLifecycle : public PortHost
{
public:
  PortLifecycle(DataPath& dataPath, MainWindowForm& form, TrayNotices& tray, HeldDataRoute& heldData);

  // The main window exists; its timer and messages serve the retrying.
  void attach(HWND hwndMain) { m_hwndMain = hwndMain; }

  // "Quilbar32.Startup", which the window posts itself once painted: the first opening.
  void registerStartupMessage();
  bool hasStartupMessage() const { return m_uStartupMessage != 0; }
  void postStartupMessage();
  bool onStartupMessage(UINT uMsg);

  bool OpenPort();
  void ClosePort();
  // WM_PORTFAILED; true for the retry timer's WM_TIMER; PBT_APMRESUMEAUTOMATIC.
  void onPortFailed(WPARAM wParam);
  bool onTimer(UINT_PTR idTimer);
  void onResume();
  // WM_THREADEVENTS: the communication thread's events to the monitors.
  void sendThreadEvents();

  // PortHost
  void showError(const std::string& strText) override;
  void showNotice(const std::string& strText) override;
  void showTrayIdle(const std::string& strTip) override;
  void showTrayFailed(const std::string& strTip) override;
  void logRawInput(const std::string& strRaw) override;
  void logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails) override;
  void portFailed(uint32_t dwError) override;

private:
  bool openRunningPort();
  bool reopenQuietly();
  void stopRetrying();
  void reportPortGone(const std::string& strError);
  std::string runningPortName();
  void logPortEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails);

  DataPath& m_dataPath;
  MainWindowForm& m_form;
  TrayNotices& m_tray;
  HeldDataRoute& m_heldData;
  HWND m_hwndMain = nullptr;
  UINT m_uStartupMessage = 0;
  PortRecovery m_recovery;
  // Set while the port is opened again by itself: its failures show no message box.
  bool m_fQuietOpen = false;
  // Events of the communication thread on their way to the monitors, which are this thread's.
  MonitorTextQueue m_threadEvents;
};
