#include "TestMonitor_win.h"

#include "TestSupport.h"

namespace
{
const char kszClass[] = "QuilbarTestMonitor";
}  // namespace

TestMonitor::TestMonitor()
{
  m_hevtReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  m_hThread = CreateThread(nullptr, 0, &TestMonitor::threadMain, this, 0, nullptr);
  if (m_hThread != nullptr)
    WaitForSingleObject(m_hevtReady, 10000);
}

TestMonitor::~TestMonitor()
{
  if (m_hwnd != nullptr)
    PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
  if (m_hThread != nullptr)
  {
    WaitForSingleObject(m_hThread, 10000);
    CloseHandle(m_hThread);
  }
  CloseHandle(m_hevtReady);
}

void TestMonitor::subscribeTo(HWND hwndMain) const
{
  PostMessageA(hwndMain, RegisterWindowMessageA("Quilbar32.MonitorSubscribe"), 0, reinterpret_cast<LPARAM>(m_hwnd));
}

bool TestMonitor::waitForEvent(const std::string& strEventName, std::chrono::milliseconds timeout) const
{
  return testsupport::waitUntil(
      [&] {
        for (const std::string& strText : texts())
          if (strText.compare(0, strEventName.size() + 1, strEventName + "\n") == 0)
            return true;
        return false;
      },
      timeout);
}

std::vector<std::string> TestMonitor::texts() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_rgstrTexts;
}

size_t TestMonitor::count() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_rgstrTexts.size();
}

std::vector<std::string> TestMonitor::textsFrom(size_t nFirst) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  if (nFirst >= m_rgstrTexts.size())
    return {};
  return std::vector<std::string>(m_rgstrTexts.begin() + static_cast<std::ptrdiff_t>(nFirst), m_rgstrTexts.end());
}

DWORD WINAPI TestMonitor::threadMain(void* pvThis)
{
  auto* pThis = static_cast<TestMonitor*>(pvThis);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &TestMonitor::windowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kszClass;
  RegisterClassA(&wc);
  pThis->m_hwnd = CreateWindowExA(0, kszClass, "Test monitor", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                  wc.hInstance, pThis);
  SetEvent(pThis->m_hevtReady);
  MSG msg;
  while (pThis->m_hwnd != nullptr && GetMessageA(&msg, nullptr, 0, 0) > 0)
  {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

// Event texts come as copy-data with their zero byte; what is kept is the text before it.
LRESULT CALLBACK TestMonitor::windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* pThis = reinterpret_cast<TestMonitor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (uMsg == WM_COPYDATA && pThis != nullptr)
  {
    auto* pCopyData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string strText(static_cast<const char*>(pCopyData->lpData), pCopyData->cbData);
    std::lock_guard<std::mutex> lock(pThis->m_mutex);
    pThis->m_rgstrTexts.push_back(strText.substr(0, strText.find('\0')));
    return TRUE;
  }
  if (uMsg == WM_CLOSE)
  {
    DestroyWindow(hwnd);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
