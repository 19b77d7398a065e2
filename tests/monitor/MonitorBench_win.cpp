// The monitor's memory over a long day: the real QuilbarMonitor.exe follows the real Quilbar.exe
// while scans are fed into the far end of the wedge's port; its working set and private bytes
// after 10,000 scans stand beside the same process after 100. Each block of scans is waited for
// until the newest row shows its last scan, so every figure is taken with everything arrived.
//
//   monitor_bench.exe [SCANS]      (default 10000), run by scripts/bench.sh under the Wine harness
#include "BenchRow.h"
#include "SerialTestRig_win.h"
#include "base/Registry.h"
#include "monitor/MonitorResourceIds.h"
#include "settings/QuilbarProfileStore.h"

#include <windows.h>

#include <psapi.h>

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

class Child
{
public:
  explicit Child(const std::string& strCommand)
  {
    std::vector<char> rgch(strCommand.begin(), strCommand.end());
    rgch.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    m_fStarted = CreateProcessA(nullptr, rgch.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi) != 0;
  }
  ~Child()
  {
    if (!m_fStarted)
      return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(m_pi.hProcess, 9);
    WaitForSingleObject(m_pi.hProcess, 10000);
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool started() const { return m_fStarted; }
  void memory(double& dWorkingSetMb, double& dPrivateMb) const
  {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    bool fRead = GetProcessMemoryInfo(m_pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                      sizeof counters) != 0;
    dWorkingSetMb = fRead ? counters.WorkingSetSize / 1048576.0 : NAN;
    dPrivateMb = fRead ? counters.PrivateUsage / 1048576.0 : NAN;
  }

private:
  PROCESS_INFORMATION m_pi = {};
  bool m_fStarted = false;
};

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

std::string windowText(HWND hwnd)
{
  char szText[4096] = "";
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText), SMTO_ABORTIFHUNG, 5000,
                      &nCopied);
  return szText;
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
  Registry software;
  if (software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll))
    software.deleteSubKey("Tarnwick");
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
  Child quilbar("\"" + besideThisProgram("Quilbar.exe") + "\" Bench");
  if (!quilbar.started() || peer.read(3, std::chrono::seconds(20)) != "MB\r")
  {
    std::fprintf(stderr, "monitor bench: Quilbar's port did not open\n");
    return 1;
  }
  Child monitor("\"" + besideThisProgram("QuilbarMonitor.exe") + "\"");
  HWND hwndMonitor = monitor.started() ? findWindow("Tarnwick Quilbar Monitor") : nullptr;
  HWND hwndState = GetDlgItem(hwndMonitor, IDC_MONITOR_STATE);
  HWND hwndEvent = GetDlgItem(hwndMonitor, IDC_MONITOR_EVENT);
  if (hwndMonitor == nullptr ||
      !waitFor([&] { return windowText(hwndState).find("Tarnwick Quilbar 3.21") == 0; }, std::chrono::seconds(20)))
  {
    std::fprintf(stderr, "monitor bench: the monitor did not connect\n");
    return 1;
  }
  double dBeforeWs = NAN, dBeforePrivate = NAN, dAfterWs = NAN, dAfterPrivate = NAN;
  size_t nMissing = 0;
  for (size_t nSent = 0; nSent < nScans;)
  {
    std::string strBlock;
    for (size_t i = 0; i < kcBlock && nSent < nScans; ++i)
      strBlock += scanName(nSent++) + "\r";
    std::string strLast = "Input String = " + scanName(nSent - 1) + "\r\n";
    if (!peer.write(strBlock) ||
        !waitFor([&] { return windowText(hwndEvent).find(strLast) != std::string::npos; }, std::chrono::seconds(20)))
      ++nMissing;
    if (nSent == kcBefore)
    {
      Sleep(1000);
      monitor.memory(dBeforeWs, dBeforePrivate);
    }
  }
  Sleep(1000);
  monitor.memory(dAfterWs, dAfterPrivate);
  std::fprintf(stderr, "monitor bench: %zu scans, %zu blocks not seen; rows: %s\n", nScans, nMissing,
               windowText(GetDlgItem(hwndMonitor, IDC_MONITOR_COUNT)).c_str());
  printRow("monitor working set after 10,000 scans (vs the same process after 100)", dAfterWs, dBeforeWs, nMissing);
  printRow("monitor private bytes after 10,000 scans (vs the same process after 100)", dAfterPrivate, dBeforePrivate,
           nMissing);
  PostMessageA(hwndMonitor, WM_CLOSE, 0, 0);
  return nMissing == 0 ? 0 : 2;
}
