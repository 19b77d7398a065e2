// Faults of serial acquisition under Wine, on the virtual null-modem pair (COM1 the device side,
// COM2 the far end): terminator settings that never cut, injected text that piles up, a replay
// file that cannot be deleted, clipboard sends that lose or block, a port that stops answering,
// and data strings nobody can take.
#include "TestProgramFiles_win.h"
#include "engine/ExpressionActions_win.h"
#include "engine/ExpressionEvaluator.h"
#include "engine/MainWindowActions.h"
#include "serial/CommThread_win.h"
#include "serial/BlinkThread_win.h"
#include "serial/PortMessages.h"
#include "serial/PortOwner_win.h"
#include "serial/PortWriter_win.h"
#include "serial/SerialMessages_win.h"
#include "SerialTestRig_win.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

using namespace std::chrono_literals;

namespace
{
using Strings = std::vector<std::string>;

bool putClipboardText(const std::string& strText)
{
  if (!OpenClipboard(nullptr))
    return false;
  EmptyClipboard();
  HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
  std::memcpy(GlobalLock(hText), strText.c_str(), strText.size() + 1);
  GlobalUnlock(hText);
  bool fSet = SetClipboardData(CF_TEXT, hText) != nullptr;
  CloseClipboard();
  return fSet;
}

std::string clipboardText()
{
  std::string strText;
  if (!OpenClipboard(nullptr))
    return "(clipboard not available)";
  HANDLE hData = GetClipboardData(CF_TEXT);
  if (hData)
  {
    strText = static_cast<const char*>(GlobalLock(hData));
    GlobalUnlock(hData);
  }
  CloseClipboard();
  return strText;
}

size_t countEvents(const RecordingHost& host, const std::string& strPrefix)
{
  Strings rgstrEvents = host.events();
  return static_cast<size_t>(std::count_if(rgstrEvents.begin(), rgstrEvents.end(), [&](const std::string& str) {
    return str.compare(0, strPrefix.size(), strPrefix) == 0;
  }));
}

class PortFaultsTest : public testing::Test
{
protected:
  bool awaitStrings(size_t nCount, std::chrono::milliseconds timeout = 5000ms)
  {
    return window.pumpUntil([&] { return window.m_rgstrDataStrings.size() >= nCount; }, timeout);
  }

  TestWindow window;
  RecordingHost host;
  bool m_fDrained = PeerPort("\\\\.\\COM1").isOpen();
  PortOwner owner{window.hwnd(), host};
  PeerPort peer{"\\\\.\\COM2"};
};

// A terminator setting that yields no terminator at all would never end a data string: every
// scan would pile up in one. The profile is refused when its port is opened, with a message.
TEST_F(PortFaultsTest, TerminatorSettingWithoutATerminatorIsRefusedAtOpening)
{
  for (const char* pszTerminator : {"", "<C", ",,"})
  {
    SCOPED_TRACE(std::string("terminator \"") + pszTerminator + "\"");
    QuilbarProfile profile = com1Profile();
    profile.setDataStringTerminator(pszTerminator);
    size_t nErrorsBefore = host.errors().size();
    EXPECT_FALSE(owner.OpenPort(profile));
    EXPECT_FALSE(owner.isOpen());
    ASSERT_EQ(nErrorsBefore + 1, host.errors().size());
    EXPECT_EQ(formatNoTerminatorMessage(pszTerminator), host.errors().back());
  }
  QuilbarProfile byTimeout = com1Profile();
  byTimeout.setDataStringTerminator("");
  byTimeout.setTerminationType(kTerminationByTimeout);
  EXPECT_TRUE(owner.OpenPort(byTimeout)) << "time-out mode needs no terminator";
}

// Injected text that waits for a port (none was ever opened) or for a thread held up is bounded:
// beyond four of the largest injections it is refused, and the refusal is logged.
TEST_F(PortFaultsTest, InjectedTextWaitingForThePortIsBounded)
{
  const std::string strLargest(1024 * 1024 - 1, 'i');
  int nRefused = 0;
  for (int i = 0; i < 6; ++i)
    nRefused += owner.takeExternalData(strLargest.c_str()) ? 0 : 1;
  EXPECT_EQ(2, nRefused) << "the caller learns of each refusal";
  EXPECT_EQ(2u, countEvents(host, std::string(kszEventInjectedDataRefused) + ":"));
}

// A replay file that cannot be deleted (read-only) gives its strings once and one notice, and is
// not replayed on every later look. Its name is looked at only every quarter second.
TEST_F(PortFaultsTest, ReadOnlyReplayFileGivesItsStringsOnceAndOneNotice)
{
  char szDir[MAX_PATH];
  GetTempPathA(MAX_PATH, szDir);
  std::string strFile = std::string(szDir) + "quilbar_readonly_replay.txt";
  SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  FILE* pFile = std::fopen(strFile.c_str(), "wb");
  ASSERT_NE(nullptr, pFile);
  std::fprintf(pFile, "2007-03-01 14:05:09.042 RAW INPUT DATA: 41 42 0d\r\n");
  std::fprintf(pFile, "2007-03-01 14:05:09.044 RAW INPUT DATA: 43 0d\r\n");
  std::fclose(pFile);
  ASSERT_TRUE(SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_READONLY));
  owner.setReplayFile(strFile);
  ASSERT_TRUE(owner.OpenPort(com1Profile()));
  ASSERT_TRUE(awaitStrings(2, 8000ms)) << "awaited the replayed data strings";
  // The 2 s pause after the notice is over; a file replayed again would give its strings again.
  window.pumpFor(2500ms);
  owner.ClosePort();
  EXPECT_EQ((Strings{"AB", "C"}), window.m_rgstrDataStrings);
  EXPECT_EQ((Strings{kszReplaySelectTarget}), host.notices());
  EXPECT_EQ(1u, countEvents(host, std::string(kszEventReplayFileNotRemoved) + ":"));
  SetFileAttributesA(strFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(strFile.c_str());
}

// The main window as SendData sees it.
class ClipboardSendingWindow : public MainWindowActions
{
public:
  explicit ClipboardSendingWindow(PortOwner& owner) : m_owner(owner) {}
  void openPort() override {}
  void closePort() override {}
  void setPendingProfile(const std::string&) override {}
  void sendClipboardContents() override { m_owner.SendClipboardContents(); }
  ProfilePortSettings getCurrentProfileSettings() override { return ProfilePortSettings(); }

private:
  PortOwner& m_owner;
};

void ignorePiece(const char*, void*, void*) {}

// SendData puts its text on the clipboard and asks for a send; a second SendData used to replace
// the first text before the communication thread had read it.
TEST_F(PortFaultsTest, TwoSendDataPutBothTextsOnTheFarEndInOrder)
{
  ASSERT_TRUE(owner.OpenPort(com1Profile()));
  ExpressionActionsWin actions;
  ExpressionEvaluator evaluator(actions);
  ClipboardSendingWindow mainWindow(owner);
  ProgramHandle hProgram = nullptr;
  std::string strError;
  ASSERT_TRUE(evaluator.evaluateExpression("SendData(\"A\") + SendData(\"B\")", hProgram, &mainWindow, "", strError,
                                           ignorePiece, nullptr, nullptr))
      << strError;
  EXPECT_EQ("AB", peer.read(2, 5000ms));
  EXPECT_TRUE(window.pumpUntil([] { return !IsClipboardFormatAvailable(CF_TEXT); }, 3000ms))
      << "awaited the clipboard emptied after the last send";
}

// A long send copies the clipboard and closes it at once: another program can use the clipboard
// meanwhile, scans arriving during the send are not held back, and a send cut short leaves the
// clipboard as it was.
TEST_F(PortFaultsTest, LongClipboardSendKeepsTheClipboardUsableAndThePortRead)
{
  const std::string strLong(5000, 'L');
  ASSERT_TRUE(owner.OpenPort(com1Profile()));
  ASSERT_TRUE(putClipboardText(strLong));
  owner.SendClipboardContents();
  ASSERT_EQ("LL", peer.read(2, 3000ms)) << "the send has begun";

  std::string strProbe = "\"" + besideThisTestProgram("quilbar_clipboard_probe.exe") + "\" 1000";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &strProbe[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hThread);
  ASSERT_TRUE(peer.write("X\r"));
  EXPECT_TRUE(awaitStrings(1, 2000ms)) << "a scan during the send was held back";
  DWORD dwProbeExit = 99;
  EXPECT_TRUE(window.pumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 10000ms));
  GetExitCodeProcess(pi.hProcess, &dwProbeExit);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(0u, dwProbeExit) << "another program could not open the clipboard during the send";

  owner.ClosePort();
  EXPECT_EQ(strLong, clipboardText()) << "a send cut short must leave the clipboard as it was";
}

// The communication thread alone, on a port handle opened for reading only: every write fails.
class CommThreadRig
{
public:
  CommThreadRig(HWND hwnd, RecordingHost& host, HANDLE hPort) : m_blink(hwnd, host)
  {
    InitializeCriticalSection(&m_csExternalData);
    CommThreadContext context;
    context.hPort = hPort;
    context.hwndOwner = hwnd;
    context.pHost = &host;
    context.pBlink = &m_blink;
    context.pWriter = &m_writer;
    context.pQueue = &m_queue;
    context.fnDeliver = [hwnd](const std::string& str) { return PostDataString(hwnd, str); };
    context.pcsExternalData = &m_csExternalData;
    context.pstrExternalData = &m_strExternalData;
    context.strReplayFile = "C:\\nowhere\\no-replay.txt";
    m_pThread = std::make_unique<CommThread>(std::move(context));
  }
  ~CommThreadRig()
  {
    m_pThread.reset();
    DeleteCriticalSection(&m_csExternalData);
  }
  CommThread& thread() { return *m_pThread; }

private:
  BlinkThread m_blink;
  PortWriter m_writer;
  HandOverQueue m_queue;
  CRITICAL_SECTION m_csExternalData;
  std::string m_strExternalData;
  std::unique_ptr<CommThread> m_pThread;
};

TEST_F(PortFaultsTest, SendThatCannotWriteLeavesTheClipboardIntact)
{
  HANDLE hReadOnly = CreateFileA("\\\\.\\COM1", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, hReadOnly);
  {
    CommThreadRig rig(window.hwnd(), host, hReadOnly);
    ASSERT_TRUE(rig.thread().start());
    ASSERT_TRUE(putClipboardText("12"));
    ClipboardContents contents;
    contents.strBytes = "12";
    contents.fFound = true;
    contents.dwSequence = GetClipboardSequenceNumber();
    rig.thread().requestClipboardSend(contents);
    EXPECT_TRUE(window.pumpUntil([&] { return countEvents(host, kszEventClipboardNotSent) > 0; }, 3000ms))
        << "awaited the logged failure of the send";
  }
  CloseHandle(hReadOnly);
  EXPECT_EQ("12", clipboardText());
}

// What an unplugged adapter looks like to the thread: the status call fails. It is reported to
// the window once (and logged once), not on every pass.
TEST_F(PortFaultsTest, FailingStatusCallIsReportedOnce)
{
  HANDLE hNotAPort = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    CommThreadRig rig(window.hwnd(), host, hNotAPort);
    ASSERT_TRUE(rig.thread().start());
    EXPECT_TRUE(window.pumpUntil([&] { return !host.portFailures().empty(); }, 3000ms))
        << "awaited the report of the failing port";
    window.pumpFor(100ms);
  }
  CloseHandle(hNotAPort);
  EXPECT_EQ(1u, host.portFailures().size());
  EXPECT_EQ(1u, countEvents(host, std::string(kszEventSerialPortError) + ": ClearCommError failed"));
}

// Data strings the window could not take stay queued while it exists and go out after the next
// opening; when there is no window any more to take them, ClosePort logs each.
TEST_F(PortFaultsTest, DataStringsNobodyTakesAreKeptOrLogged)
{
  bool fRefuse = true;
  HWND hwnd = window.hwnd();
  owner.setDeliver([&fRefuse, hwnd](const std::string& str) { return !fRefuse && PostDataString(hwnd, str); });
  ASSERT_TRUE(owner.OpenPort(com1Profile()));
  ASSERT_TRUE(peer.write("A\rB\r"));
  ASSERT_TRUE(window.pumpUntil([&] { return owner.pendingHandOvers() == 2; }, 3000ms));
  owner.ClosePort();
  EXPECT_EQ(0u, countEvents(host, kszEventDataStringNotDelivered));
  fRefuse = false;
  ASSERT_TRUE(owner.OpenPort(com1Profile()));
  EXPECT_TRUE(awaitStrings(2)) << "awaited the kept strings after reopening";
  EXPECT_EQ((Strings{"A", "B"}), window.m_rgstrDataStrings);
  owner.ClosePort();

  RecordingHost orphanHost;
  PortOwner orphan(nullptr, orphanHost);
  orphan.setDeliver([](const std::string&) { return false; });
  ASSERT_TRUE(orphan.OpenPort(com1Profile()));
  ASSERT_TRUE(peer.write("C\rD\x1D\r"));
  ASSERT_TRUE(window.pumpUntil([&] { return orphan.pendingHandOvers() == 2; }, 3000ms));
  orphan.ClosePort();
  EXPECT_EQ((Strings{std::string(kszEventDataStringNotDelivered) + ": Data = C;",
                     std::string(kszEventDataStringNotDelivered) + ": Data = D<GS>;"}),
            orphanHost.events());
  EXPECT_EQ(0u, orphan.pendingHandOvers());
}
}  // namespace
