// The port owner against real virtual ports: COM1 is the device side the owner opens, COM2 the
// other end of the null-modem pair where the test plays the scanner.
#include "serial/PortMessages.h"
#include "serial/PortOwner_win.h"
#include "serial/SerialMessages_win.h"
#include "SerialTestRig_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace std::chrono_literals;

namespace
{
using Strings = std::vector<std::string>;

class PortOwnerTest : public testing::Test
{
protected:
  bool open(const QuilbarProfile& settings) { return owner.OpenPort(settings); }

  bool awaitStrings(size_t nCount, std::chrono::milliseconds timeout = 5000ms)
  {
    return window.pumpUntil([&] { return window.m_rgstrDataStrings.size() >= nCount; }, timeout);
  }

  TestWindow window;
  RecordingHost host;
  // Whatever an earlier run left on the line is read away before the owner opens the port.
  bool m_fDrained = PeerPort("\\\\.\\COM1").isOpen();
  PortOwner owner{window.hwnd(), host};
  PeerPort peer{"\\\\.\\COM2"};
};

struct CutRow
{
  const char* pszTerminator;
  std::string strSent;
  Strings rgstrExpected;
};

TEST_F(PortOwnerTest, BytesArriveAsDataStringsInOrder)
{
  ASSERT_TRUE(peer.isOpen());
  std::vector<CutRow> rgRows = {
    {"<CR>", "AB\rCD\r", {"AB", "CD"}},
    {"<CR>,<LF>", "AB\r\n", {"AB", ""}},
    {"<CR><LF>", "12\r\n3\r4\r\n", {"12", "3\r4"}},
    {"<CR>", std::string("X\0Y\r", 4), {"X[NULL]Y"}},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszTerminator);
    window.m_rgstrDataStrings.clear();
    QuilbarProfile settings = com1Profile();
    settings.setDataStringTerminator(row.pszTerminator);
    ASSERT_TRUE(open(settings));
    ASSERT_TRUE(peer.write(row.strSent));
    EXPECT_TRUE(awaitStrings(row.rgstrExpected.size()))
        << "awaited " << row.rgstrExpected.size() << " data strings at the window";
    window.pumpFor(50ms);
    EXPECT_EQ(row.rgstrExpected, window.m_rgstrDataStrings);
    owner.ClosePort();
  }
  EXPECT_TRUE(host.errors().empty());
}

TEST_F(PortOwnerTest, TimeoutModeHandsOverAfterSilence)
{
  QuilbarProfile settings = com1Profile();
  settings.setTerminationType(kTerminationByTimeout);
  settings.setTerminationTimeout(30);
  ASSERT_TRUE(open(settings));
  auto written = std::chrono::steady_clock::now();
  ASSERT_TRUE(peer.write("AB\rC"));
  ASSERT_TRUE(awaitStrings(1)) << "awaited the timed-out data string";
  auto elapsed = window.m_rgArrivals[0] - written;
  EXPECT_GE(elapsed, 25ms);
  window.pumpFor(100ms);
  EXPECT_EQ((Strings{"AB\rC"}), window.m_rgstrDataStrings);
}

TEST_F(PortOwnerTest, InitStringArrivesWithCaretEncoding)
{
  QuilbarProfile settings = com1Profile();
  settings.setInitString("AT^M^j^1");
  ASSERT_TRUE(open(settings));
  EXPECT_EQ("AT\r\n1", peer.read(5, 3000ms));
}

TEST_F(PortOwnerTest, ClipboardTextIsSentByteForByteAndEmptied)
{
  ASSERT_TRUE(open(com1Profile()));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(hText), "12", 3);
  GlobalUnlock(hText);
  SetClipboardData(CF_TEXT, hText);
  CloseClipboard();

  owner.SendClipboardContents();
  EXPECT_EQ("12", peer.read(2, 3000ms));
  EXPECT_TRUE(window.pumpUntil([] { return !IsClipboardFormatAvailable(CF_TEXT); }, 3000ms))
      << "awaited the emptied clipboard";
  EXPECT_TRUE(window.pumpUntil(
      [&] {
        for (int n : window.m_rgnTrayStates)
          if (n == kTrayStateSent)
            return true;
        return false;
      },
      3000ms))
      << "awaited the sent-clipboard tray state";
}

TEST_F(PortOwnerTest, BinaryClipboardIsSentWhole)
{
  ASSERT_TRUE(open(com1Profile()));
  std::string strBinary("\x01\x00\x02\xff\x00", 5);
  UINT uBinary = RegisterClipboardFormatA("QuilbarBinary");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL hData = GlobalAlloc(GMEM_MOVEABLE, strBinary.size());
  std::memcpy(GlobalLock(hData), strBinary.data(), strBinary.size());
  GlobalUnlock(hData);
  SetClipboardData(uBinary, hData);
  CloseClipboard();

  owner.SendClipboardContents();
  EXPECT_EQ(strBinary, peer.read(strBinary.size(), 3000ms));
}

TEST_F(PortOwnerTest, EmptyClipboardSendsNothing)
{
  ASSERT_TRUE(open(com1Profile()));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  owner.SendClipboardContents();
  EXPECT_EQ("", peer.read(1, 300ms));
  // The clipboard was closed again: this thread can open it.
  EXPECT_TRUE(window.pumpUntil([] { return OpenClipboard(nullptr) && CloseClipboard(); }, 2000ms));
}

TEST_F(PortOwnerTest, ClosePortStopsALongClipboardSendPromptly)
{
  ASSERT_TRUE(open(com1Profile()));
  std::string strLong(5000, 'x');  // 10 s at 2 ms a byte
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, strLong.size() + 1);
  std::memcpy(GlobalLock(hText), strLong.c_str(), strLong.size() + 1);
  GlobalUnlock(hText);
  SetClipboardData(CF_TEXT, hText);
  CloseClipboard();
  owner.SendClipboardContents();
  ASSERT_FALSE(peer.read(10, 3000ms).empty()) << "awaited the clipboard send to begin";
  auto before = std::chrono::steady_clock::now();
  owner.ClosePort();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
  // An interrupted send leaves the clipboard as it was.
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(PortOwnerTest, InjectedTextBecomesADataString)
{
  window.m_fnCopyData = [this](const char* psz) { owner.takeExternalData(psz); };
  QuilbarProfile settings = com1Profile();
  settings.setKeyCase(kKeyCaseUpper);
  ASSERT_TRUE(open(settings));
  std::string strText = "inj1\rinj";
  COPYDATASTRUCT cds = {0, static_cast<DWORD>(strText.size() + 1),
                        const_cast<char*>(strText.c_str())};
  SendMessageA(window.hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
  std::string strRest = "2\r";
  COPYDATASTRUCT cdsRest = {0, static_cast<DWORD>(strRest.size() + 1),
                            const_cast<char*>(strRest.c_str())};
  SendMessageA(window.hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cdsRest));
  ASSERT_TRUE(awaitStrings(2)) << "awaited two injected data strings";
  EXPECT_EQ((Strings{"INJ1", "INJ2"}), window.m_rgstrDataStrings);
}

TEST_F(PortOwnerTest, InjectedTextEndsByTimeoutInTimeoutMode)
{
  QuilbarProfile settings = com1Profile();
  settings.setTerminationType(kTerminationByTimeout);
  ASSERT_TRUE(open(settings));
  owner.takeExternalData("no terminator");
  ASSERT_TRUE(awaitStrings(1)) << "awaited the injected text after the time-out";
  EXPECT_EQ((Strings{"no terminator"}), window.m_rgstrDataStrings);
}

TEST_F(PortOwnerTest, InjectedTextWhilePortIsClosedIsCutOnTheWindowThread)
{
  QuilbarProfile settings = com1Profile();
  ASSERT_TRUE(open(settings));
  owner.ClosePort();
  owner.takeExternalData("A\rB");
  ASSERT_TRUE(awaitStrings(1));
  EXPECT_EQ((Strings{"A"}), window.m_rgstrDataStrings);
  // The unfinished rest joins the next port's input.
  ASSERT_TRUE(open(settings));
  ASSERT_TRUE(peer.write("port\r"));
  owner.takeExternalData("C\r");
  ASSERT_TRUE(awaitStrings(3)) << "awaited the rest of the injected text and the port string";
  EXPECT_EQ("A", window.m_rgstrDataStrings[0]);
  EXPECT_NE(window.m_rgstrDataStrings.end(),
            std::find(window.m_rgstrDataStrings.begin(), window.m_rgstrDataStrings.end(), "BC"));
}

// After a switch between profiles without a port, injected text is cut by the new profile's
// rules: in time-out mode a text without terminator still ends.
TEST_F(PortOwnerTest, InjectedTextWithoutAPortIsCutByTheProfileLastOpened)
{
  QuilbarProfile desk = com1Profile();
  desk.setPort("LPT1");
  EXPECT_FALSE(open(desk));
  owner.takeExternalData("T1\r");
  ASSERT_TRUE(awaitStrings(1));
  desk.setTerminationType(kTerminationByTimeout);
  EXPECT_FALSE(open(desk));
  owner.takeExternalData("T2");
  ASSERT_TRUE(awaitStrings(2)) << "the time-out profile did not end the injected text";
  EXPECT_EQ((Strings{"T1", "T2"}), window.m_rgstrDataStrings);
}

TEST_F(PortOwnerTest, InjectedTextBeforeAnyPortWaitsForTheFirstOpen)
{
  owner.takeExternalData("early\r");
  window.pumpFor(50ms);
  EXPECT_TRUE(window.m_rgstrDataStrings.empty());
  ASSERT_TRUE(open(com1Profile()));
  ASSERT_TRUE(awaitStrings(1));
  EXPECT_EQ((Strings{"early"}), window.m_rgstrDataStrings);
}

TEST_F(PortOwnerTest, PortHeldElsewhereReportsMessage103)
{
  PortOwner other(window.hwnd(), host);
  ASSERT_TRUE(other.OpenPort(com1Profile()));
  HANDLE hSecond = CreateFileA("\\\\.\\COM1", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (hSecond != INVALID_HANDLE_VALUE)
  {
    CloseHandle(hSecond);
    GTEST_SKIP() << "this platform lets a second program open a port that is in use";
  }
  EXPECT_FALSE(owner.OpenPort(com1Profile()));
  EXPECT_FALSE(owner.isOpen());
  std::string strExpected = formatPortError(kIdsPortOpenFailed, "COM1");
  EXPECT_EQ((Strings{strExpected}), host.errors());
  EXPECT_EQ((Strings{strExpected.substr(0, 63)}), host.trayFailed());
}

TEST_F(PortOwnerTest, MissingPortReportsMessage103WithItsName)
{
  QuilbarProfile settings = com1Profile();
  settings.setPort("com250");
  EXPECT_FALSE(owner.OpenPort(settings));
  EXPECT_EQ((Strings{formatPortError(kIdsPortOpenFailed, "com250")}), host.errors());
}

TEST_F(PortOwnerTest, NonComPortFailsSilently)
{
  QuilbarProfile settings = com1Profile();
  settings.setPort("LPT1");
  EXPECT_FALSE(owner.OpenPort(settings));
  EXPECT_TRUE(host.errors().empty());
  EXPECT_TRUE(host.trayFailed().empty());
  EXPECT_TRUE(host.trayIdle().empty());
}

TEST(LineSettingsTest, ProfileTextsAndLineLevelsGoIntoTheDriverRecord)
{
  struct Row
  {
    bool fDTR, fRTS;
  };
  for (Row row : {Row{true, true}, Row{false, false}, Row{true, false}, Row{false, true}})
  {
    SCOPED_TRACE(row.fDTR * 2 + row.fRTS);
    SerialSettings settings;
    settings.strSpeed = "19200";
    settings.strData = "7";
    settings.strParity = "Even";
    settings.strStop = "2";
    settings.fDTR = row.fDTR;
    settings.fRTS = row.fRTS;
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    dcb.fNull = TRUE;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fOutX = TRUE;  // not ours to change
    applyLineSettings(dcb, settings);
    EXPECT_EQ(19200u, dcb.BaudRate);
    EXPECT_EQ(7, dcb.ByteSize);
    EXPECT_EQ(EVENPARITY, dcb.Parity);
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_EQ(row.fDTR ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE, (int)dcb.fDtrControl);
    EXPECT_EQ(row.fRTS ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE, (int)dcb.fRtsControl);
    EXPECT_FALSE(dcb.fNull);
    EXPECT_FALSE(dcb.fOutxCtsFlow);
    EXPECT_TRUE(dcb.fOutX);
    EXPECT_TRUE(dcb.fBinary);
    EXPECT_EQ(0x11, dcb.XonChar);
    EXPECT_EQ(0x13, dcb.XoffChar);
    EXPECT_EQ(15000, dcb.XonLim);
    EXPECT_EQ(128, dcb.XoffLim);
  }
}

TEST_F(PortOwnerTest, OpenAppliesSettingsToThePortAndShowsTheTip)
{
  // A pseudo-terminal keeps 8 data bits, no parity and its modem lines whatever is asked, so
  // the speed, the stop bits and the raised DTR/RTS defaults are what can be read back here.
  QuilbarProfile settings = com1Profile();
  settings.setSpeed("19200");
  settings.setStop("2");
  ASSERT_TRUE(open(settings)) << (host.errors().empty() ? "" : host.errors().back());
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(owner.portHandle(), &dcb));
  EXPECT_EQ(19200u, dcb.BaudRate);
  EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
  EXPECT_EQ(DTR_CONTROL_ENABLE, (int)dcb.fDtrControl);
  EXPECT_EQ(RTS_CONTROL_ENABLE, (int)dcb.fRtsControl);
  EXPECT_EQ((Strings{"Tarnwick Quilbar\r\nTest,COM1,19200,8,No parity,2"}), host.trayIdle());
}

TEST_F(PortOwnerTest, ClosePortDuringABurstIsPromptAndLeaksNoHandle)
{
  // Each round closes the port while a burst of lines is coming in. The bursts are bounded by
  // bytes, not by time: a flood that lasts as long as the test does gives a loaded machine ever
  // more lines to work through.
  auto burstOfRound = [](int nRound) {
    std::string strBurst;
    for (int n = 0; n < 500; ++n)
      strBurst += "round " + std::to_string(nRound) + " line " + std::to_string(n) + "\r";
    return strBurst;
  };
  auto roundHasArrived = [this](int nRound) {
    return !window.m_rgstrDataStrings.empty() &&
           window.m_rgstrDataStrings.back().rfind("round " + std::to_string(nRound) + " ", 0) == 0;
  };
  ASSERT_TRUE(open(com1Profile()));
  window.pumpFor(100ms);
  DWORD dwHandlesBefore = 0;
  GetProcessHandleCount(GetCurrentProcess(), &dwHandlesBefore);
  for (int nRound = 0; nRound < 20; ++nRound)
  {
    SCOPED_TRACE("round " + std::to_string(nRound));
    ASSERT_TRUE(open(com1Profile()));
    ASSERT_TRUE(peer.write(burstOfRound(nRound)));
    ASSERT_TRUE(window.pumpUntil([&] { return roundHasArrived(nRound); }, 5000ms))
        << "awaited the round's first lines at the window";
    auto before = std::chrono::steady_clock::now();
    owner.ClosePort();
    // Generous for a loaded machine; a thread that ignored the stop would take seconds or hang.
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
  }
  ASSERT_TRUE(open(com1Profile()));
  DWORD dwHandlesAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &dwHandlesAfter);
  owner.ClosePort();
  EXPECT_EQ(dwHandlesBefore, dwHandlesAfter);
  EXPECT_FALSE(owner.isOpen());
  EXPECT_EQ(nullptr, owner.commThreadHandle());
}

TEST_F(PortOwnerTest, RawInputIsLoggedWhenLogging)
{
  QuilbarProfile settings = com1Profile();
  settings.setLogging(1);
  ASSERT_TRUE(open(settings));
  ASSERT_TRUE(peer.write("AB\r"));
  ASSERT_TRUE(awaitStrings(1));
  EXPECT_EQ((Strings{"AB\r"}), host.rawLog());
}

TEST_F(PortOwnerTest, ReplayFileIsPlayedOnceThenDeleted)
{
  char szDir[MAX_PATH];
  GetTempPathA(MAX_PATH, szDir);
  std::string strFile = std::string(szDir) + "quilbar_replay_test.txt";
  FILE* pFile = std::fopen(strFile.c_str(), "wb");
  ASSERT_NE(nullptr, pFile);
  std::string strLong(400, 'z');
  std::string strLongHex;
  for (size_t i = 0; i < strLong.size(); ++i)
    strLongHex += i ? " 7a" : "7a";
  std::fprintf(pFile, "2007-03-01 14:05:09.042 RAW INPUT DATA: 41 42 0d\r\n");
  std::fprintf(pFile, "2007-03-01 14:05:09.043 Keyboard Output: Keyboard Data = AB\r\n");
  std::fprintf(pFile, "2007-03-01 14:05:09.044 RAW INPUT DATA: %s 0d\r\n", strLongHex.c_str());
  std::fclose(pFile);
  owner.setReplayFile(strFile);
  ASSERT_TRUE(open(com1Profile()));
  ASSERT_TRUE(awaitStrings(2, 8000ms)) << "awaited the replayed data strings";
  EXPECT_EQ((Strings{"AB", strLong}), window.m_rgstrDataStrings);
  EXPECT_TRUE(window.pumpUntil(
      [&] { return GetFileAttributesA(strFile.c_str()) == INVALID_FILE_ATTRIBUTES; }, 3000ms))
      << "awaited the replay file's deletion";
  EXPECT_EQ((Strings{kszReplaySelectTarget}), host.notices());
}

TEST_F(PortOwnerTest, BlinkStatesFollowDataAndFallBackToIdle)
{
  ASSERT_TRUE(open(com1Profile()));
  window.pumpFor(50ms);
  window.m_rgnTrayStates.clear();
  ASSERT_TRUE(peer.write("1\r"));
  ASSERT_TRUE(awaitStrings(1));
  ASSERT_TRUE(peer.write("2\r"));
  ASSERT_TRUE(awaitStrings(2));
  ASSERT_TRUE(peer.write("3\r"));
  ASSERT_TRUE(awaitStrings(3));
  ASSERT_TRUE(window.pumpUntil(
      [&] { return !window.m_rgnTrayStates.empty() && window.m_rgnTrayStates.back() == 0; },
      3000ms))
      << "awaited the idle state after the data";
  std::vector<int> rgnStates = window.m_rgnTrayStates;
  EXPECT_EQ(3, std::count(rgnStates.begin(), rgnStates.end(), kTrayStateData));
  owner.blinkThread().signalPin();
  ASSERT_TRUE(window.pumpUntil(
      [&] {
        return std::count(window.m_rgnTrayStates.begin(), window.m_rgnTrayStates.end(),
                          kTrayStatePin) == 2;
      },
      3000ms))
      << "awaited two pin states for one pin event";
}

TEST_F(PortOwnerTest, IncomingDataHidesTheWindowWhenTheProfileSaysSo)
{
  QuilbarProfile settings = com1Profile();
  settings.setHideWindow(1);
  ASSERT_TRUE(open(settings));
  ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsWindowVisible(window.hwnd()));
  ASSERT_TRUE(peer.write("AB\r"));
  ASSERT_TRUE(awaitStrings(1));
  EXPECT_TRUE(window.pumpUntil([&] { return !IsWindowVisible(window.hwnd()); }, 3000ms))
      << "awaited the hidden window";
}

// The self-test ends the process (exit code 0) when a check fails, so it runs in a child that
// reports with another code that it got through.
TEST(PortOwnerDeathTest, SelfTestRunsToTheEnd)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const int kGotThrough = 42;
  EXPECT_EXIT((PortOwner::runSelfTest(), std::exit(kGotThrough)), testing::ExitedWithCode(kGotThrough), "")
      << "PortOwner::runSelfTest() failed one of its checks";
}

TEST_F(PortOwnerTest, FullQueueLosesNothingOfAFlood)
{
  // Every third hand-over is refused, as a full posted-message queue would, and the window is
  // slow; every line of a flood three times the driver's input queue must still arrive once and
  // in order.
  HWND hwnd = window.hwnd();
  int nCalls = 0;
  owner.setDeliver([hwnd, &nCalls](const std::string& str) {
    if (++nCalls % 3 == 0)
      return false;
    return PostDataString(hwnd, str);
  });
  window.m_slowness = 20us;
  ASSERT_TRUE(open(com1Profile()));
  Strings rgstrLines;
  std::string strAll;
  unsigned nSeed = 12345;
  while (strAll.size() < 200000)
  {
    nSeed = nSeed * 1103515245u + 12345u;
    size_t nLen = 20 + (nSeed >> 16) % 41;
    std::string strLine = std::to_string(rgstrLines.size()) + ":";
    while (strLine.size() < nLen)
      strLine += static_cast<char>('A' + (strLine.size() * 7 + nLen) % 26);
    rgstrLines.push_back(strLine);
    strAll += strLine + "\r";
  }
  bool fWritten = false;
  std::thread writer([&] { fWritten = peer.write(strAll, 30000ms); });
  bool fAll = awaitStrings(rgstrLines.size(), 120000ms);
  writer.join();
  EXPECT_TRUE(fWritten);
  EXPECT_TRUE(fAll) << "awaited " << rgstrLines.size() << " lines, got "
                    << window.m_rgstrDataStrings.size();
  window.pumpFor(100ms);
  EXPECT_EQ(rgstrLines.size(), window.m_rgstrDataStrings.size());
  EXPECT_TRUE(rgstrLines == window.m_rgstrDataStrings) << "lines lost, doubled or reordered";
}
}  // namespace
