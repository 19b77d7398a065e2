// Measures the serial path end to end on the virtual null-modem pair (COM2 writes, the port owner
// reads COM1 and posts to a window): data strings per second, the latency from the last byte
// written to the data string at the window, and the communication thread's CPU time while idle,
// beside a bare 1 ms polling loop on COM3 (wait 1 ms, ClearCommError, GetCommModemStatus) as the
// reference, medians of alternating rounds.
// Run by hand in the Wine environment: quilbar-wine run serial_bench.exe
#include "serial/PortOwner_win.h"
#include "serial/SerialMessages_win.h"
#include "SerialTestRig_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace
{
double toMs(Clock::duration d)
{
  return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> rg, double dFraction)
{
  std::sort(rg.begin(), rg.end());
  size_t nIndex = static_cast<size_t>(dFraction * (rg.size() - 1) + 0.5);
  return rg[nIndex];
}

double threadCpuMs(HANDLE hThread)
{
  FILETIME ftCreate, ftExit, ftKernel, ftUser;
  if (!GetThreadTimes(hThread, &ftCreate, &ftExit, &ftKernel, &ftUser))
    return -1;
  auto toUnits = [](FILETIME ft) {
    return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  };
  return (toUnits(ftKernel) + toUnits(ftUser)) / 10000.0;
}

void measureThroughput(PortOwner& owner, TestWindow& window, PeerPort& peer)
{
  std::string strAll;
  size_t nLines = 0;
  while (strAll.size() < 1000000)
  {
    std::string strLine = "4006381333931-" + std::to_string(nLines++);
    while (strLine.size() < 20 + nLines % 41)
      strLine += 'X';
    strAll += strLine + "\r";
  }
  window.m_rgstrDataStrings.clear();
  auto start = Clock::now();
  std::thread writer([&] { peer.write(strAll, 30000ms); });
  window.pumpUntil([&] { return window.m_rgstrDataStrings.size() >= nLines; }, 120000ms);
  auto elapsed = Clock::now() - start;
  writer.join();
  std::printf("throughput: %zu of %zu lines (%zu bytes) in %.0f ms = %.0f data strings/s, %.0f KB/s\n",
              window.m_rgstrDataStrings.size(), nLines, strAll.size(), toMs(elapsed),
              window.m_rgstrDataStrings.size() / (toMs(elapsed) / 1000.0),
              strAll.size() / 1024.0 / (toMs(elapsed) / 1000.0));
}

void measureLatency(TestWindow& window, PeerPort& peer, int nSamples)
{
  std::vector<double> rgdMs;
  for (int n = 0; n < nSamples; ++n)
  {
    window.m_rgstrDataStrings.clear();
    window.m_rgArrivals.clear();
    window.pumpFor(std::chrono::milliseconds(3 + n % 7));
    auto written = Clock::now();
    peer.write("0123456789012345678901234\r");
    if (!window.pumpUntil([&] { return !window.m_rgArrivals.empty(); }, 5000ms))
      continue;
    rgdMs.push_back(toMs(window.m_rgArrivals[0] - written));
  }
  std::printf("latency (%zu samples): median %.2f ms, p99 %.2f ms, max %.2f ms\n", rgdMs.size(),
              percentile(rgdMs, 0.5), percentile(rgdMs, 0.99), percentile(rgdMs, 1.0));
}

// Percent of one core the thread used while the window pumped for the duration.
double cpuPercentOver(HANDLE hThread, TestWindow& window, std::chrono::milliseconds duration)
{
  double dBefore = threadCpuMs(hThread);
  auto start = Clock::now();
  window.pumpFor(duration);
  double dAfter = threadCpuMs(hThread);
  return (dAfter - dBefore) / toMs(Clock::now() - start) * 100.0;
}

// The least any 1 ms poller of a port costs: what the communication thread does on an idle pass
// when it has nothing else to look at.
struct BarePoller
{
  HANDLE hPort = INVALID_HANDLE_VALUE;
  HANDLE hevtStop = nullptr;

  static DWORD WINAPI run(void* pv)
  {
    BarePoller& poller = *static_cast<BarePoller*>(pv);
    while (WaitForSingleObject(poller.hevtStop, 1) == WAIT_TIMEOUT)
    {
      COMSTAT comstat = {};
      DWORD dwErrors = 0;
      DWORD dwStatus = 0;
      ClearCommError(poller.hPort, &dwErrors, &comstat);
      GetCommModemStatus(poller.hPort, &dwStatus);
    }
    return 0;
  }
};

void measureIdleCpu(PortOwner& owner, TestWindow& window, int nRounds)
{
  BarePoller poller;
  poller.hPort = CreateFileA("\\\\.\\COM3", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
  poller.hevtStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (poller.hPort == INVALID_HANDLE_VALUE)
  {
    std::printf("idle: cannot open COM3 for the reference loop\n");
    return;
  }
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  GetCommState(poller.hPort, &dcb);
  SetCommState(poller.hPort, &dcb);
  HANDLE hPollerThread = CreateThread(nullptr, 0x2000, &BarePoller::run, &poller, 0, nullptr);
  std::vector<double> rgdThread, rgdBare;
  for (int n = 0; n < nRounds; ++n)
  {
    rgdBare.push_back(cpuPercentOver(hPollerThread, window, 2000ms));
    rgdThread.push_back(cpuPercentOver(owner.commThreadHandle(), window, 2000ms));
  }
  SetEvent(poller.hevtStop);
  WaitForSingleObject(hPollerThread, INFINITE);
  CloseHandle(hPollerThread);
  CloseHandle(poller.hevtStop);
  CloseHandle(poller.hPort);
  std::printf("idle, medians of %d rounds of 2 s: communication thread %.2f%% of one core, bare 1 ms polling "
              "loop %.2f%% (ratio %.2f)\n",
              nRounds, percentile(rgdThread, 0.5), percentile(rgdBare, 0.5),
              percentile(rgdThread, 0.5) / percentile(rgdBare, 0.5));
}

void probePostedMessageLimit(TestWindow& window)
{
  int nPosted = 0;
  for (; nPosted < 20000; ++nPosted)
    if (!PostMessageA(window.hwnd(), WM_NULL, 0, 0))
      break;
  std::printf("posted-message queue took %d messages before refusing (of 20000 tried)\n", nPosted);
  window.pumpFor(200ms);
}
}  // namespace

int main()
{
  RecordingHost host;
  TestWindow window;
  PortOwner owner(window.hwnd(), host);
  PeerPort peer("\\\\.\\COM2");
  QuilbarProfile profile = com1Profile();
  if (!peer.isOpen() || !owner.OpenPort(profile))
  {
    std::printf("cannot open COM1/COM2\n");
    return 1;
  }
  window.pumpFor(100ms);
  probePostedMessageLimit(window);
  measureIdleCpu(owner, window, 5);
  measureLatency(window, peer, 300);
  measureThroughput(owner, window, peer);
  owner.ClosePort();
  return 0;
}
