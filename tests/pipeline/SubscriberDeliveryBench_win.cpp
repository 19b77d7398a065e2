// Not a test: the time to deliver one data string to 1, 5 and 20 subscriber processes, each send
// synchronous. Run under the Wine harness:
//   tests/harness/quilbar-wine run build/win64/tests/pipeline/subscriber_delivery_bench.exe
// Prints the median of 7 rounds of 200 deliveries for each subscriber count.
#include "pipeline/EventLog.h"
#include "pipeline/SubscriberProtocol_win.h"
#include "TestSupport.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
SubscriberProtocol* g_pProtocol = nullptr;

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (g_pProtocol != nullptr)
    g_pProtocol->handleMessage(uMsg, wParam, lParam);
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

void pumpMessages()
{
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
  {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string besideProgram(const char* pszFileName)
{
  char szPath[MAX_PATH];
  GetModuleFileNameA(NULL, szPath, MAX_PATH);
  std::string strPath = szPath;
  return strPath.substr(0, strPath.find_last_of("\\/") + 1) + pszFileName;
}

PROCESS_INFORMATION startSubscriber(HWND hwndMain, int nIndex)
{
  std::string strProgram = besideProgram("SubscriberChild_win.exe");
  std::string strCommand = "\"" + strProgram + "\" " + std::to_string(reinterpret_cast<UINT_PTR>(hwndMain)) +
                           " subscribe \"Bench " + std::to_string(nIndex) + "\" NUL";
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  CreateProcessA(strProgram.c_str(), rgchCommand.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
  return pi;
}
}  // namespace

int main()
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "QuilbarDeliveryBench";
  RegisterClassA(&wc);
  HWND hwndMain = CreateWindowA("QuilbarDeliveryBench", "Tarnwick Quilbar 3.21", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                NULL, NULL, wc.hInstance, NULL);
  SystemLogClock clock;
  EventLog log(clock, nullptr);
  SubscriberProtocol protocol(log);
  g_pProtocol = &protocol;
  std::vector<PROCESS_INFORMATION> rgChildren;
  const std::string strData = "0107612345678900\t10LOT4711\r";
  for (size_t nSubscribers : {1u, 5u, 20u})
  {
    while (rgChildren.size() < nSubscribers)
      rgChildren.push_back(startSubscriber(hwndMain, static_cast<int>(rgChildren.size())));
    if (!testsupport::waitUntil(
            [&] {
              pumpMessages();
              return protocol.subscriberCount() == nSubscribers;
            },
            std::chrono::milliseconds(30000)))
    {
      std::printf("only %u of %u subscribers registered\n", static_cast<unsigned>(protocol.subscriberCount()),
                  static_cast<unsigned>(nSubscribers));
      break;
    }
    std::vector<double> rgMicroseconds;
    for (int nRound = 0; nRound < 7; ++nRound)
    {
      const int kDeliveries = 200;
      auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < kDeliveries; ++i)
        protocol.deliverToSubscribers(strData);
      std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
      rgMicroseconds.push_back(elapsed.count() / kDeliveries);
    }
    std::sort(rgMicroseconds.begin(), rgMicroseconds.end());
    std::printf("%2u subscribers: median %.1f us per data string (min %.1f, max %.1f)\n",
                static_cast<unsigned>(nSubscribers), rgMicroseconds[3], rgMicroseconds.front(), rgMicroseconds.back());
  }
  for (PROCESS_INFORMATION& pi : rgChildren)
  {
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  DestroyWindow(hwndMain);
  return 0;
}
