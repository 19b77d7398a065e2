#include "PortLifecycle_win.h"

#include "DataPath_win.h"
#include "HeldDataRoute_win.h"
#include "MainWindowBox_win.h"
#include "MainWindowForm.h"
#include "TrayNotices_win.h"
#include "base/Assert.h"
#include "base/SystemError_win.h"
#include "settings/QuilbarProfile.h"

namespace
{
const UINT_PTR kidPortRetryTimer = 1;
const char kszBoxCaption[] = "Quilbar";
const char kszStartupMessage[] = "Quilbar32.Startup";
}  // namespace

PortLifecycle::PortLifecycle(DataPath& dataPath, MainWindowForm& form, TrayNotices& tray, HeldDataRoute& heldData)
    : m_dataPath(dataPath), m_form(form), m_tray(tray), m_heldData(heldData)
{
}

void PortLifecycle::registerStartupMessage()
{
  m_uStartupMessage = RegisterWindowMessageA(kszStartupMessage);
  QB_ASSERT(0 != m_uStartupMessage);
}

void PortLifecycle::postStartupMessage()
{
  PostMessageA(m_hwndMain, m_uStartupMessage, 0, 0);
}

bool PortLifecycle::onStartupMessage(UINT uMsg)
{
  if (uMsg == 0 || uMsg != m_uStartupMessage)
    return false;
  OpenPort();
  return true;
}

// Opened on purpose: a port being retried is no longer, and a failure is shown as always.
bool PortLifecycle::OpenPort()
{
  stopRetrying();
  return openRunningPort();
}

void PortLifecycle::ClosePort()
{
  stopRetrying();
  m_dataPath.closePort();
}

// The hold takes the profile's lock and hold settings after the pipeline took the profile: when
// holding stops, the strings held go on through the pipeline with the new profile's lock.
bool PortLifecycle::openRunningPort()
{
  QuilbarProfile* pProfile = m_form.currentProfile();
  if (pProfile == nullptr)
    return false;
  bool fOpen = m_dataPath.openPort(*pProfile);
  pProfile = m_form.currentProfile();
  if (pProfile != nullptr)
    m_heldData.takeSettings(*pProfile);
  if (fOpen && m_recovery.opened())
  {
    KillTimer(m_hwndMain, kidPortRetryTimer);
    logPortEvent(PortRecovery::kszEventBack, PortRecovery::backDetails(runningPortName()));
  }
  return fOpen;
}

// Every two seconds while the port is gone, and once after a resume. A port that does not open
// shows no box: the tray tip already says the device is gone, and the next try comes by itself.
bool PortLifecycle::reopenQuietly()
{
  m_fQuietOpen = true;
  bool fOpen = openRunningPort();
  m_fQuietOpen = false;
  return fOpen;
}

void PortLifecycle::stopRetrying()
{
  KillTimer(m_hwndMain, kidPortRetryTimer);
  m_recovery.closed();
}

// Posted by the communication thread, which goes on polling the dead handle until the port is
// closed here. Strings it had cut are already handed to this window or kept by the port owner.
void PortLifecycle::onPortFailed(WPARAM wParam)
{
  if (!m_recovery.lost())
    return;
  m_dataPath.closePort();
  reportPortGone(systemErrorText(static_cast<DWORD>(wParam)));
}

bool PortLifecycle::onTimer(UINT_PTR idTimer)
{
  if (idTimer != kidPortRetryTimer)
    return false;
  reopenQuietly();
  return true;
}

void PortLifecycle::reportPortGone(const std::string& strError)
{
  std::string strPort = runningPortName();
  m_tray.show(TrayDisplay::failure(PortRecovery::goneTip(strPort)));
  logPortEvent(PortRecovery::kszEventGone, PortRecovery::goneDetails(strPort, strError));
  SetTimer(m_hwndMain, kidPortRetryTimer, PortRecovery::kuRetryMs, nullptr);
}

// After sleep a USB-serial or Bluetooth port may be a dead handle that still answers, and a
// device powered from the bus has forgotten its initialisation string: the port is opened afresh.
// One that does not open is gone, and retried like a pulled adapter.
void PortLifecycle::onResume()
{
  if (!m_recovery.wantsReopenOnResume())
    return;
  logPortEvent(PortRecovery::kszEventResume, PortRecovery::backDetails(runningPortName()));
  m_dataPath.closePort();
  if (!reopenQuietly() && m_recovery.lost())
    reportPortGone("The port could not be opened again after the computer resumed.");
}

std::string PortLifecycle::runningPortName()
{
  const QuilbarProfile* pProfile = m_form.currentProfile();
  return pProfile != nullptr ? pProfile->getPort() : std::string();
}

void PortLifecycle::logPortEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  EventLog& log = m_dataPath.eventLog();
  if (log.isEventOutputWanted())
    log.logEvent(strEvent, rgstrDetails);
}

// ---- PortHost -----------------------------------------------------------------------------------

void PortLifecycle::showError(const std::string& strText)
{
  if (m_fQuietOpen)
    return;
  showMainWindowBox(m_hwndMain, strText, kszBoxCaption, MB_OK | MB_ICONSTOP);
}

// Called on the communication thread: the box belongs to no window of the main thread.
void PortLifecycle::showNotice(const std::string& strText)
{
  MessageBoxA(nullptr, strText.c_str(), kszBoxCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
}

void PortLifecycle::showTrayIdle(const std::string& strTip)
{
  m_tray.showIdle(strTip);
}

// While the port is being opened again by itself, the tip keeps saying that the device is gone.
void PortLifecycle::showTrayFailed(const std::string& strTip)
{
  if (m_fQuietOpen)
    return;
  m_tray.showFailed(strTip);
}

void PortLifecycle::logRawInput(const std::string& strRaw)
{
  m_dataPath.eventLog().logRawInput(strRaw);
}

// The monitor list belongs to the main window's thread: from the communication thread the event
// goes to the log file at once and to the monitors through a posted message (never a sent one:
// the window's thread may be waiting for that thread to stop).
void PortLifecycle::logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  if (GetWindowThreadProcessId(m_hwndMain, nullptr) == GetCurrentThreadId())
  {
    m_dataPath.eventLog().logEvent(strEvent, rgstrDetails);
    return;
  }
  std::string strText = m_dataPath.eventLog().logEventFromOtherThread(strEvent, rgstrDetails);
  if (!strText.empty() && m_threadEvents.push(std::move(strText)) &&
      !PostMessageA(m_hwndMain, WM_THREADEVENTS, 0, 0))
    m_threadEvents.noticeLost();
}

void PortLifecycle::sendThreadEvents()
{
  for (const std::string& strText : m_threadEvents.takeAll())
    m_dataPath.eventLog().sendToMonitors(strText);
}

// On the communication thread, which must not be waited for from here: the window closes the
// port and starts retrying on its own thread.
void PortLifecycle::portFailed(uint32_t dwError)
{
  PostMessageA(m_hwndMain, WM_PORTFAILED, static_cast<WPARAM>(dwError), 0);
}
