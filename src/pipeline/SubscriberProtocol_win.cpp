#include "SubscriberProtocol_win.h"

#include "CommunicationRequests.h"
#include "EventLog.h"
#include "InjectedData.h"
#include "SubscriberMessages.h"
#include "base/Assert.h"
#include "keyboard/KeyboardEvents.h"

#include <cstring>

namespace
{
const char kszNoSubscriberTitle[] = "(unable to get window title of subscriber)";
const char kszEventSubscriberRefused[] = "Subscriber Refused";
const char kszEventMonitorRefused[] = "Monitor Refused";

bool isExistingWindow(WindowHandle hWindow)
{
  return IsWindow(static_cast<HWND>(hWindow)) != FALSE;
}

// A send that failed because its window has gone (it may vanish between the test and the send).
bool hasVanished(HWND hwnd, DWORD dwError)
{
  return dwError == ERROR_INVALID_WINDOW_HANDLE || !IsWindow(hwnd);
}

// A window of this very process (the main window, a message box, the help viewer) as a subscriber
// or monitor would get every output or event sent back in as injected data: nothing would be
// typed, and in time-out mode the text would go round for ever.
bool isWindowOfThisProcess(HWND hwnd)
{
  DWORD dwProcessId = 0;
  return hwnd != NULL && GetWindowThreadProcessId(hwnd, &dwProcessId) != 0 && dwProcessId == GetCurrentProcessId();
}

std::string titleOrNone(HWND hwnd)
{
  std::string strTitle;
  if (hwnd == NULL || !SubscriberProtocol::getWindowTitle(hwnd, strTitle))
    strTitle = kszNoSubscriberTitle;
  return strTitle;
}

// Another program's copy-data record is copied into this process by the system, but a sender in
// this process passes its own pointers unchecked: the block is read only when every page of it is
// committed and readable.
bool isReadableBlock(const void* pData, size_t cbData)
{
  const char* pch = static_cast<const char*>(pData);
  const char* pchEnd = pch + cbData;
  const DWORD kdwReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  while (pch < pchEnd)
  {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(pch, &info, sizeof(info)) == 0)
      return false;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0 ||
        (info.Protect & kdwReadable) == 0)
      return false;
    pch = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
  }
  return true;
}

UINT registerMessage(const char* pszName)
{
  return RegisterWindowMessageA(pszName);
}

const char* eventNameOf(int nChange)
{
  static const char* const rgpszNames[] = {"Subscriber Connected", "Subscriber Connected (exclusively)",
                                           "Subscriber Disconnected"};
  return rgpszNames[nChange];
}
}  // namespace

SubscriberProtocol::SubscriberProtocol(EventLog& log)
    : m_log(log),
      m_subscribers(isExistingWindow),
      m_monitors(isExistingWindow),
      m_uQuilbar32_SendClipboardContents(registerMessage(kszQuilbar32SendClipboardContents)),
      m_uQuilbar32_Subscribe(registerMessage(kszQuilbar32Subscribe)),
      m_uQuilbar32_SubscribeExclusive(registerMessage(kszQuilbar32SubscribeExclusive)),
      m_uQuilbar32_Unsubscribe(registerMessage(kszQuilbar32Unsubscribe)),
      m_uQuilbar32_KeyboardEvents(registerMessage(kszQuilbar32KeyboardEvents)),
      m_uQuilbar32_NoKeyboardEvents(registerMessage(kszQuilbar32NoKeyboardEvents)),
      m_uQuilbar32_MonitorSubscribe(registerMessage(kszQuilbar32MonitorSubscribe))
{
  QB_ASSERT(0 != m_uQuilbar32_SendClipboardContents);
  QB_ASSERT(0 != m_uQuilbar32_Subscribe);
  QB_ASSERT(0 != m_uQuilbar32_SubscribeExclusive);
  QB_ASSERT(0 != m_uQuilbar32_Unsubscribe);
  QB_ASSERT(0 != m_uQuilbar32_KeyboardEvents);
  QB_ASSERT(0 != m_uQuilbar32_NoKeyboardEvents);
  QB_ASSERT(0 != m_uQuilbar32_MonitorSubscribe);
}

void SubscriberProtocol::setCurrentProfileName(std::function<std::string()> fnCurrentProfileName)
{
  m_fnCurrentProfileName = std::move(fnCurrentProfileName);
}

bool SubscriberProtocol::handleMessage(UINT uMsg, WPARAM, LPARAM lParam, LRESULT& lAnswer)
{
  HWND hwndFrom = reinterpret_cast<HWND>(lParam);
  if (uMsg == m_uQuilbar32_Subscribe)
    onSubscription(Change::Subscribe, hwndFrom);
  else if (uMsg == m_uQuilbar32_SubscribeExclusive)
    onSubscription(Change::SubscribeExclusive, hwndFrom);
  else if (uMsg == m_uQuilbar32_Unsubscribe)
    onSubscription(Change::Unsubscribe, hwndFrom);
  else if (uMsg == m_uQuilbar32_MonitorSubscribe)
    onMonitorSubscribe(hwndFrom);
  else if (uMsg == m_uQuilbar32_KeyboardEvents)
    g_fKeyboardEvents = true;
  else if (uMsg == m_uQuilbar32_NoKeyboardEvents)
    g_fKeyboardEvents = false;
  else if (uMsg == m_uQuilbar32_SendClipboardContents)
  {
    if (m_pRequests != nullptr)
      m_pRequests->sendClipboardContents();
  }
  else if (uMsg == WM_COPYDATA)
  {
    lAnswer = onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    return true;
  }
  return false;
}

// The event is written also when the list did not change (a second Subscribe, a handle that is
// no window), so the log shows every request.
void SubscriberProtocol::onSubscription(Change change, HWND hwndSubscriber)
{
  if (change != Change::Unsubscribe &&
      refusesOwnWindow(hwndSubscriber, kszEventSubscriberRefused, "Subscriber Window Title = ",
                       "Number Of Subscribers = " + std::to_string(m_subscribers.getCount())))
    return;
  if (change == Change::SubscribeExclusive)
    m_subscribers.removeAll();
  std::string strTitle = titleOrNone(hwndSubscriber);
  if (change == Change::Unsubscribe)
    m_subscribers.remove(hwndSubscriber);
  else
    m_subscribers.add(hwndSubscriber, strTitle);
  if (!m_log.isEventOutputWanted())
    return;
  m_log.logEvent(eventNameOf(static_cast<int>(change)),
                 {"Subscriber Window Title = " + strTitle,
                  "Number Of Subscribers = " + std::to_string(m_subscribers.getCount())});
}

// A refused window leaves the lists as they were (an exclusive request clears nothing).
bool SubscriberProtocol::refusesOwnWindow(HWND hwnd, const char* pszEvent, const char* pszTitleLine,
                                          const std::string& strCountLine)
{
  if (!isWindowOfThisProcess(hwnd))
    return false;
  if (m_log.isEventOutputWanted())
    m_log.logEvent(pszEvent, {pszTitleLine + titleOrNone(hwnd), "Reason = the window belongs to Quilbar itself",
                              strCountLine});
  return true;
}

// Logged whatever the log settings: the new monitor receives this event as its first message.
void SubscriberProtocol::onMonitorSubscribe(HWND hwndMonitor)
{
  if (refusesOwnWindow(hwndMonitor, kszEventMonitorRefused, "Monitor Window Title = ",
                       "Number Of Monitors = " + std::to_string(m_monitors.getCount())))
    return;
  m_monitors.add(hwndMonitor, titleOrNone(hwndMonitor));
  std::vector<std::string> rgstrDetails;
  std::string strProgramInfo;
  if (m_hwndMain != NULL && getWindowTitle(m_hwndMain, strProgramInfo))
    rgstrDetails.push_back("Program Info = " + strProgramInfo);
  rgstrDetails.push_back("Active Profile = " + (m_fnCurrentProfileName ? m_fnCurrentProfileName() : std::string()));
  m_log.logEvent("Connected", rgstrDetails);
}

// Injected text reaches the communication thread only while it runs; with the port closed it is
// dropped rather than kept for a later port that may belong to another profile.
bool SubscriberProtocol::onCopyData(const COPYDATASTRUCT* pCopyData)
{
  if (pCopyData == NULL || !isReadableBlock(pCopyData, sizeof(*pCopyData)))
  {
    logRefusedInjection(describeInjectedDataCheck(InjectedDataCheck::NoData));
    return false;
  }
  std::string strText;
  InjectedDataCheck check = readInjectedData(pCopyData->lpData, pCopyData->cbData, isReadableBlock, strText);
  if (check != InjectedDataCheck::Accepted)
  {
    logRefusedInjection(describeInjectedDataCheck(check));
    return false;
  }
  if (m_pRequests == nullptr)
  {
    logRefusedInjection("port closed");
    return false;
  }
  return m_pRequests->injectExternalData(strText);
}

void SubscriberProtocol::logRefusedInjection(const char* pszReason)
{
  if (m_log.isEventOutputWanted())
    m_log.logEvent("Injected Data Refused", {std::string("Reason = ") + pszReason});
}

void SubscriberProtocol::removeVanishedSubscribers()
{
  logRemovedSubscribers(m_subscribers.removeVanished());
}

// A subscriber may change the lists while it handles the message (it may unsubscribe from within
// its handler), so the sends walk a copy. A window that has gone is removed and logged; one that
// exists but did not answer in time is logged and skipped, and stays.
SubscriberDelivery SubscriberProtocol::deliverToSubscribers(const std::string& strText)
{
  bool fTaken = false;
  std::vector<SubscriberList::Member> rgRemoved;
  for (WindowHandle hWindow : m_subscribers.snapshot())
  {
    HWND hwnd = static_cast<HWND>(hWindow);
    DWORD dwError = 0;
    if (sendCopyData(hwnd, strText, dwError))
    {
      fTaken = true;
      continue;
    }
    if (hasVanished(hwnd, dwError))
    {
      std::string strName = m_subscribers.nameOf(hWindow);
      if (m_subscribers.remove(hWindow))
        rgRemoved.push_back({hWindow, strName});
      continue;
    }
    if (!m_log.isEventOutputWanted())
      continue;
    m_log.logEvent("Subscriber Not Responding",
                   {"Subscriber Window Title = " + titleOrNone(hwnd), "Error Code = " + std::to_string(dwError)});
  }
  logRemovedSubscribers(rgRemoved);
  if (fTaken)
    return SubscriberDelivery::Taken;
  return m_subscribers.getCount() == 0 ? SubscriberDelivery::NoneLeft : SubscriberDelivery::NotTaken;
}

std::vector<std::string> SubscriberProtocol::subscriberTitles() const
{
  std::vector<std::string> rgstrTitles;
  for (WindowHandle hWindow : m_subscribers.snapshot())
  {
    std::string strTitle;
    if (getWindowTitle(static_cast<HWND>(hWindow), strTitle))
      rgstrTitles.push_back(strTitle);
  }
  return rgstrTitles;
}

// A monitor whose window has gone is removed before the text goes out; the removals are logged
// after it, which sends to the remaining monitors once more. Other failures are not logged:
// logging them would send to the monitors again, and again.
void SubscriberProtocol::sendToMonitors(const std::string& strText)
{
  std::vector<SubscriberList::Member> rgRemoved = m_monitors.removeVanished();
  for (WindowHandle hWindow : m_monitors.snapshot())
  {
    HWND hwnd = static_cast<HWND>(hWindow);
    DWORD dwError = 0;
    if (sendCopyData(hwnd, strText, dwError) || !hasVanished(hwnd, dwError))
      continue;
    std::string strName = m_monitors.nameOf(hWindow);
    if (m_monitors.remove(hWindow))
      rgRemoved.push_back({hWindow, strName});
  }
  logRemovedMonitors(rgRemoved);
}

// Named by the title the window had when it subscribed: a window that has gone has none.
void SubscriberProtocol::logRemovedSubscribers(const std::vector<SubscriberList::Member>& rgRemoved)
{
  for (const SubscriberList::Member& member : rgRemoved)
  {
    if (!m_log.isEventOutputWanted())
      return;
    m_log.logEvent("Subscriber Removed",
                   {"Subscriber Window Title = " + member.strName, "Reason = the window no longer exists",
                    "Number Of Subscribers = " + std::to_string(m_subscribers.getCount())});
  }
}

void SubscriberProtocol::logRemovedMonitors(const std::vector<SubscriberList::Member>& rgRemoved)
{
  for (const SubscriberList::Member& member : rgRemoved)
  {
    if (!m_log.isEventOutputWanted())
      return;
    m_log.logEvent("Monitor Removed",
                   {"Monitor Window Title = " + member.strName, "Reason = the window no longer exists",
                    "Number Of Monitors = " + std::to_string(m_monitors.getCount())});
  }
}

// Synchronous like SendMessage, but the wait ends at once for a window the system reports as hung
// and after the time bound for any other. No sender window: wParam stays 0.
bool SubscriberProtocol::sendCopyData(HWND hwnd, const std::string& strText, DWORD& dwError) const
{
  COPYDATASTRUCT copyData;
  copyData.dwData = 0;
  copyData.cbData = static_cast<DWORD>(std::strlen(strText.c_str()) + 1);
  copyData.lpData = const_cast<char*>(strText.c_str());
  DWORD_PTR dwResult = 0;
  if (SendMessageTimeoutA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          m_dwSendTimeout, &dwResult) != 0)
    return true;
  dwError = GetLastError();
  return false;
}

// InternalGetWindowText reads the title the system keeps and sends nothing to the window, unlike
// GetWindowText for a window of this process.
bool SubscriberProtocol::getWindowTitle(HWND hwnd, std::string& strTitle)
{
  strTitle.clear();
  if (!IsWindow(hwnd))
    return false;
  WCHAR szTitle[512];
  int cchTitle = InternalGetWindowText(hwnd, szTitle, static_cast<int>(sizeof(szTitle) / sizeof(szTitle[0])));
  if (cchTitle <= 0)
    return true;
  int cbTitle = WideCharToMultiByte(CP_ACP, 0, szTitle, cchTitle, NULL, 0, NULL, NULL);
  if (cbTitle <= 0)
    return true;
  strTitle.resize(static_cast<size_t>(cbTitle));
  WideCharToMultiByte(CP_ACP, 0, szTitle, cchTitle, &strTitle[0], cbTitle, NULL, NULL);
  return true;
}
