#pragma once

#include "MonitorEvent.h"

#include <windows.h>

#include <functional>

// A hidden window subscribed as a monitor to one wedge's main window: each event that wedge
// sends arrives here as a copy-data message and goes to the handler. Destroying the receiver is
// how the monitor leaves that wedge: the protocol has no message that removes a monitor, and the
// wedge drops a monitor whose window has gone before its next send.
class EventReceiver
{
public:
  // The event and the tick count at which it arrived, taken before the wedge is let go on.
  typedef std::function<void(EventReceiver&, const MonitorEvent&, DWORD dwArrival)> Handler;

  EventReceiver(HWND hwndWedge, Handler fnHandler);
  ~EventReceiver();
  EventReceiver(const EventReceiver&) = delete;
  EventReceiver& operator=(const EventReceiver&) = delete;

  // Posts "Quilbar32.MonitorSubscribe"; false when the window or the message could not be had.
  bool subscribe();
  HWND wedge() const { return m_hwndWedge; }
  bool isWedgeAlive() const { return IsWindow(m_hwndWedge) != FALSE; }
  // The wedge's "Connected" event (its window title and profile), once it has come.
  bool hasConnected() const { return m_fConnected; }
  const MonitorEvent& connectedEvent() const { return m_connected; }

private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  void onCopyData(const COPYDATASTRUCT* pCopyData);

  HWND m_hwndWedge;
  Handler m_fnHandler;
  HWND m_hwnd = NULL;
  bool m_fConnected = false;
  MonitorEvent m_connected;
};
