#pragma once

#include "MonitorSink.h"
#include "SubscriberList.h"
#include "SubscriberOutput.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CommunicationRequests;
class EventLog;

// The window messages through which other programs subscribe to the output, monitor the event
// log, switch typing off and on, ask for the clipboard to be sent and inject data strings. The
// main window owns one and hands it every message; sends to subscribers and monitors are bounded
// in time so that a program that stopped answering cannot freeze data processing.
class SubscriberProtocol : public SubscriberOutput, public MonitorSink
{
public:
  // How long one send to a subscriber or monitor may take.
  static constexpr DWORD kdwSendTimeout = 5000;

  // Registers the messages; a failed registration is a programming error.
  explicit SubscriberProtocol(EventLog& log);

  // The main window, whose title monitors receive as "Program Info".
  void setMainWindow(HWND hwndMain) { m_hwndMain = hwndMain; }
  void setCurrentProfileName(std::function<std::string()> fnCurrentProfileName);
  // The running communication thread, or null while the port is closed.
  void setCommunicationRequests(CommunicationRequests* pRequests) { m_pRequests = pRequests; }
  void setSendTimeout(DWORD dwMilliseconds) { m_dwSendTimeout = dwMilliseconds; }

  // Handles the message when it is one of the protocol's. True when the caller answers it with
  // lAnswer instead of the window's default processing: a WM_COPYDATA, answered TRUE when the
  // text was taken and FALSE when any of it was refused, so the sender can tell. The registered
  // messages go on to the default processing after their handling.
  bool handleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lAnswer);

  const SubscriberList& subscribers() const { return m_subscribers; }
  const SubscriberList& monitors() const { return m_monitors; }

  size_t subscriberCount() const override { return m_subscribers.getCount(); }
  void removeVanishedSubscribers() override;
  SubscriberDelivery deliverToSubscribers(const std::string& strText) override;
  std::vector<std::string> subscriberTitles() const override;

  size_t monitorCount() const override { return m_monitors.getCount(); }
  void sendToMonitors(const std::string& strText) override;

  // The title of a window without sending it a message, so a hung window cannot block the caller.
  static bool getWindowTitle(HWND hwnd, std::string& strTitle);

private:
  enum class Change
  {
    Subscribe,
    SubscribeExclusive,
    Unsubscribe
  };

  void onSubscription(Change change, HWND hwndSubscriber);
  bool refusesOwnWindow(HWND hwnd, const char* pszEvent, const char* pszTitleLine, const std::string& strCountLine);
  void onMonitorSubscribe(HWND hwndMonitor);
  bool onCopyData(const COPYDATASTRUCT* pCopyData);
  void logRefusedInjection(const char* pszReason);
  bool sendCopyData(HWND hwnd, const std::string& strText, DWORD& dwError) const;
  void logRemovedSubscribers(const std::vector<SubscriberList::Member>& rgRemoved);
  void logRemovedMonitors(const std::vector<SubscriberList::Member>& rgRemoved);

  EventLog& m_log;
  HWND m_hwndMain = NULL;
  std::function<std::string()> m_fnCurrentProfileName;
  CommunicationRequests* m_pRequests = nullptr;
  DWORD m_dwSendTimeout = kdwSendTimeout;
  SubscriberList m_subscribers;
  SubscriberList m_monitors;

  UINT m_uQuilbar32_SendClipboardContents;
  UINT m_uQuilbar32_Subscribe;
  UINT m_uQuilbar32_SubscribeExclusive;
  UINT m_uQuilbar32_Unsubscribe;
  UINT m_uQuilbar32_KeyboardEvents;
  UINT m_uQuilbar32_NoKeyboardEvents;
  UINT m_uQuilbar32_MonitorSubscribe;
};
