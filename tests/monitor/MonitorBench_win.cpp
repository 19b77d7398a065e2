// The monitor's memory over a long day: the real QuilbarMonitor.exe follows the real Quilbar.exe
// while scans are fed into the far end of the wedge's port; its working set
// after 10,000 scans stand beside the same process after 100. Each block of scans is waited for
// until the newest row shows its last scan, so every figure is taken with everything arrived.
//
//   monitor_bench.exe [SCANS]      (default 10000), run by scripts/bench.sh under the Wine harness
#include "BenchRow.h"
#include "ProcessFigures_win.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "base/Registry.h"
#include "monitor/MonitorResourceIds.h"
#include "settings/QuilbarProfileStore.h"

#include <windows.h>


#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

std::string besideThisProgram(const char* pszName)
{
  char szPath[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string strPath = szPath;
  return strPath.substr(0, strPath.find_last_of('\\') + 1) + pszName;
}

template <class Condition>
bool waitFor(Condition fnDone, std::chrono::milliseconds timeout)
{
  auto deadline = Clock::now() + timeout;
  while (!fnDone())
  {
    if (Clock::now() >= deadline)
      return false;
    Sleep(5);
  }
  return true;
}

// WM_GETTEXT rather than GetWindowText: the latter does not ask windows of other processes.
std::string windowText(HWND hwnd)
{
  LRESULT nLength = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (nLength <= 0)
    return std::string();
  std::vector<char> rgchText(static_cast<size_t>(nLength) + 1, '\0');
  LRESULT nCopied = SendMessageA(hwnd, WM_GETTEXT, rgchText.size(), reinterpret_cast<LPARAM>(rgchText.data()));
  return std::string(rgchText.data(), nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
}

HWND findWindow(const char* pszTitle)
{
  HWND hwnd = nullptr;
  waitFor([&] { return (hwnd = FindWindowA("#32770", pszTitle)) != nullptr; }, std::chrono::seconds(20));
  return hwnd;
}

std::string scanName(size_t n)
{
  char szScan[16];
  std::snprintf(szScan, sizeof szScan, "S%06zu", n);
  return szScan;
}

// Every scan is dropped as unknown: the wedge types nothing, so nothing but the monitor is measured.
bool saveProfile()
{
  testsupport::removeStoredSettings();
  QuilbarProfileStore store;
  QuilbarProfile& profile = store.addOrSelectProfile("Bench");
  profile.setDefaults();
  profile.setName("Bench");
  profile.setPort("COM1");
  profile.setInitString("MB^M");
  profile.getDataEditFormatMap().remove("Default");
  profile.setFilterUnkownDataStrings(1);
  return store.saveSettings();
}

void printRow(const char* pszName, double dFigure, double dReference, size_t nFailed)
{
  BenchRow row;
  row.strName = pszName;
  row.dFigure = dFigure;
  row.dReference = dReference;
  row.strUnit = "MB";
  row.nSamples = 1;
  row.nFailedFigure = nFailed;
  row.nFailedReference = nFailed;
  printBenchRow(row);
}
}  // namespace

int main(int argc, char** argv)
{
  size_t nScans = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
  const size_t kcBefore = 100;
  const size_t kcBlock = 50;
  PeerPort peer("\\\\.\\COM2");
  if (!peer.isOpen() || !saveProfile())
  {
    std::fprintf(stderr, "monitor bench: no port or no settings\n");
    return 1;
  }
  peer.drain();
  TestProcess quilbar(TestProcess::commandLine(besideThisProgram("Quilbar.exe"), "Bench"));
  if (!quilbar.started() || peer.read(3, std::chrono::seconds(20)) != "MB\r")
  {
    std::fprintf(stderr, "monitor bench: Quilbar's port did not open\n");
    return 1;
  }
  TestProcess monitor(TestProcess::commandLine(besideThisProgram("QuilbarMonitor.exe"), ""));
  HWND hwndMonitor = monitor.started() ? findWindow("Tarnwick Quilbar Monitor") : nullptr;
  // The window may be found while its controls are still being made; the state line is filled
  // once they all exist.
  HWND hwndState = nullptr;
  if (hwndMonitor == nullptr || !waitFor(
                                    [&] {
                                      hwndState = GetDlgItem(hwndMonitor, IDC_MONITOR_STATE);
                                      return windowText(hwndState).find("Tarnwick Quilbar 3.21") == 0;
                                    },
                                    std::chrono::seconds(20)))
  {
    std::fprintf(stderr, "monitor bench: the monitor did not connect: %s\n", windowText(hwndState).c_str());
    return 1;
  }
  HWND hwndEvent = GetDlgItem(hwndMonitor, IDC_MONITOR_EVENT);
  double dBeforeWs = NAN, dAfterWs = NAN;
  size_t nMissing = 0;
  auto start = Clock::now();
  for (size_t nSent = 0; nSent < nScans;)
  {
    std::string strBlock;
    for (size_t i = 0; i < kcBlock && nSent < nScans; ++i)
      strBlock += scanName(nSent++) + "\r";
    std::string strLast = "Input String = " + scanName(nSent - 1) + "\r\n";
    if (!peer.write(strBlock) ||
        !waitFor([&] { return windowText(hwndEvent).find(strLast) != std::string::npos; }, std::chrono::seconds(20)))
    {
      std::fprintf(stderr, "monitor bench: block up to %s not seen; newest event:\n%s\n", scanName(nSent - 1).c_str(),
                   windowText(hwndEvent).c_str());
      ++nMissing;
    }
    if (nSent % 1000 == 0)
      std::fprintf(stderr, "monitor bench: %zu scans after %.1f s\n", nSent,
                   std::chrono::duration<double>(Clock::now() - start).count());
    if (nSent == kcBefore)
    {
      Sleep(1000);
      dBeforeWs = workingSetMb(monitor.handle());
    }
  }
  Sleep(1000);
  dAfterWs = workingSetMb(monitor.handle());
  std::fprintf(stderr, "monitor bench: %zu scans, %zu blocks not seen; rows: %s\n", nScans, nMissing,
               windowText(GetDlgItem(hwndMonitor, IDC_MONITOR_COUNT)).c_str());
  printRow("monitor working set after 10,000 scans (vs the same process after 100)", dAfterWs, dBeforeWs, nMissing);
  PostMessageA(hwndMonitor, WM_CLOSE, 0, 0);
  return nMissing == 0 ? 0 : 2;
}
