// The running program under Wine, each figure beside a reference measured in the same run, sides
// taking turns at going first:
//   - start-up: from CreateProcess of Quilbar.exe until its port is open (the profile's
//     initialisation string has come out at the far end of the cable), beside Wine's notepad from
//     CreateProcess until its window exists;
//   - scan to last character: a 14-character scan written into the cable until the last character
//     (and the Enter after it) is in notepad, beside the same scan over another cable read by this
//     program plus a raw injection of the same key events into notepad;
//   - idle CPU of the program with its port open (process and Wine server), beside a bare 1 ms
//     polling loop of the same kind on the same kind of port; the program's CPU is read from
//     Linux's /proc, since Wine reports CPU times of the calling process only;
//   - working set after start, beside notepad's, and after 10,000 scans (delivered to a
//     subscriber window here, each compared with what was sent), beside the same process after
//     start: no growth means a ratio of 1.
// Run under the Wine harness (scripts/bench.sh does, and names the Wine server):
//   program_bench.exe [start-up runs] [latency samples] [idle seconds per side] [scans]
#include "BarePortPoller_win.h"
#include "BenchRow.h"
#include "BenchStatistics.h"
#include "ProcessCpuMeter_win.h"
#include "ProcessFigures_win.h"
#include "SerialTestRig_win.h"
#include "TestSupport.h"
#include "base/Registry.h"
#include "keyboard/KeyTranslatorMap.h"
#include "keyboard/KeystrokePlanner.h"
#include "settings/QuilbarProfileStore.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace
{
const char kszProfile[] = "Bench";
const char kszInit[] = "B^M";
const char kszInitSent[] = "B\r";
const char kszScan[] = "40063813339310";  // 14 characters
const int kIdleSegments = 3;
const auto kSettle = 1000ms;

double msSince(Clock::time_point start)
{
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string besideThisProgram(const char* pszFile)
{
  char szPath[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string strPath = szPath;
  size_t nSlash = strPath.find_last_of('\\');
  return (nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash + 1)) + pszFile;
}

// Quilbar.exe is built into src/app; this program lives in tests/app of the same build tree.
std::string quilbarPath()
{
  std::string strTests = besideThisProgram("");
  return strTests + "..\\..\\src\\app\\Quilbar.exe";
}

bool writeProfile()
{
  testsupport::removeStoredSettings();
  QuilbarProfileStore store;
  QuilbarProfile& profile = store.addOrSelectProfile(kszProfile);
  profile.setDefaults();
  profile.setName(kszProfile);
  profile.setPort("COM1");
  profile.setInitString(kszInit);
  return store.saveSettings();
}

void removeProfile()
{
  testsupport::removeStoredSettings();
}


// A top-level window of a process with a class (any class when null). A named CALLBACK function:
// on i686 a lambda converts only to the default calling convention.
struct WindowSearch
{
  DWORD dwProcessId;
  const char* pszClass;
  HWND hwnd;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lParam)
{
  auto* pSearch = reinterpret_cast<WindowSearch*>(lParam);
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hwnd, &dwProcessId);
  char szClass[64] = "";
  GetClassNameA(hwnd, szClass, sizeof szClass);
  if (dwProcessId != pSearch->dwProcessId || (pSearch->pszClass && lstrcmpiA(szClass, pSearch->pszClass) != 0))
    return TRUE;
  pSearch->hwnd = hwnd;
  return FALSE;
}

class Child
{
public:
  explicit Child(const std::string& strCommand)
  {
    std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
    rgchCommand.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    m_fStarted = CreateProcessA(nullptr, rgchCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                                &m_pi) != 0;
  }
  ~Child()
  {
    if (!m_fStarted)
      return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
    {
      TerminateProcess(m_pi.hProcess, 9);
      WaitForSingleObject(m_pi.hProcess, 10000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool started() const { return m_fStarted; }
  HANDLE process() const { return m_pi.hProcess; }
  // A top-level window of the process with the class (any class when null).
  HWND findWindow(const char* pszClass) const
  {
    WindowSearch search{m_pi.dwProcessId, pszClass, nullptr};
    EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.hwnd;
  }
  HWND waitForWindow(const char* pszClass, std::chrono::milliseconds timeout) const
  {
    auto deadline = Clock::now() + timeout;
    HWND hwnd = nullptr;
    while ((hwnd = findWindow(pszClass)) == nullptr && Clock::now() < deadline)
      Sleep(1);
    return hwnd;
  }
  // Ends the program as the user's Unload does, so the next start meets no half-closed port.
  void unload(HWND hwndMain)
  {
    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitForSingleObject(m_pi.hProcess, 20000);
  }
  HANDLE handle() const { return m_pi.hProcess; }

private:
  PROCESS_INFORMATION m_pi = {};
  bool m_fStarted = false;
};

std::string windowText(HWND hwnd)
{
  DWORD_PTR nLength = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
    return std::string();
  std::vector<char> rgch(nLength + 1, '\0');
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, rgch.size(), reinterpret_cast<LPARAM>(rgch.data()), SMTO_ABORTIFHUNG, 5000,
                      &nCopied);
  return std::string(rgch.data(), nCopied);
}

size_t textLength(HWND hwnd)
{
  DWORD_PTR nLength = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength);
  return nLength;
}

// A started Quilbar with its port open: the initialisation string has arrived at the far end.
struct RunningQuilbar
{
  std::unique_ptr<Child> pChild;
  HWND hwndMain = nullptr;
  double dStartMs = NAN;
};

bool startQuilbar(PeerPort& peer, RunningQuilbar& running)
{
  peer.drain();
  auto start = Clock::now();
  running.pChild = std::make_unique<Child>("\"" + quilbarPath() + "\" " + kszProfile);
  if (!running.pChild->started())
    return false;
  std::string strInit;
  auto deadline = start + 20s;
  while (strInit.size() < 2 && Clock::now() < deadline)
    strInit += peer.read(2 - strInit.size(), 1ms);
  if (strInit != kszInitSent)
    return false;
  running.dStartMs = msSince(start);
  running.hwndMain = running.pChild->waitForWindow("#32770", 10s);
  return running.hwndMain != nullptr;
}

void stopQuilbar(RunningQuilbar& running)
{
  if (running.pChild && running.hwndMain)
    running.pChild->unload(running.hwndMain);
  running.pChild.reset();
}

void printRow(const char* pszName, const std::vector<double>& rgdFigure, const std::vector<double>& rgdReference,
              const char* pszUnit, size_t nFailedFigure, size_t nFailedReference,
              double (*pfnStatistic)(std::vector<double>) = nullptr)
{
  BenchRow row;
  row.strName = pszName;
  row.dFigure = pfnStatistic ? pfnStatistic(rgdFigure) : benchstats::median(rgdFigure);
  row.dReference = pfnStatistic ? pfnStatistic(rgdReference) : benchstats::median(rgdReference);
  row.strUnit = pszUnit;
  row.nSamples = rgdFigure.size() < rgdReference.size() ? rgdFigure.size() : rgdReference.size();
  row.nFailedFigure = nFailedFigure;
  row.nFailedReference = nFailedReference;
  printBenchRow(row);
  std::fflush(stdout);
}

void addSample(double dValue, std::vector<double>& rgdSamples, size_t& nFailed)
{
  if (std::isnan(dValue))
    ++nFailed;
  else
    rgdSamples.push_back(dValue);
}

double p99(std::vector<double> rgd)
{
  return benchstats::percentile(std::move(rgd), 0.99);
}

void benchStartup(int nRuns)
{
  PeerPort peer("\\\\.\\COM2");
  std::vector<double> rgdQuilbar, rgdNotepad;
  size_t nFailedQuilbar = 0, nFailedNotepad = 0;
  alternateRounds(
      nRuns,
      [&](int) {
        RunningQuilbar running;
        if (startQuilbar(peer, running))
          rgdQuilbar.push_back(running.dStartMs);
        else
          ++nFailedQuilbar;
        stopQuilbar(running);
      },
      [&](int) {
        auto start = Clock::now();
        Child notepad("notepad.exe");
        if (notepad.started() && notepad.waitForWindow("Notepad", 20s) != nullptr)
          rgdNotepad.push_back(msSince(start));
        else
          ++nFailedNotepad;
      });
  printRow("program start-up to port open (vs notepad to its window)", rgdQuilbar, rgdNotepad, "ms", nFailedQuilbar,
           nFailedNotepad);
}

// Until the edit control holds the expected text; its time, or NaN when it did not come intact.
// Asked every millisecond: each question is a message notepad's thread must answer, and asking
// without a pause would slow the typing being measured.
double waitForText(HWND hwndEdit, const std::string& strExpected, Clock::time_point start)
{
  auto deadline = start + 10s;
  while (textLength(hwndEdit) < strExpected.size() && Clock::now() < deadline)
    Sleep(1);
  double dMs = msSince(start);
  return windowText(hwndEdit) == strExpected ? dMs : NAN;
}

void injectSteps(const std::vector<KeyStep>& rgSteps)
{
  for (const KeyStep& step : rgSteps)
  {
    if (step.kind == KeyStep::Kind::Wait)
    {
      Sleep(static_cast<DWORD>(step.nMilliseconds));
      continue;
    }
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    if (step.kind == KeyStep::Kind::Key)
    {
      input.ki.wVk = static_cast<WORD>(step.nVirtualKey);
      input.ki.wScan = static_cast<WORD>(step.nScanCode);
      input.ki.dwFlags = step.dwFlags;
    }
    else
    {
      input.ki.wScan = static_cast<WORD>(step.nScanCode);
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    SendInput(1, &input, sizeof input);
  }
}

void benchLatency(int nSamples)
{
  PeerPort peer("\\\\.\\COM2");
  PeerPort wireIn("\\\\.\\COM3");
  PeerPort wireOut("\\\\.\\COM4");
  RunningQuilbar running;
  Child notepad("notepad.exe");
  HWND hwndNotepad = notepad.waitForWindow("Notepad", 20s);
  HWND hwndEdit = hwndNotepad ? FindWindowExA(hwndNotepad, nullptr, "Edit", nullptr) : nullptr;
  if (!startQuilbar(peer, running) || hwndEdit == nullptr)
  {
    std::fprintf(stderr, "latency: the program or notepad did not start\n");
    printRow("scan to last character in notepad, median", {}, {}, "ms", 1, 1);
    return;
  }
  const std::string strLine = std::string(kszScan) + "\r";
  const std::string strExpected = std::string(kszScan) + "\r\n";
  KeyTranslatorMap map;
  std::vector<KeyStep> rgSteps = KeystrokePlanner::planText(strLine.c_str(), map, 0, 0, false).rgSteps;
  std::vector<double> rgdQuilbar, rgdReference;
  size_t nFailedQuilbar = 0, nFailedReference = 0;
  auto clear = [&] {
    SetForegroundWindow(hwndNotepad);
    SendMessageA(hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  };
  alternateRounds(
      nSamples,
      [&](int) {
        clear();
        auto start = Clock::now();
        double dMs = peer.write(strLine) ? waitForText(hwndEdit, strExpected, start) : NAN;
        addSample(dMs, rgdQuilbar, nFailedQuilbar);
      },
      [&](int) {
        clear();
        auto start = Clock::now();
        std::string strWire;
        bool fWire = wireOut.write(strLine);
        auto deadline = start + 5s;
        while (fWire && strWire.size() < strLine.size() && Clock::now() < deadline)
          strWire += wireIn.read(strLine.size() - strWire.size(), 1ms);
        double dMs = NAN;
        if (strWire == strLine)
        {
          injectSteps(rgSteps);
          dMs = waitForText(hwndEdit, strExpected, start);
        }
        addSample(dMs, rgdReference, nFailedReference);
      });
  printRow("scan to last character in notepad, median (vs wire + raw SendInput)", rgdQuilbar, rgdReference, "ms",
           nFailedQuilbar, nFailedReference);
  printRow("scan to last character in notepad, p99 (vs wire + raw SendInput)", rgdQuilbar, rgdReference, "ms",
           nFailedQuilbar, nFailedReference, &p99);
  stopQuilbar(running);
}

// Sleeps in the message loop: this program's own loop is not what the idle figures measure.
void idleFor(TestWindow& window, std::chrono::seconds duration)
{
  auto deadline = Clock::now() + duration;
  for (auto now = Clock::now(); now < deadline; now = Clock::now())
  {
    auto msLeft = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(msLeft) + 1, QS_ALLINPUT);
    window.pumpUntil([] { return true; }, 0ms);
  }
}

void benchIdle(int nSecondsPerSide)
{
  ProcessCpuMeter meter;
  std::string strWhy;
  bool fServer = meter.hasServer(strWhy);
  if (!fServer)
    std::fprintf(stderr, "idle: Wine server not counted: %s\n", strWhy.c_str());
  TestWindow window;
  PeerPort peer("\\\\.\\COM2");
  int nSegmentSeconds = nSecondsPerSide / kIdleSegments > 0 ? nSecondsPerSide / kIdleSegments : 1;
  std::vector<double> rgdQuilbar, rgdReference;
  size_t nFailedQuilbar = 0, nFailedReference = 0;
  alternateRounds(
      kIdleSegments,
      [&](int) {
        RunningQuilbar running;
        if (!startQuilbar(peer, running))
        {
          ++nFailedQuilbar;
          stopQuilbar(running);
          return;
        }
        window.pumpFor(kSettle);
        ProcessCpuMeter::Reading before = meter.read();
        double dBeforeMs = meter.otherProcessMs(quilbarPath());
        idleFor(window, std::chrono::seconds(nSegmentSeconds));
        double dAfterMs = meter.otherProcessMs(quilbarPath());
        ProcessCpuMeter::Reading after = meter.read();
        double dElapsedS = std::chrono::duration<double>(after.at - before.at).count();
        double dServer = fServer ? (after.dServerMs - before.dServerMs) / dElapsedS : 0;
        double dRate = (dAfterMs - dBeforeMs) / dElapsedS + dServer;
        addSample(dRate, rgdQuilbar, nFailedQuilbar);
        stopQuilbar(running);
      },
      [&](int) {
        BarePortPoller poller(window.hwnd());
        QuilbarProfile profile = com1Profile();
        profile.setPort("COM3");
        if (!poller.open(profile))
        {
          ++nFailedReference;
          return;
        }
        window.pumpFor(kSettle);
        ProcessCpuMeter::Reading before = meter.read();
        idleFor(window, std::chrono::seconds(nSegmentSeconds));
        ProcessCpuMeter::Reading after = meter.read();
        poller.close();
        ProcessCpuMeter::Rates rates = ProcessCpuMeter::ratesBetween(before, after);
        double dRate = rates.dProcess + (fServer ? rates.dServer : 0);
        addSample(dRate, rgdReference, nFailedReference);
      });
  printRow("idle CPU with the port open, process + Wine server (vs bare 1 ms polling loop)", rgdQuilbar,
           rgdReference, "ms/s", nFailedQuilbar, nFailedReference);
}

// The subscriber: every data string delivered, compared with what was sent, in order.
struct Subscriber
{
  size_t nReceived = 0;
  size_t nWrong = 0;
};
Subscriber* g_pSubscriber = nullptr;

std::string scanNumber(size_t n)
{
  char sz[32];
  std::snprintf(sz, sizeof sz, "S%013zu", n);  // 14 characters
  return sz;
}

LRESULT CALLBACK subscriberProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_COPYDATA && g_pSubscriber != nullptr)
  {
    auto* pCopyData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string strExpected = scanNumber(g_pSubscriber->nReceived) + "\r";
    std::string strGot(static_cast<const char*>(pCopyData->lpData), pCopyData->cbData);
    if (strGot != strExpected + std::string(1, '\0'))
      ++g_pSubscriber->nWrong;
    ++g_pSubscriber->nReceived;
    return TRUE;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

void pumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout)
{
  auto deadline = Clock::now() + timeout;
  MSG msg;
  while (!fnDone() && Clock::now() < deadline)
  {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void benchMemory(size_t nScans)
{
  Child notepad("notepad.exe");
  bool fNotepad = notepad.waitForWindow("Notepad", 20s) != nullptr;
  PeerPort peer("\\\\.\\COM2");
  RunningQuilbar running;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = subscriberProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuilbarBenchSubscriber";
  RegisterClassA(&wc);
  HWND hwndSubscriber = CreateWindowExA(0, wc.lpszClassName, "Bench subscriber", WS_OVERLAPPED, 0, 0, 50, 50,
                                        nullptr, nullptr, wc.hInstance, nullptr);
  Subscriber subscriber;
  g_pSubscriber = &subscriber;
  double dStartMb = NAN, dAfterMb = NAN, dNotepadMb = NAN;
  if (fNotepad)
  {
    pumpUntil([] { return false; }, kSettle);
    dNotepadMb = workingSetMb(notepad.handle());
  }
  if (hwndSubscriber != nullptr && startQuilbar(peer, running))
  {
    pumpUntil([] { return false; }, kSettle);
    dStartMb = workingSetMb(running.pChild->handle());
    PostMessageA(running.hwndMain, RegisterWindowMessageA("Quilbar32.Subscribe"), 0,
                 reinterpret_cast<LPARAM>(hwndSubscriber));
    pumpUntil([] { return false; }, 200ms);
    // In blocks, so the scans never wait long in the cable's own small buffer.
    const size_t kBlock = 50;
    for (size_t nSent = 0; nSent < nScans;)
    {
      std::string strBlock;
      for (size_t i = 0; i < kBlock && nSent < nScans; ++i, ++nSent)
        strBlock += scanNumber(nSent) + "\r";
      if (!peer.write(strBlock))
        break;
      pumpUntil([&] { return subscriber.nReceived + 2 * kBlock >= nSent; }, 20s);
    }
    pumpUntil([&] { return subscriber.nReceived >= nScans; }, 60s);
    pumpUntil([] { return false; }, kSettle);
    dAfterMb = workingSetMb(running.pChild->handle());
  }
  size_t nFailed = (nScans - (subscriber.nReceived < nScans ? subscriber.nReceived : nScans)) + subscriber.nWrong;
  std::fprintf(stderr, "memory: %zu of %zu scans delivered, %zu changed\n", subscriber.nReceived, nScans,
               subscriber.nWrong);
  printRow("working set after start (vs notepad after start)", {dStartMb}, {dNotepadMb}, "MB",
           std::isnan(dStartMb) ? 1 : 0, std::isnan(dNotepadMb) ? 1 : 0);
  printRow("working set after 10,000 scans (vs the same process after start)", {dAfterMb}, {dStartMb}, "MB",
           nFailed, std::isnan(dStartMb) ? 1 : 0);
  g_pSubscriber = nullptr;
  stopQuilbar(running);
  if (hwndSubscriber != nullptr)
    DestroyWindow(hwndSubscriber);
}
}  // namespace

int main(int argc, char** argv)
{
  int nStartupRuns = argc > 1 ? std::atoi(argv[1]) : 7;
  int nLatencySamples = argc > 2 ? std::atoi(argv[2]) : 300;
  int nIdleSeconds = argc > 3 ? std::atoi(argv[3]) : 30;
  size_t nScans = argc > 4 ? static_cast<size_t>(std::atol(argv[4])) : 10000;
  if (!writeProfile())
  {
    std::fprintf(stderr, "the benchmark profile could not be written\n");
    return 1;
  }
  benchStartup(nStartupRuns);
  benchLatency(nLatencySamples);
  benchIdle(nIdleSeconds);
  benchMemory(nScans);
  removeProfile();
  return 0;
}
