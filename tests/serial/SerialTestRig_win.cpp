#include "SerialTestRig_win.h"

#include "serial/SerialMessages_win.h"

#include <thread>

namespace
{
const char kszTestWindowClass[] = "QuilbarSerialTestWindow";
}

TestWindow::TestWindow()
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &TestWindow::windowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kszTestWindowClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  m_hwnd = CreateWindowExA(0, kszTestWindowClass, "Serial test window", WS_OVERLAPPEDWINDOW, 0, 0,
                           100, 100, nullptr, nullptr, wc.hInstance, this);
}

TestWindow::~TestWindow()
{
  // Data strings still queued belong to this window: free them like the main window would.
  MSG msg;
  while (PeekMessageA(&msg, m_hwnd, WM_DATASTRING, WM_DATASTRING, PM_REMOVE))
  {
  }
  takeAllDataStrings(m_hwnd);
  DestroyWindow(m_hwnd);
}

LRESULT CALLBACK TestWindow::windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_NCCREATE)
  {
    auto* pcs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* pCreating = static_cast<TestWindow*>(pcs->lpCreateParams);
    pCreating->m_hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreating));
  }
  auto* pThis = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (pThis)
    return pThis->handle(uMsg, wParam, lParam);
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

LRESULT TestWindow::handle(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  switch (uMsg)
  {
    case WM_DATASTRING:
    {
      std::vector<std::string> rgstrTaken;
      if (!takeDataStrings(m_hwnd, lParam, rgstrTaken))
        ++m_nRefusedDataStrings;
      for (std::string& str : rgstrTaken)
      {
        m_rgstrDataStrings.push_back(std::move(str));
        m_rgArrivals.push_back(std::chrono::steady_clock::now());
      }
      if (m_slowness.count() > 0)
      {
        auto until = std::chrono::steady_clock::now() + m_slowness;
        while (std::chrono::steady_clock::now() < until)
        {
        }
      }
      return 0;
    }
    case WM_SETTRAYSTATE:
      m_rgnTrayStates.push_back(static_cast<int>(wParam));
      return 0;
    case WM_COPYDATA:
    {
      auto* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (m_fnCopyData && pcds && pcds->lpData && pcds->cbData > 0 &&
          static_cast<const char*>(pcds->lpData)[pcds->cbData - 1] == '\0')
        m_fnCopyData(static_cast<const char*>(pcds->lpData));
      return TRUE;
    }
    default:
      return DefWindowProcA(m_hwnd, uMsg, wParam, lParam);
  }
}

bool TestWindow::pumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout)
{
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;)
  {
    // The condition and the time are checked after every message: while a port floods the
    // window, the queue may never run empty.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (fnDone())
        return true;
      if (std::chrono::steady_clock::now() >= deadline)
        return false;
    }
    if (fnDone())
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
}

void TestWindow::pumpFor(std::chrono::milliseconds duration)
{
  pumpUntil([] { return false; }, duration);
}

PeerPort::PeerPort(const char* pszName)
{
  m_hPort = CreateFileA(pszName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (m_hPort == INVALID_HANDLE_VALUE)
    return;
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  GetCommState(m_hPort, &dcb);
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  SetCommState(m_hPort, &dcb);
  // Writes give up after a while, so a writer never hangs on a line nobody reads any more.
  COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 200};
  SetCommTimeouts(m_hPort, &timeouts);
  drain();
}

PeerPort::~PeerPort()
{
  if (m_hPort != INVALID_HANDLE_VALUE)
    CloseHandle(m_hPort);
}

bool PeerPort::write(const std::string& strBytes, std::chrono::milliseconds patience)
{
  size_t nDone = 0;
  auto lastProgress = std::chrono::steady_clock::now();
  while (nDone < strBytes.size())
  {
    DWORD cbWritten = 0;
    WriteFile(m_hPort, strBytes.data() + nDone, static_cast<DWORD>(strBytes.size() - nDone),
              &cbWritten, nullptr);
    if (cbWritten > 0)
      lastProgress = std::chrono::steady_clock::now();
    else if (std::chrono::steady_clock::now() - lastProgress > patience)
      return false;
    nDone += cbWritten;
  }
  return true;
}

std::string PeerPort::read(size_t nBytes, std::chrono::milliseconds timeout)
{
  std::string strBytes;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  char rgch[256];
  while (strBytes.size() < nBytes && std::chrono::steady_clock::now() < deadline)
  {
    DWORD cbRead = 0;
    if (ReadFile(m_hPort, rgch, sizeof rgch, &cbRead, nullptr) && cbRead > 0)
      strBytes.append(rgch, cbRead);
    else
      Sleep(2);
  }
  return strBytes;
}

bool PeerPort::hasHungUp() const
{
  DWORD dwErrors = 0;
  COMSTAT status = {};
  return ClearCommError(m_hPort, &dwErrors, &status) == FALSE;
}

void PeerPort::drain()
{
  // Until the line has been quiet a while (bytes may still be on their way through the pair).
  char rgch[256];
  auto quietSince = std::chrono::steady_clock::now();
  auto giveUp = quietSince + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() - quietSince < std::chrono::milliseconds(30) &&
         std::chrono::steady_clock::now() < giveUp)
  {
    DWORD cbRead = 0;
    if (ReadFile(m_hPort, rgch, sizeof rgch, &cbRead, nullptr) && cbRead > 0)
      quietSince = std::chrono::steady_clock::now();
    else
      Sleep(2);
  }
}

QuilbarProfile com1Profile()
{
  QuilbarProfile profile;
  profile.setName("Test");
  profile.setPort("COM1");
  return profile;
}
