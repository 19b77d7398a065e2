// Not a test: the time to deliver one data string to 1, 5 and 20 subscriber processes, each send
// synchronous, through the subscriber protocol against a bare loop of the same sends
// (SendMessageTimeout with WM_COPYDATA, the protocol's flags and bound). The subscribers only
// compare what they receive with what was sent and count (no file writes), and the counts are
// checked after every block: a delivery that did not arrive intact counts as failed. Blocks of
// 100 deliveries take turns at going first. Run under the Wine harness (scripts/bench.sh does):
//   subscriber_delivery_bench.exe [deliveries per side]     (default 1,000; prints BENCH rows)
#include "BenchRow.h"
#include "BenchStatistics.h"
#include "SubscriberChildMessages_win.h"
#include "TestSupport.h"
#include "base/UniqueResource_win.h"
#include "pipeline/EventLog.h"
#include "pipeline/SubscriberProtocol_win.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

const int kBlock = 100;

SubscriberProtocol* g_pProtocol = nullptr;

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (g_pProtocol != nullptr)
  {
    LRESULT lAnswer = 0;
    g_pProtocol->handleMessage(uMsg, wParam, lParam, lAnswer);
  }
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

std::string toHex(const std::string& strBytes)
{
  std::string strHex;
  char szPair[3];
  for (unsigned char by : strBytes)
  {
    std::snprintf(szPair, sizeof szPair, "%02x", by);
    strHex += szPair;
  }
  return strHex;
}

struct Child
{
  UniqueHandle hProcess;
  UniqueHandle hThread;
};

// The subscriber expects exactly the bytes the protocol sends: the text and its terminating zero.
bool startSubscriber(HWND hwndMain, int nIndex, const std::string& strData, std::vector<Child>& rgChildren)
{
  std::string strProgram = besideProgram("SubscriberChild_win.exe");
  std::string strCommand = "\"" + strProgram + "\" " + std::to_string(reinterpret_cast<UINT_PTR>(hwndMain)) +
                           " count \"Bench " + std::to_string(nIndex) + "\" " +
                           toHex(std::string(strData.c_str(), strData.size() + 1));
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(strProgram.c_str(), rgchCommand.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    return false;
  rgChildren.push_back(Child{UniqueHandle(pi.hProcess), UniqueHandle(pi.hThread)});
  return true;
}

std::vector<HWND> subscriberWindows(const SubscriberProtocol& protocol)
{
  std::vector<HWND> rghwnd;
  for (WindowHandle hWindow : protocol.subscribers().snapshot())
    rghwnd.push_back(static_cast<HWND>(hWindow));
  return rghwnd;
}

// What every subscriber has taken intact so far; -1 for one that does not answer.
std::vector<LRESULT> matchedCounts(const std::vector<HWND>& rghwnd, size_t& nMismatched)
{
  std::vector<LRESULT> rgnMatched;
  nMismatched = 0;
  for (HWND hwnd : rghwnd)
  {
    DWORD_PTR nMatched = 0, nWrong = 0;
    bool fAnswered =
        SendMessageTimeoutA(hwnd, WM_SUBSCRIBERCHILD_MATCHED, 0, 0, SMTO_ABORTIFHUNG, 5000, &nMatched) &&
        SendMessageTimeoutA(hwnd, WM_SUBSCRIBERCHILD_MISMATCHED, 0, 0, SMTO_ABORTIFHUNG, 5000, &nWrong);
    rgnMatched.push_back(fAnswered ? static_cast<LRESULT>(nMatched) : -1);
    nMismatched += nWrong;
  }
  return rgnMatched;
}

// The reference: the sends alone, as the protocol makes them.
void deliverBare(const std::vector<HWND>& rghwnd, const std::string& strData)
{
  COPYDATASTRUCT copyData;
  copyData.dwData = 0;
  copyData.cbData = static_cast<DWORD>(strData.size() + 1);
  copyData.lpData = const_cast<char*>(strData.c_str());
  for (HWND hwnd : rghwnd)
  {
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                        SubscriberProtocol::kdwSendTimeout, &dwResult);
  }
}

struct Side
{
  std::vector<double> rgdMicroseconds;
  size_t nFailed = 0;  // deliveries to one subscriber that did not arrive intact
};

template <typename Deliver>
void measureBlock(const std::vector<HWND>& rghwnd, Deliver deliver, Side& side)
{
  size_t nWrongBefore = 0, nWrongAfter = 0;
  std::vector<LRESULT> rgnBefore = matchedCounts(rghwnd, nWrongBefore);
  for (int i = 0; i < kBlock; ++i)
  {
    auto start = Clock::now();
    deliver();
    side.rgdMicroseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::vector<LRESULT> rgnAfter = matchedCounts(rghwnd, nWrongAfter);
  // A delivery that arrived changed is missing from the matched count like one that never came.
  for (size_t n = 0; n < rghwnd.size(); ++n)
  {
    LRESULT nArrived = rgnBefore[n] < 0 || rgnAfter[n] < 0 ? 0 : rgnAfter[n] - rgnBefore[n];
    side.nFailed += static_cast<size_t>(kBlock - (nArrived < kBlock ? nArrived : kBlock));
  }
  if (nWrongAfter != nWrongBefore)
    std::fprintf(stderr, "subscriber_delivery_bench: %u deliveries arrived changed\n",
                 static_cast<unsigned>(nWrongAfter - nWrongBefore));
}

BenchRow row(const std::string& strName, double dFigure, double dReference, size_t nSamples, const Side& protocolSide,
             const Side& bareSide)
{
  BenchRow benchRow;
  benchRow.strName = strName;
  benchRow.dFigure = dFigure;
  benchRow.dReference = dReference;
  benchRow.strUnit = "us";
  benchRow.nSamples = nSamples;
  benchRow.nFailedFigure = protocolSide.nFailed;
  benchRow.nFailedReference = bareSide.nFailed;
  return benchRow;
}
}  // namespace

int main(int argc, char** argv)
{
  int nDeliveries = argc > 1 ? std::atoi(argv[1]) : 1000;
  int nBlocks = (nDeliveries + kBlock - 1) / kBlock;
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
  std::vector<Child> rgChildren;
  const std::string strData = "0107612345678900\t10LOT4711\r";
  int nExit = 0;
  for (size_t nSubscribers : {1u, 5u, 20u})
  {
    while (rgChildren.size() < nSubscribers)
      if (!startSubscriber(hwndMain, static_cast<int>(rgChildren.size()), strData, rgChildren))
      {
        std::fprintf(stderr, "subscriber_delivery_bench: cannot start SubscriberChild_win.exe\n");
        return 1;
      }
    if (!testsupport::waitUntil(
            [&] {
              pumpMessages();
              return protocol.subscriberCount() == nSubscribers;
            },
            std::chrono::milliseconds(30000)))
    {
      std::fprintf(stderr, "subscriber_delivery_bench: only %u of %u subscribers registered\n",
                   static_cast<unsigned>(protocol.subscriberCount()), static_cast<unsigned>(nSubscribers));
      nExit = 1;
      break;
    }
    std::vector<HWND> rghwnd = subscriberWindows(protocol);
    Side protocolSide, bareSide;
    alternateRounds(
        nBlocks, [&](int) { measureBlock(rghwnd, [&] { protocol.deliverToSubscribers(strData); }, protocolSide); },
        [&](int) { measureBlock(rghwnd, [&] { deliverBare(rghwnd, strData); }, bareSide); });
    std::string strName = "subscriber delivery to " + std::to_string(nSubscribers) + ": ";
    size_t nSamples = static_cast<size_t>(nBlocks * kBlock);
    printBenchRow(row(strName + "median", benchstats::median(protocolSide.rgdMicroseconds),
                      benchstats::median(bareSide.rgdMicroseconds), nSamples, protocolSide, bareSide));
    printBenchRow(row(strName + "p99", benchstats::percentile(protocolSide.rgdMicroseconds, 0.99),
                      benchstats::percentile(bareSide.rgdMicroseconds, 0.99), nSamples, protocolSide, bareSide));
    if (protocolSide.nFailed + bareSide.nFailed != 0)
      nExit = 1;
  }
  for (Child& child : rgChildren)
    TerminateProcess(child.hProcess.get(), 0);
  DestroyWindow(hwndMain);
  return nExit;
}
