// A long run of the real Quilbar.exe under the Wine harness: scans written into the far end of its
// port (COM2, the other end of COM1) go in phases alternately to a subscriber program and, typed,
// into a target window; in the middle the cable is pulled and plugged back, the subscriber is
// killed, and QuilbarMonitor.exe is attached and later detached. Every string that arrives is
// compared with what was sent, in order. What may be lost on purpose, and nothing else:
//   - the scans still in the cable when it is pulled (those of the block written just before;
//     what arrives of that block must be its beginning, in order), and the block written into the
//     dead line while the cable is out (none of it may arrive);
//   - nothing at the killed subscriber: the string it was handling when it died is typed instead,
//     so it may arrive twice (at the subscriber and typed), at the seam and nowhere else.
// The program's working set and handle count are sampled after every block: growth after the
// first 1,000 scans must stay within 2 MB and the handle count must come back to what it was.
//
//   program_soak.exe [scans] [scans per phase]       default 100000 500
//   program_soak.exe subscriber <collector window>   the subscriber it starts (and kills)
#include "BenchRow.h"
#include "KeyTargetProcess_win.h"
#include "ProcessCpuMeter_win.h"
#include "ProcessFigures_win.h"
#include "SerialTestRig_win.h"
#include "TestMonitor_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "VirtualCable_win.h"
#include "base/Registry.h"
#include "monitor/MonitorResourceIds.h"
#include "pipeline/SubscriberMessages.h"
#include "settings/QuilbarProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace
{
const char kszProfile[] = "Soak";
const char kszInitSent[] = "SK\r";
const char kszMainTitle[] = "Tarnwick Quilbar 3.21";
const char kszMonitorTitle[] = "Tarnwick Quilbar Monitor";
const char kszSubscriberClass[] = "QuilbarSoakSubscriber";
const char kszSubscriberTitle[] = "Soak subscriber";
const size_t kcBlock = 50;
const size_t kcKillBlock = 200;   // long enough that the kill falls in the middle of it
const size_t kcKillAfter = 20;    // strings the subscriber takes of it before it is killed
const size_t kcTypedLength = 9;   // "S000001" and the line end the target's edit control makes
const size_t kcSettledAfter = 1000;
const double kdGrowthLimitMb = 2.0;
const DWORD kdwHandleSlack = 2;
const size_t kcErrorsShown = 20;
const size_t kcTrickleLimit = 2000;  // scans written one by one while the cable is pulled

std::string scanText(size_t n)
{
  char sz[16];
  std::snprintf(sz, sizeof sz, "S%06zu", n % 1000000);
  return sz;
}

std::string besideThisProgram(const char* pszFile)
{
  return KeyTargetProcess::besideTestProgram(pszFile);
}

// ---- the subscriber program: forwards every string to the driver's collector, then answers ----

HWND g_hwndCollector = nullptr;

LRESULT CALLBACK subscriberProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg != WM_COPYDATA)
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
  DWORD_PTR dwResult = 0;
  // Forwarded before the answer: a string Quilbar saw taken has reached the collector.
  SendMessageTimeoutA(g_hwndCollector, WM_COPYDATA, 0, lParam, SMTO_NORMAL, 10000, &dwResult);
  return TRUE;
}

int runSubscriber(const char* pszCollector)
{
  g_hwndCollector = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(pszCollector, nullptr, 16)));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = subscriberProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kszSubscriberClass;
  RegisterClassA(&wc);
  if (CreateWindowExA(0, kszSubscriberClass, kszSubscriberTitle, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                      wc.hInstance, nullptr) == nullptr)
    return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}

// ---- what was sent to a sink and what it got --------------------------------------------------

enum class Fate
{
  Required,   // must arrive, once, in order
  Droppable,  // in the cable when it was pulled: may be missing, but only from some point on
  Forbidden,  // written into a dead line: must not arrive
};

struct Sent
{
  size_t nScan;
  Fate fate;
};

struct Tally
{
  size_t nSent = 0;
  size_t nArrived = 0;
  size_t nCompared = 0;  // arrived and equal to what was sent at that place
  size_t nWrong = 0;     // missing, changed, doubled, out of order, or not to be delivered
  size_t nDroppedInCable = 0;
  size_t nWrittenWhileOut = 0;
  size_t nTwiceAtKill = 0;
  size_t nTypedAfterKill = 0;
};

void reportWrong(Tally& tally, const char* pszWhere, const std::string& strWhat)
{
  if (tally.nWrong++ < kcErrorsShown)
    std::fprintf(stderr, "soak: %s: %s\n", pszWhere, strWhat.c_str());
}

// The got strings are compared in order with the sent ones; missing Droppable ones must be the
// tail of what the cable held, so one that arrives after a missing one is wrong.
void compareSink(const std::vector<Sent>& rgSent, const std::vector<std::string>& rgGot, Tally& tally,
                 const char* pszWhere)
{
  size_t j = 0;
  bool fDropping = false;
  tally.nArrived += rgGot.size();
  for (const Sent& sent : rgSent)
  {
    if (sent.fate == Fate::Forbidden)
      continue;
    bool fHere = j < rgGot.size() && rgGot[j] == scanText(sent.nScan);
    if (fHere && !(sent.fate == Fate::Droppable && fDropping))
    {
      ++j;
      ++tally.nCompared;
    }
    else if (fHere)
    {
      ++j;
      reportWrong(tally, pszWhere, scanText(sent.nScan) + " arrived after an earlier one of its block was lost");
    }
    else if (sent.fate == Fate::Droppable)
    {
      fDropping = true;
      ++tally.nDroppedInCable;
    }
    else
      reportWrong(tally, pszWhere,
                  "missing " + scanText(sent.nScan) + (j < rgGot.size() ? ", next came \"" + rgGot[j] + "\"" : ""));
  }
  for (; j < rgGot.size(); ++j)
    reportWrong(tally, pszWhere, "unexpected \"" + rgGot[j] + "\"");
}

// The typed text as lines; an unfinished last line is kept as it is, so it compares wrong.
std::vector<std::string> typedLines(const std::string& strText)
{
  std::vector<std::string> rgstrLines;
  size_t nStart = 0;
  for (size_t nEnd; (nEnd = strText.find("\r\n", nStart)) != std::string::npos; nStart = nEnd + 2)
    rgstrLines.push_back(strText.substr(nStart, nEnd - nStart));
  if (nStart < strText.size())
    rgstrLines.push_back(strText.substr(nStart));
  return rgstrLines;
}

// ---- the figures of the running program -----------------------------------------------------

struct Figures
{
  double dFirstMb = NAN, dSettledMb = NAN, dMaxMb = NAN, dLastMb = NAN;
  DWORD dwSettledHandles = 0, dwMaxHandles = 0, dwLastHandles = 0;
  bool fSettled = false;
};

double secondsSince(Clock::time_point start)
{
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// ---- the run --------------------------------------------------------------------------------

enum class Sink
{
  Subscriber,
  Window,
};

class Soak
{
public:
  Soak(size_t nScans, size_t nPhaseScans) : m_nScans(nScans), m_nPhaseScans(nPhaseScans) {}
  ~Soak() { CloseHandle(m_hevtTyped); }
  Soak(const Soak&) = delete;
  Soak& operator=(const Soak&) = delete;

  bool start();
  void run();
  int finish();

private:
  void runPhase(size_t nPhase, size_t nPhases);
  bool sendBlock(size_t nCount, Fate fate);
  bool waitArrived();
  void endSegment(const char* pszWhere);
  std::vector<std::string> takeSubscriberStrings();
  std::vector<std::string> takeTypedStrings();
  bool startSubscriber();
  bool switchTo(Sink sink);
  void pullCable();
  void killSubscriber();
  void attachMonitor();
  void detachMonitor();
  void sample();
  void fail(const std::string& strWhat) { reportWrong(m_tally, "run", strWhat); }
  // A failure after which the run cannot go on (no cable, no program).
  void breakOff(const std::string& strWhat)
  {
    fail(strWhat);
    m_fBroken = true;
  }
  bool going() const { return !m_fBroken && m_pQuilbar->isRunning(); }

  size_t m_nScans;
  size_t m_nPhaseScans;
  size_t m_nNext = 0;
  std::unique_ptr<PeerPort> m_pPeer;
  TestMonitor m_collector;  // a window on its own thread keeping every string the subscriber forwards
  size_t m_nCollected = 0;  // strings of the collector already compared
  std::unique_ptr<KeyTargetProcess> m_pTarget;
  std::unique_ptr<TestProcess> m_pQuilbar, m_pSubscriber, m_pMonitor;
  HWND m_hwndMain = nullptr, m_hwndSubscriber = nullptr, m_hwndMonitor = nullptr;
  HANDLE m_hevtTyped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Sink m_sink = Sink::Window;
  std::vector<Sent> m_rgSegment;  // sent to the current sink since its strings were last compared
  size_t m_nSegmentRequired = 0;
  Tally m_tally;
  Figures m_figures;
  double m_dSubscriberSeconds = 0, m_dWindowSeconds = 0;
  size_t m_nSubscriberScans = 0, m_nWindowScans = 0;
  ProcessCpuMeter m_meter;
  double m_dStartCpuMs = NAN, m_dStartServerMs = NAN, m_dCpuMs = NAN, m_dServerMs = NAN;
  Clock::time_point m_start = Clock::now();
  bool m_fBroken = false;
};

bool writeProfile()
{
  testsupport::removeStoredSettings();
  QuilbarProfileStore store;
  QuilbarProfile& profile = store.addOrSelectProfile(kszProfile);
  profile.setDefaults();
  profile.setName(kszProfile);
  profile.setPort("COM1");
  profile.setInitString("SK^M");
  return store.saveSettings();
}

std::string windowText(HWND hwnd)
{
  char sz[256] = "";
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof sz, reinterpret_cast<LPARAM>(sz), SMTO_ABORTIFHUNG, 5000, &nCopied);
  return sz;
}

bool Soak::start()
{
  std::string strWhy;
  m_pPeer = std::make_unique<PeerPort>("\\\\.\\COM2");
  if (!m_pPeer->isOpen() || !writeProfile() || !m_collector.isReady())
    return fail("no far end of COM1, no settings or no collector"), false;
  m_pPeer->drain();
  m_pTarget = std::make_unique<KeyTargetProcess>("Soak target");
  if (!m_pTarget->isReady(strWhy))
    return fail(strWhy), false;
  m_pQuilbar = std::make_unique<TestProcess>(TestProcess::commandLine(besideThisProgram("Quilbar.exe"), kszProfile));
  m_hwndMain = m_pQuilbar->waitForWindow(kszMainTitle, "#32770");
  if (m_hwndMain == nullptr || m_pPeer->read(3, 20000ms) != kszInitSent)
    return fail("Quilbar's window did not appear or its port did not open"), false;
  Sleep(1000);
  m_figures.dFirstMb = workingSetMb(m_pQuilbar->handle());
  m_dStartCpuMs = m_meter.otherProcessMs(besideThisProgram("Quilbar.exe"));
  m_dStartServerMs = m_meter.read().dServerMs;
  return true;
}

// Phases alternate, subscriber first; the faults come in the middle, each in a subscriber phase.
void Soak::run()
{
  size_t nPhases = (m_nScans + m_nPhaseScans - 1) / m_nPhaseScans;
  for (size_t nPhase = 0; nPhase < nPhases && going(); ++nPhase)
  {
    auto phaseStart = Clock::now();
    size_t nFirst = m_nNext;
    runPhase(nPhase, nPhases);
    (nPhase % 2 == 0 ? m_dSubscriberSeconds : m_dWindowSeconds) += secondsSince(phaseStart);
    (nPhase % 2 == 0 ? m_nSubscriberScans : m_nWindowScans) += m_nNext - nFirst;
    if (nPhase % std::max<size_t>(nPhases / 20, 1) == 0 || nPhase + 1 == nPhases)
      std::fprintf(stderr, "soak: %zu scans after %.0f s, %zu wrong, working set %.1f MB, %lu handles\n", m_nNext,
                   secondsSince(m_start), m_tally.nWrong, m_figures.dLastMb,
                   static_cast<unsigned long>(m_figures.dwLastHandles));
  }
  if (!m_pQuilbar->isRunning())
    fail("Quilbar ended during the run");
  else if (m_fBroken)
    fail("the run was broken off at " + scanText(m_nNext));
}

// The fault phases are the even ones nearest 30 % (cable), 50 % (kill), 60 % and 70 % (monitor).
size_t evenPhaseAt(size_t nPhases, double dFraction)
{
  size_t nPhase = static_cast<size_t>(nPhases * dFraction);
  return nPhase - nPhase % 2;
}

void Soak::runPhase(size_t nPhase, size_t nPhases)
{
  bool fSubscriberPhase = nPhase % 2 == 0;
  if (nPhase == evenPhaseAt(nPhases, 0.6))
    attachMonitor();
  if (nPhase == std::max(evenPhaseAt(nPhases, 0.7), evenPhaseAt(nPhases, 0.6) + 2))
    detachMonitor();
  if (!switchTo(fSubscriberPhase ? Sink::Subscriber : Sink::Window))
    return;
  size_t nEnd = std::min(m_nScans, m_nNext + m_nPhaseScans);
  size_t nMiddle = m_nNext + m_nPhaseScans / 2;
  bool fPull = nPhase == evenPhaseAt(nPhases, 0.3), fKill = nPhase == evenPhaseAt(nPhases, 0.5);
  while (m_nNext < nEnd && going())
  {
    if ((fPull || fKill) && m_nNext >= nMiddle)
    {
      fPull ? pullCable() : killSubscriber();
      fPull = fKill = false;
      continue;
    }
    sendBlock(std::min(kcBlock, nEnd - m_nNext), Fate::Required);
    // After a loss the segment is compared at once, so the next blocks wait only for themselves.
    if (!waitArrived())
    {
      fail("the block up to " + scanText(m_nNext - 1) + " did not arrive in time");
      endSegment(fSubscriberPhase ? "subscriber phase" : "window phase");
    }
    sample();
  }
  endSegment(fSubscriberPhase ? "subscriber phase" : "window phase");
}

// False when the line took nothing for a while; only a Required block must go out whole.
bool Soak::sendBlock(size_t nCount, Fate fate)
{
  std::string strBlock;
  for (size_t i = 0; i < nCount; ++i, ++m_nNext)
  {
    strBlock += scanText(m_nNext) + "\r";
    m_rgSegment.push_back({m_nNext, fate});
  }
  m_tally.nSent += nCount;
  if (fate == Fate::Required)
    m_nSegmentRequired += nCount;
  if (fate == Fate::Forbidden)
    m_tally.nWrittenWhileOut += nCount;
  bool fWritten = m_pPeer->write(strBlock, fate == Fate::Required ? 10000ms : 50ms);
  if (!fWritten && fate == Fate::Required)
    fail("the cable took nothing of the block up to " + scanText(m_nNext - 1));
  return fWritten;
}

// Until the current sink holds everything required of its segment.
bool Soak::waitArrived()
{
  if (m_sink == Sink::Subscriber)
    return testsupport::waitUntil([&] { return m_collector.count() >= m_nCollected + m_nSegmentRequired; }, 30000ms,
                                  1ms);
  ResetEvent(m_hevtTyped);
  return m_pTarget->notifyWhenLength(m_nSegmentRequired * kcTypedLength, m_hevtTyped) &&
         WaitForSingleObject(m_hevtTyped, 30000) == WAIT_OBJECT_0;
}

void Soak::endSegment(const char* pszWhere)
{
  std::vector<std::string> rgGot = m_sink == Sink::Subscriber ? takeSubscriberStrings() : takeTypedStrings();
  compareSink(m_rgSegment, rgGot, m_tally, pszWhere);
  m_rgSegment.clear();
  m_nSegmentRequired = 0;
}

std::vector<std::string> Soak::takeSubscriberStrings()
{
  std::vector<std::string> rgstr = m_collector.textsFrom(m_nCollected);
  m_nCollected += rgstr.size();
  // Each string comes as Quilbar made it for subscribers: the scan with the carriage return.
  for (std::string& str : rgstr)
    str = str.size() > 0 && str.back() == '\r' ? str.substr(0, str.size() - 1) : str + " (without its end)";
  return rgstr;
}

// Read and cleared with nothing more on its way: a segment ends only once all of it arrived.
std::vector<std::string> Soak::takeTypedStrings()
{
  std::string strText = m_pTarget->text();
  m_pTarget->clearText();
  return typedLines(strText);
}

bool Soak::startSubscriber()
{
  char szCollector[32];
  std::snprintf(szCollector, sizeof szCollector, "%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(m_collector.hwnd())));
  m_pSubscriber = std::make_unique<TestProcess>(
      TestProcess::commandLine(besideThisProgram("program_soak.exe"), std::string("subscriber ") + szCollector));
  m_hwndSubscriber = m_pSubscriber->waitForWindow(kszSubscriberTitle, kszSubscriberClass);
  return m_hwndSubscriber != nullptr;
}

// Sent, not posted: once the call returns the program has changed its list, and every scan
// written from then on goes to the new sink.
bool Soak::switchTo(Sink sink)
{
  if (m_hwndSubscriber == nullptr && sink == Sink::Subscriber && !startSubscriber())
    return breakOff("the subscriber did not start"), false;
  const char* pszMessage = sink == Sink::Subscriber ? kszQuilbar32Subscribe : kszQuilbar32Unsubscribe;
  DWORD_PTR dwResult = 0;
  if (m_hwndSubscriber != nullptr &&
      !SendMessageTimeoutA(m_hwndMain, RegisterWindowMessageA(pszMessage), 0,
                           reinterpret_cast<LPARAM>(m_hwndSubscriber), SMTO_NORMAL, 10000, &dwResult))
    return breakOff(std::string("Quilbar did not take ") + pszMessage), false;
  if (sink == Sink::Window && !m_pTarget->bringToFront())
    return fail("the target window did not come to the front"), false;
  m_sink = sink;
  return true;
}

// The scanner goes on scanning while the cable is pulled: what it wrote until the line died may
// be cut short (the part the program had not read yet, an unfinished string with it); a block
// written into the dead line must not arrive; after the plug the program opens the port again by
// itself (its initialisation string comes out) and everything from then on arrives.
void Soak::pullCable()
{
  VirtualCable cable("COM2");
  if (!cable.available())
    return breakOff("no Wine harness to pull the cable");
  endSegment("before the pull");
  std::thread scanner([this] {
    for (size_t i = 0; i < kcTrickleLimit && sendBlock(1, Fate::Droppable); ++i)
      Sleep(2);
  });
  Sleep(100);
  bool fPulled = cable.unplug();
  scanner.join();
  if (!fPulled || !testsupport::waitUntil([&] { return m_pPeer->hasHungUp(); }, 10000ms, 1ms))
    return breakOff("the cable could not be pulled");
  size_t nWhilePulling = m_rgSegment.size(), nLostBefore = m_tally.nDroppedInCable;
  sendBlock(kcBlock, Fate::Forbidden);
  m_pPeer.reset();
  Sleep(2500);  // longer than one try of the program to open the port again
  if (!cable.plug())
    return breakOff("the cable could not be plugged back");
  m_pPeer = std::make_unique<PeerPort>("\\\\.\\COM2");
  if (m_pPeer->read(3, 20000ms) != kszInitSent)
    return breakOff("the port was not opened again after the plug");
  std::vector<std::string> rgGot = takeSubscriberStrings();
  compareSink(m_rgSegment, rgGot, m_tally, "around the pull");
  std::fprintf(stderr, "soak: cable pulled at %s: %zu written while pulling, %zu of them lost, %zu written while out\n",
               scanText(m_rgSegment.front().nScan).c_str(), nWhilePulling, m_tally.nDroppedInCable - nLostBefore,
               m_rgSegment.size() - nWhilePulling);
  m_rgSegment.clear();
  m_nSegmentRequired = 0;
}

// The subscriber dies in the middle of a long block; the program types the rest (the target is
// in front) and the string in flight at the kill may come both ways. The phase goes on typed.
void Soak::killSubscriber()
{
  endSegment("before the kill");
  if (!m_pTarget->bringToFront())
    return fail("the target window did not come to the front for the kill");
  sendBlock(kcKillBlock, Fate::Required);
  if (!testsupport::waitUntil([&] { return m_collector.count() >= m_nCollected + kcKillAfter; }, 30000ms, 1ms))
    fail("the subscriber did not take the first strings of the kill's block");
  m_pSubscriber->kill();
  size_t nSubscriber = 0;
  testsupport::waitUntil(
      [&] {
        nSubscriber = m_collector.count() - m_nCollected;
        return nSubscriber + m_pTarget->text().size() / kcTypedLength >= kcKillBlock;
      },
      60000ms, 20ms);
  Sleep(500);  // a doubled string would come last
  std::vector<std::string> rgGot = takeSubscriberStrings();
  std::vector<std::string> rgTyped = takeTypedStrings();
  m_tally.nTypedAfterKill += rgTyped.size();
  if (!rgGot.empty() && !rgTyped.empty() && rgTyped.front() == rgGot.back())
  {
    ++m_tally.nTwiceAtKill;
    rgTyped.erase(rgTyped.begin());
  }
  rgGot.insert(rgGot.end(), rgTyped.begin(), rgTyped.end());
  compareSink(m_rgSegment, rgGot, m_tally, "around the kill");
  std::fprintf(stderr, "soak: subscriber killed after %zu of %zu strings; %zu typed, %zu twice\n", nSubscriber,
               kcKillBlock, m_tally.nTypedAfterKill, m_tally.nTwiceAtKill);
  m_rgSegment.clear();
  m_nSegmentRequired = 0;
  m_pSubscriber.reset();
  m_hwndSubscriber = nullptr;
  m_sink = Sink::Window;
}

// Attached in a subscriber phase: the monitor's window takes the front, which no typing needs
// then; the next window phase brings the target back.
void Soak::attachMonitor()
{
  m_pMonitor = std::make_unique<TestProcess>(TestProcess::commandLine(besideThisProgram("QuilbarMonitor.exe"), ""));
  m_hwndMonitor = m_pMonitor->waitForWindow(kszMonitorTitle, "#32770");
  bool fConnected = m_hwndMonitor != nullptr && testsupport::waitUntil(
                                                    [&] {
                                                      return windowText(GetDlgItem(m_hwndMonitor, IDC_MONITOR_STATE))
                                                                 .find(kszMainTitle) == 0;
                                                    },
                                                    20000ms, 20ms);
  if (!fConnected)
    return fail("the monitor did not connect");
  std::fprintf(stderr, "soak: monitor attached at %s\n", scanText(m_nNext).c_str());
}

void Soak::detachMonitor()
{
  if (m_hwndMonitor == nullptr)
    return;
  PostMessageA(m_hwndMonitor, WM_CLOSE, 0, 0);
  if (!m_pMonitor->waitForExit(10000ms))
    fail("the monitor did not close");
  m_pMonitor.reset();
  m_hwndMonitor = nullptr;
  std::fprintf(stderr, "soak: monitor detached at %s\n", scanText(m_nNext).c_str());
}

void Soak::sample()
{
  double dMb = workingSetMb(m_pQuilbar->handle());
  DWORD dwHandles = handleCount(GetProcessId(m_pQuilbar->handle()));
  m_figures.dLastMb = dMb;
  m_figures.dwLastHandles = dwHandles;
  if (!m_figures.fSettled)
  {
    if (m_nNext < kcSettledAfter)
      return;
    m_figures.fSettled = true;
    m_figures.dSettledMb = m_figures.dMaxMb = dMb;
    m_figures.dwSettledHandles = m_figures.dwMaxHandles = dwHandles;
  }
  m_figures.dMaxMb = std::max(m_figures.dMaxMb, dMb);
  m_figures.dwMaxHandles = std::max(m_figures.dwMaxHandles, dwHandles);
}

void printRow(const char* pszName, double dFigure, double dReference, const char* pszUnit, size_t nSamples,
              size_t nFailed)
{
  BenchRow row;
  row.strName = pszName;
  row.dFigure = dFigure;
  row.dReference = dReference;
  row.strUnit = pszUnit;
  row.nSamples = nSamples;
  row.nFailedFigure = nFailed;
  printBenchRow(row);
}

int Soak::finish()
{
  detachMonitor();
  double dSeconds = secondsSince(m_start);
  if (m_pQuilbar != nullptr && m_pQuilbar->isRunning())
  {
    Sleep(1000);
    sample();
    m_dCpuMs = m_meter.otherProcessMs(besideThisProgram("Quilbar.exe")) - m_dStartCpuMs;
    m_dServerMs = m_meter.read().dServerMs - m_dStartServerMs;
    PostMessageA(m_hwndMain, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!m_pQuilbar->waitForExit(20000ms))
      fail("Quilbar did not unload");
  }
  const Figures& f = m_figures;
  bool fGrew = !f.fSettled || std::isnan(f.dMaxMb) || f.dMaxMb - f.dSettledMb > kdGrowthLimitMb;
  bool fLeaked = !f.fSettled || f.dwLastHandles > f.dwSettledHandles + kdwHandleSlack;
  const Tally& t = m_tally;
  std::printf("soak: %zu scans in %.0f s (%zu into the subscriber in %.0f s, %zu typed in %.0f s)\n", t.nSent, dSeconds,
              m_nSubscriberScans, m_dSubscriberSeconds, m_nWindowScans, m_dWindowSeconds);
  std::printf("soak: strings sent %zu, arrived %zu, compared equal %zu, wrong %zu\n", t.nSent, t.nArrived,
              t.nCompared, t.nWrong);
  std::printf("soak: dropped on purpose: %zu lost in the pulled cable, %zu written while it was out (none arrived "
              "unless counted wrong); at the kill %zu typed instead, %zu came twice\n",
              t.nDroppedInCable, t.nWrittenWhileOut, t.nTypedAfterKill, t.nTwiceAtKill);
  std::printf("soak: working set MB first %.2f, after %zu scans %.2f, max %.2f, last %.2f\n", f.dFirstMb,
              kcSettledAfter, f.dSettledMb, f.dMaxMb, f.dLastMb);
  std::printf("soak: handles after %zu scans %lu, max %lu, last %lu\n", kcSettledAfter,
              static_cast<unsigned long>(f.dwSettledHandles), static_cast<unsigned long>(f.dwMaxHandles),
              static_cast<unsigned long>(f.dwLastHandles));
  std::printf("soak: CPU of Quilbar %.0f ms (%.3f ms a scan), of the Wine server %.0f ms\n", m_dCpuMs,
              m_dCpuMs / std::max<size_t>(t.nSent, 1), m_dServerMs);
  printRow("soak: strings compared equal (vs sent less those dropped on purpose)", static_cast<double>(t.nCompared),
           static_cast<double>(t.nSent - t.nDroppedInCable - t.nWrittenWhileOut), "strings", t.nSent, t.nWrong);
  printRow("soak: working set, max after the first 1,000 scans (vs after them)", f.dMaxMb, f.dSettledMb, "MB", 1,
           fGrew ? 1 : 0);
  printRow("soak: handles at the end (vs after the first 1,000 scans)", f.dwLastHandles, f.dwSettledHandles,
           "handles", 1, fLeaked ? 1 : 0);
  printRow("soak: time per scan typed into a window (vs into a subscriber)",
           m_dWindowSeconds * 1000 / std::max<size_t>(m_nWindowScans, 1),
           m_dSubscriberSeconds * 1000 / std::max<size_t>(m_nSubscriberScans, 1), "ms", t.nSent, 0);
  std::fflush(stdout);
  return t.nWrong == 0 && !fGrew && !fLeaked ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc > 2 && std::string(argv[1]) == "subscriber")
    return runSubscriber(argv[2]);
  size_t nScans = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  size_t nPhaseScans = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 500;
  if (nScans < 10 * nPhaseScans || nPhaseScans < 2 * kcKillBlock)
  {
    std::fprintf(stderr, "soak: needs at least 10 phases of at least %zu scans\n", 2 * kcKillBlock);
    return 2;
  }
  Soak soak(nScans, nPhaseScans);
  if (soak.start())
    soak.run();
  int nResult = soak.finish();
  testsupport::removeStoredSettings();
  return nResult;
}
