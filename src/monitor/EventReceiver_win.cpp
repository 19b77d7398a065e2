#include "EventReceiver_win.h"

#include "pipeline/SubscriberMessages.h"

namespace
{
const char kszReceiverClass[] = "QuilbarMonitorReceiver";
// Not "Tarnwick Quilbar ...": a companion looking for the wedge by its title must not take this.
const char kszReceiverTitle[] = "Quilbar Monitor Receiver";

ATOM registerReceiverClass()
{
  static ATOM atom = 0;
  if (atom != 0)
    return atom;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = kszReceiverClass;
  atom = RegisterClassA(&wc);
  return atom;
}
}  // namespace

EventReceiver::EventReceiver(HWND hwndWedge, Handler fnHandler) : m_hwndWedge(hwndWedge), m_fnHandler(std::move(fnHandler))
{
  if (registerReceiverClass() == 0)
    return;
  m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kszReceiverClass, kszReceiverTitle, WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
  if (m_hwnd == NULL)
    return;
  SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc));
}

EventReceiver::~EventReceiver()
{
  if (m_hwnd != NULL)
  {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
}

bool EventReceiver::subscribe()
{
  UINT uMonitorSubscribe = RegisterWindowMessageA(kszQuilbar32MonitorSubscribe);
  if (m_hwnd == NULL || uMonitorSubscribe == 0)
    return false;
  return PostMessageA(m_hwndWedge, uMonitorSubscribe, 0, reinterpret_cast<LPARAM>(m_hwnd)) != FALSE;
}

LRESULT CALLBACK EventReceiver::windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  auto* pReceiver = reinterpret_cast<EventReceiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (uMsg == WM_COPYDATA && pReceiver != nullptr)
  {
    pReceiver->onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

// The block is read and the arrival taken before the reply: the block is the sender's until
// then, and the sender may type the next scan as soon as it is let go. A block that is no event
// of the log is answered and ignored.
void EventReceiver::onCopyData(const COPYDATASTRUCT* pCopyData)
{
  MonitorEvent event;
  bool fEvent = pCopyData != NULL && MonitorEvent::parse(pCopyData->lpData, pCopyData->cbData, event);
  DWORD dwArrival = GetTickCount();
  ReplyMessage(TRUE);
  if (!fEvent)
    return;
  if (event.strName == "Connected")
  {
    m_fConnected = true;
    m_connected = event;
  }
  if (m_fnHandler)
    m_fnHandler(*this, event, dwArrival);
}
