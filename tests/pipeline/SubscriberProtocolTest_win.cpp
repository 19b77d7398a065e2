#include "pipeline/SubscriberProtocol_win.h"

#include "pipeline/CommunicationRequests.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "keyboard/KeyboardEvents.h"
#include "KeyboardFakes.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/KeystrokePlanner.h"
#include "PipelineFakes.h"
#include "PipelineFixture.h"
#include "RecordingExpressionActions.h"
#include "pipeline/SubscriberMessages.h"
#include "TempLogFile.h"
#include "TestProcess_win.h"
#include "TestProgramFiles_win.h"
#include "TestSupport.h"
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>

using namespace std::chrono_literals;

namespace
{
using namespace keyboardtest;
using namespace pipelinetest;
using Lines = std::vector<std::string>;

const char kszMainTitle[] = "Tarnwick Quilbar 3.21";

// One run of SubscriberChild_win.exe; ended when the test ends.
class ChildProcess : public TestProcess
{
public:
  explicit ChildProcess(const std::string& strArguments)
      : TestProcess(commandLine(besideThisTestProgram("SubscriberChild_win.exe"), strArguments))
  {
  }
};

// A copy-data message as the child recorded it.
struct Received
{
  unsigned long dwData;
  unsigned long cbData;
  std::string strBytes;
};

std::vector<Received> readRecords(const std::string& strPath)
{
  std::vector<Received> rgRecords;
  std::ifstream file(strPath);
  std::string strLine;
  while (std::getline(file, strLine))
  {
    std::istringstream fields(strLine);
    Received record;
    std::string strHex;
    fields >> record.dwData >> record.cbData >> strHex;
    for (size_t i = 0; i + 1 < strHex.size(); i += 2)
      record.strBytes += static_cast<char>(std::stoul(strHex.substr(i, 2), nullptr, 16));
    rgRecords.push_back(record);
  }
  return rgRecords;
}

// The communication thread's side of injection: the real cutter, with the profile's terminator.
class CuttingRequests : public CommunicationRequests, public DataStringSink
{
public:
  CuttingRequests() : m_cutter(SerialSettings(), *this) {}

  bool injectExternalData(const std::string& strText) override
  {
    if (m_fRefuse)
      return false;
    m_cutter.injectText(strText, 1000);
    return true;
  }
  void sendClipboardContents() override { ++m_nClipboardRequests; }

  void handOver(const std::string& strDataString) override { m_rgstrDataStrings.push_back(strDataString); }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}

  DataStringCutter m_cutter;
  Lines m_rgstrDataStrings;
  int m_nClipboardRequests = 0;
  bool m_fRefuse = false;  // as the port owner does when too much text waits
};

class SubscriberProtocolTest : public TypingFixture
{
protected:
  SubscriberProtocolTest()
  {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "QuilbarProtocolTestMain";
    RegisterClassA(&wc);
    s_pProtocol = &m_protocol;
    m_hwndMain = CreateWindowA("QuilbarProtocolTestMain", kszMainTitle, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL,
                               NULL, wc.hInstance, NULL);
    m_protocol.setMainWindow(m_hwndMain);
    m_protocol.setCurrentProfileName([] { return std::string("Default"); });
    m_log.setMonitorSink(&m_protocol);
    m_log.setSettings(1, m_logFile.path());
    m_pipeline.setRunningProfile(&m_profile);
  }
  ~SubscriberProtocolTest() override
  {
    DestroyWindow(m_hwndMain);
    s_pProtocol = nullptr;
    g_fKeyboardEvents = true;
  }

  static LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
  {
    LRESULT lAnswer = 0;
    if (s_pProtocol != nullptr && s_pProtocol->handleMessage(uMsg, wParam, lParam, lAnswer))
      return lAnswer;
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
  }

  static void pumpMessages()
  {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  static bool pumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout = 15000ms)
  {
    return testsupport::waitUntil(
        [&] {
          pumpMessages();
          return fnDone();
        },
        timeout);
  }

  std::string mainHandle() const { return std::to_string(reinterpret_cast<UINT_PTR>(m_hwndMain)); }

  std::unique_ptr<ChildProcess> startSubscriber(const char* pszMode, const std::string& strTitle,
                                                const std::string& strRecordFile)
  {
    auto pChild =
        std::make_unique<ChildProcess>(mainHandle() + " " + pszMode + " \"" + strTitle + "\" \"" + strRecordFile + "\"");
    EXPECT_TRUE(pChild->started()) << "SubscriberChild_win.exe beside the test program";
    return pChild;
  }

  HWND findSubscriber(const std::string& strTitle) const { return FindWindowA("QuilbarTestSubscriber", strTitle.c_str()); }

  std::string typed() const { return describeSteps(m_sink.m_rgSteps); }
  std::string plan(const char* psz) const { return describeSteps(KeystrokePlanner::planText(psz, m_keyMap, 0, 0, false).rgSteps); }

  static SubscriberProtocol* s_pProtocol;
  TempLogFile m_logFile;
  SystemLogClock m_clock;
  EventLog m_log{m_clock, nullptr};
  SubscriberProtocol m_protocol{m_log};
  HWND m_hwndMain = NULL;
  RecordingProfileSwitcher m_profiles;
  QuilbarProfile m_profile;
  DataStringPipeline m_pipeline{m_actions, m_emitter, m_foreground, m_protocol, m_log, m_profiles};
};

SubscriberProtocol* SubscriberProtocolTest::s_pProtocol = nullptr;

TEST_F(SubscriberProtocolTest, SubscriberReceivesTheOutputWithTheZeroByteCountedThenUnsubscribes)
{
  TempLogFile records("_records");
  auto pChild = startSubscriber("subscribe", "Pelldrop Test", records.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; })) << "waited for the Subscribe message";

  m_pipeline.processInputString("AB");
  std::vector<Received> rgReceived = readRecords(records.path());
  ASSERT_EQ(1u, rgReceived.size()) << "the send returns after the subscriber handled it";
  EXPECT_EQ(0ul, rgReceived[0].dwData);
  EXPECT_EQ(4ul, rgReceived[0].cbData) << "\"AB<CR>\" and its zero byte";
  EXPECT_EQ(std::string("AB\r\0", 4), rgReceived[0].strBytes);
  EXPECT_EQ("", typed()) << "nothing is typed while a subscriber is connected";
  std::string strLog = m_logFile.contents();
  EXPECT_NE(std::string::npos, strLog.find(" Subscriber Connected: Subscriber Window Title = Pelldrop Test\r\n"));
  EXPECT_NE(std::string::npos, strLog.find(" Subscriber Connected: Number Of Subscribers = 1\r\n"));
  EXPECT_NE(std::string::npos, strLog.find(" Subscriber Output: Subscribers = Pelldrop Test\r\n"));

  PostMessageA(findSubscriber("Pelldrop Test"), WM_APP, 0, 0);
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 0; })) << "waited for the Unsubscribe message";
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" Subscriber Disconnected: Number Of Subscribers = 0\r\n"));
  m_pipeline.processInputString("CD");
  EXPECT_EQ(1u, readRecords(records.path()).size());
  EXPECT_EQ(plan("CD\r"), typed());
}

TEST_F(SubscriberProtocolTest, SubscribingTwiceKeepsOneEntryAndBothEventsCountOne)
{
  TempLogFile records("_records");
  auto pChild = startSubscriber("subscribe", "Twice", records.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  PostMessageA(m_hwndMain, RegisterWindowMessageA(kszQuilbar32Subscribe), 0,
               reinterpret_cast<LPARAM>(findSubscriber("Twice")));
  PostMessageA(m_hwndMain, RegisterWindowMessageA(kszQuilbar32Subscribe), 0, 0);
  pumpMessages();
  EXPECT_EQ(1u, m_protocol.subscriberCount());
  std::string strLog = m_logFile.contents();
  size_t nCount = 0;
  for (size_t nAt = strLog.find("Number Of Subscribers = 1"); nAt != std::string::npos;
       nAt = strLog.find("Number Of Subscribers = 1", nAt + 1))
    ++nCount;
  EXPECT_EQ(3u, nCount);
  EXPECT_NE(std::string::npos,
            strLog.find(" Subscriber Connected: Subscriber Window Title = (unable to get window title of subscriber)\r\n"));
}

// The subscriber's Unsubscribe arrives while the delivery loop waits for its answer.
TEST_F(SubscriberProtocolTest, ASubscriberLeavingDuringDeliveryDoesNotCostTheNextOneItsData)
{
  TempLogFile leaving("_leaving"), staying("_staying");
  auto pLeaving = startSubscriber("leave", "Leaving", leaving.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  auto pStaying = startSubscriber("subscribe", "Staying", staying.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 2; }));
  m_pipeline.processInputString("one");
  EXPECT_EQ(1u, m_protocol.subscriberCount());
  EXPECT_EQ(findSubscriber("Staying"), m_protocol.subscribers().getAt(0));
  EXPECT_EQ(1u, readRecords(leaving.path()).size());
  EXPECT_EQ(1u, readRecords(staying.path()).size());
  m_pipeline.processInputString("two");
  EXPECT_EQ(1u, readRecords(leaving.path()).size());
  EXPECT_EQ(2u, readRecords(staying.path()).size());
}

// Subscriber programs that crash never unsubscribe: each vanished window is removed when the next
// data string is delivered and named in the log; the one left keeps receiving, and once none is
// left the data string is typed instead of going nowhere. A vanished monitor goes the same way.
TEST_F(SubscriberProtocolTest, VanishedSubscribersAndMonitorsAreRemovedAndLoggedAndWithNoneLeftTheStringIsTyped)
{
  TempLogFile crashing("_crashing"), staying("_staying"), monitor("_monitor");
  auto pCrashing = startSubscriber("subscribe", "Crashing", crashing.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  auto pStaying = startSubscriber("subscribe", "Staying", staying.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 2; }));
  auto pMonitor = startSubscriber("monitor", "Monitor", monitor.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.monitorCount() == 1; }));

  pCrashing->kill();
  pMonitor->kill();
  ASSERT_TRUE(pumpUntil([&] { return !IsWindow(findSubscriber("Crashing")); })) << "the killed window stayed";
  m_pipeline.processInputString("one");
  EXPECT_EQ(1u, m_protocol.subscriberCount());
  EXPECT_EQ(findSubscriber("Staying"), m_protocol.subscribers().getAt(0));
  EXPECT_EQ(0u, m_protocol.monitorCount());
  EXPECT_EQ(1u, readRecords(staying.path()).size());
  EXPECT_EQ("", typed());
  std::string strLog = m_logFile.contents();
  EXPECT_NE(std::string::npos, strLog.find(" Subscriber Removed: Subscriber Window Title = Crashing\r\n")) << strLog;
  EXPECT_NE(std::string::npos, strLog.find(" Subscriber Removed: Number Of Subscribers = 1\r\n")) << strLog;
  EXPECT_NE(std::string::npos, strLog.find(" Monitor Removed: Monitor Window Title = Monitor\r\n")) << strLog;

  pStaying->kill();
  ASSERT_TRUE(pumpUntil([&] { return !IsWindow(findSubscriber("Staying")); }));
  m_pipeline.processInputString("two");
  EXPECT_EQ(0u, m_protocol.subscriberCount());
  EXPECT_EQ(plan("two\r"), typed()) << "with no subscriber left the string is typed";
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" Subscriber Removed: Number Of Subscribers = 0\r\n"));
}

// A confused or hostile program may name a window of ours: fed back in as injected data, every
// output (or event) would come round again and nothing would be typed. Such requests change
// nothing, an exclusive one does not even clear the list, and the log says why.
TEST_F(SubscriberProtocolTest, WindowsOfThisProgramAreRefusedAsSubscribersAndMonitors)
{
  TempLogFile records("_outside");
  auto pOutside = startSubscriber("subscribe", "Outside", records.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  HWND hwndOther = CreateWindowA("QuilbarProtocolTestMain", "Settings", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL,
                                 NULL, GetModuleHandleA(NULL), NULL);
  struct Row
  {
    const char* pszMessage;
    HWND hwnd;
    const char* pszEvent;
  };
  const Row rgRows[] = {
    {kszQuilbar32Subscribe, m_hwndMain, " Subscriber Refused: Subscriber Window Title = Tarnwick Quilbar 3.21\r\n"},
    {kszQuilbar32SubscribeExclusive, m_hwndMain, " Subscriber Refused: Number Of Subscribers = 1\r\n"},
    {kszQuilbar32Subscribe, hwndOther, " Subscriber Refused: Subscriber Window Title = Settings\r\n"},
    {kszQuilbar32MonitorSubscribe, m_hwndMain, " Monitor Refused: Monitor Window Title = Tarnwick Quilbar 3.21\r\n"},
    {kszQuilbar32MonitorSubscribe, hwndOther, " Monitor Refused: Number Of Monitors = 0\r\n"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszMessage);
    SendMessageA(m_hwndMain, RegisterWindowMessageA(row.pszMessage), 0, reinterpret_cast<LPARAM>(row.hwnd));
    EXPECT_EQ(1u, m_protocol.subscriberCount());
    EXPECT_EQ(findSubscriber("Outside"), m_protocol.subscribers().getAt(0));
    EXPECT_EQ(0u, m_protocol.monitorCount());
    std::string strLog = m_logFile.contents();
    EXPECT_NE(std::string::npos, strLog.find(row.pszEvent)) << strLog;
    EXPECT_NE(std::string::npos, strLog.find(" Refused: Reason = the window belongs to Quilbar itself\r\n"));
  }
  DestroyWindow(hwndOther);
  m_pipeline.processInputString("x");
  EXPECT_EQ(1u, readRecords(records.path()).size()) << "the outside subscriber still takes the output";
}

TEST_F(SubscriberProtocolTest, SubscribeExclusiveReplacesEarlierSubscribers)
{
  TempLogFile recordsA("_a"), recordsB("_b"), recordsC("_c");
  auto pA = startSubscriber("subscribe", "Sub A", recordsA.path());
  auto pB = startSubscriber("subscribe", "Sub B", recordsB.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 2; }));
  auto pC = startSubscriber("exclusive", "Sub C", recordsC.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscribers().getAt(0) == findSubscriber("Sub C"); }));
  EXPECT_EQ(1u, m_protocol.subscriberCount());
  m_pipeline.processInputString("x");
  EXPECT_TRUE(readRecords(recordsA.path()).empty());
  EXPECT_TRUE(readRecords(recordsB.path()).empty());
  EXPECT_EQ(1u, readRecords(recordsC.path()).size());
  EXPECT_NE(std::string::npos,
            m_logFile.contents().find(" Subscriber Connected (exclusively): Number Of Subscribers = 1\r\n"));
}

TEST_F(SubscriberProtocolTest, MonitorGetsConnectedFirstAndEveryEventButRawInput)
{
  m_log.setSettings(0, "");
  TempLogFile monitorRecords("_monitor"), subscriberRecords("_subscriber");
  auto pMonitor = startSubscriber("monitor", "Tarnwick Quilbar Monitor", monitorRecords.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.monitorCount() == 1; }));
  auto pSubscriber = startSubscriber("subscribe", "Data Only", subscriberRecords.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  m_log.logRawInput("AB\r");
  m_log.setSettings(1, m_logFile.path());
  m_log.logRawInput("AB\r");
  m_pipeline.processInputString("AB");

  std::vector<Received> rgEvents = readRecords(monitorRecords.path());
  ASSERT_EQ(3u, rgEvents.size()) << "Connected, Subscriber Connected, Subscriber Output";
  std::string strConnected = rgEvents[0].strBytes;
  EXPECT_EQ(0, strConnected.find("Connected\nTime Stamp = ")) << strConnected;
  EXPECT_NE(std::string::npos, strConnected.find("\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = Default"));
  EXPECT_EQ(std::string(1, '\0'), strConnected.substr(strConnected.size() - 1));
  EXPECT_EQ(0, rgEvents[1].strBytes.find("Subscriber Connected\n"));
  EXPECT_EQ(0, rgEvents[2].strBytes.find("Subscriber Output\n"));
  for (const Received& event : rgEvents)
  {
    EXPECT_EQ(0ul, event.dwData);
    EXPECT_EQ(event.strBytes.size(), event.cbData);
    EXPECT_EQ(std::string::npos, event.strBytes.find("RAW INPUT DATA"));
  }
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" RAW INPUT DATA: 41 42 0d\r\n"));
  std::vector<Received> rgData = readRecords(subscriberRecords.path());
  ASSERT_EQ(1u, rgData.size()) << "a data subscriber receives no events";
  EXPECT_EQ(std::string("AB\r\0", 4), rgData[0].strBytes);
}

TEST_F(SubscriberProtocolTest, NoKeyboardEventsStopsTypingAndKeyboardEventsResumesIt)
{
  ChildProcess off(mainHandle() + " post " + kszQuilbar32NoKeyboardEvents);
  ASSERT_TRUE(pumpUntil([&] { return !g_fKeyboardEvents; })) << "waited for NoKeyboardEvents";
  m_pipeline.processInputString("x");
  EXPECT_EQ("", typed());
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" Keyboard Output: Input String = x\r\n"));
  ChildProcess on(mainHandle() + " post " + kszQuilbar32KeyboardEvents);
  ASSERT_TRUE(pumpUntil([&] { return g_fKeyboardEvents; })) << "waited for KeyboardEvents";
  m_pipeline.processInputString("y");
  EXPECT_EQ(plan("y\r"), typed());
}

TEST_F(SubscriberProtocolTest, InjectedTextWithTheTerminatorBecomesADataString)
{
  CuttingRequests requests;
  m_protocol.setCommunicationRequests(&requests);
  ChildProcess part(mainHandle() + " inject 414200 3");
  ASSERT_TRUE(pumpUntil([&] { return part.hasEnded(); }));
  EXPECT_TRUE(requests.m_rgstrDataStrings.empty()) << "no terminator yet";
  EXPECT_EQ(static_cast<DWORD>(TRUE), part.exitCode()) << "the sender learns that its text was taken";
  ChildProcess rest(mainHandle() + " inject 430d00 3");
  ASSERT_TRUE(pumpUntil([&] { return rest.hasEnded(); }));
  ASSERT_EQ(Lines{"ABC"}, requests.m_rgstrDataStrings);
  m_pipeline.processInputString(requests.m_rgstrDataStrings[0].c_str());
  EXPECT_EQ(plan("ABC\r"), typed());

  // One block far above the longest data string is cut like the port's bytes, not lost whole.
  requests.m_rgstrDataStrings.clear();
  std::string strLarge = std::string(150000, 'x') + "\r";
  COPYDATASTRUCT copyData = {0, static_cast<DWORD>(strLarge.size() + 1), &strLarge[0]};
  EXPECT_EQ(TRUE, SendMessageA(m_hwndMain, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData)));
  const size_t kcchPiece = DataStringCutter::kcchMaxDataString;
  std::vector<size_t> rgcchPieces;
  for (const std::string& strPiece : requests.m_rgstrDataStrings)
    rgcchPieces.push_back(strPiece.find_first_not_of('x') == std::string::npos ? strPiece.size() : 0);
  EXPECT_EQ((std::vector<size_t>{kcchPiece, kcchPiece, 150000 - 2 * kcchPiece}), rgcchPieces);

  ChildProcess clipboard(mainHandle() + " post " + kszQuilbar32SendClipboardContents);
  ASSERT_TRUE(pumpUntil([&] { return requests.m_nClipboardRequests == 1; })) << "waited for SendClipboardContents";
}

TEST_F(SubscriberProtocolTest, MalformedInjectionsAreRefusedAndLogged)
{
  CuttingRequests requests;
  m_protocol.setCommunicationRequests(&requests);
  struct Row
  {
    const char* pszArguments;
    const char* pszReason;
  };
  const Row rgRows[] = {
    {" inject 41420d 3", "Reason = no terminating zero"},
    {" inject 41420d 1048577", "Reason = too large"},
    {" inject \"\" 0", "Reason = no data"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszArguments);
    ChildProcess child(mainHandle() + row.pszArguments);
    ASSERT_TRUE(pumpUntil([&] { return child.hasEnded(); }));
    EXPECT_EQ(static_cast<DWORD>(FALSE), child.exitCode()) << "the sender learns that its text was refused";
    EXPECT_NE(std::string::npos, m_logFile.contents().find(std::string(" Injected Data Refused: ") + row.pszReason));
  }
  // A sender in this process passes its pointers unchecked by the system.
  COPYDATASTRUCT copyData = {0, 4, reinterpret_cast<void*>(static_cast<UINT_PTR>(0x10))};
  SendMessageA(m_hwndMain, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData));
  SendMessageA(m_hwndMain, WM_COPYDATA, 0, 0);
  std::string strLog = m_logFile.contents();
  EXPECT_NE(std::string::npos, strLog.find(" Injected Data Refused: Reason = unreadable"));
  requests.m_cutter.injectText("\r", 1000);
  EXPECT_EQ(Lines{""}, requests.m_rgstrDataStrings) << "nothing refused reached the thread";

  requests.m_fRefuse = true;
  ChildProcess waiting(mainHandle() + " inject 41420d00 4");
  ASSERT_TRUE(pumpUntil([&] { return waiting.hasEnded(); }));
  EXPECT_EQ(static_cast<DWORD>(FALSE), waiting.exitCode()) << "text the thread's side refused";

  m_protocol.setCommunicationRequests(nullptr);
  ChildProcess closed(mainHandle() + " inject 41420d00 4");
  ASSERT_TRUE(pumpUntil([&] { return closed.hasEnded(); }));
  EXPECT_EQ(static_cast<DWORD>(FALSE), closed.exitCode());
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" Injected Data Refused: Reason = port closed"));
}

TEST_F(SubscriberProtocolTest, HungSubscriberDelaysDeliveryOnlyUpToTheBound)
{
  const DWORD kdwBound = 1500;
  m_protocol.setSendTimeout(kdwBound);
  TempLogFile hungRecords("_hung"), healthyRecords("_healthy");
  auto pHung = startSubscriber("hang", "Hung", hungRecords.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 1; }));
  // With only the hung one, the string went nowhere and is reported so; it is not typed either.
  m_pipeline.processInputString("zero");
  EXPECT_EQ("", typed());
  EXPECT_NE(std::string::npos, m_logFile.contents().find(
                                   " Subscriber Output Not Delivered: Not Delivered = no subscriber took the data\r\n"));
  auto pHealthy = startSubscriber("subscribe", "Healthy", healthyRecords.path());
  ASSERT_TRUE(pumpUntil([&] { return m_protocol.subscriberCount() == 2; }));

  for (const char* pszData : {"one", "two"})
  {
    SCOPED_TRACE(pszData);
    DWORD dwStart = GetTickCount();
    m_pipeline.processInputString(pszData);
    DWORD dwElapsed = GetTickCount() - dwStart;
    EXPECT_LT(dwElapsed, kdwBound + 2000) << "the wait for the hung window is bounded";
  }
  std::vector<Received> rgReceived = readRecords(healthyRecords.path());
  ASSERT_EQ(2u, rgReceived.size()) << "the next subscriber still gets every string";
  EXPECT_EQ(std::string("two\r\0", 5), rgReceived[1].strBytes);
  EXPECT_NE(std::string::npos, m_logFile.contents().find(" Subscriber Not Responding: Subscriber Window Title = Hung\r\n"));

  // A vanished subscriber fails at once and silently.
  pHung->kill();
  ASSERT_TRUE(pumpUntil([&] { return findSubscriber("Hung") == NULL; }));
  std::string strLogBefore = m_logFile.contents();
  DWORD dwStart = GetTickCount();
  m_pipeline.processInputString("three");
  EXPECT_LT(GetTickCount() - dwStart, 1000u);
  EXPECT_EQ(3u, readRecords(healthyRecords.path()).size());
  std::string strNewLines = m_logFile.contents().substr(strLogBefore.size());
  EXPECT_EQ(std::string::npos, strNewLines.find("Not Responding"));
  EXPECT_NE(std::string::npos, strNewLines.find("Subscribers = Healthy\r\n"));
}

TEST_F(SubscriberProtocolTest, DefaultBoundIsAFewSeconds)
{
  EXPECT_GE(SubscriberProtocol::kdwSendTimeout, 2000u);
  EXPECT_LE(SubscriberProtocol::kdwSendTimeout, 10000u);
}
}  // namespace
