// The real Pelldrop.exe beside the real Quilbar.exe under Wine: Quilbar runs a profile on COM1,
// the test scans into COM2 (the far end of the null-modem pair) and reads what Pelldrop leaves in
// its output folder. Each test is one user story; every box Pelldrop can show is answered.
#include "DialogDriver_win.h"
#include "KeyTargetProcess_win.h"
#include "ScratchFolder.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "base/Registry.h"
#include "pelldrop/PelldropResourceIds.h"
#include "settings/QuilbarProfileStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
const char kszPelldropTitle[] = "File plugin for Quilbar";
const char kszPelldropCaption[] = "Pelldrop";
const char kszQuilbarTitle[] = "Tarnwick Quilbar 3.21";
const char kszProfile[] = "Files";
const char kszInit[] = "PD\r";

std::string withoutLastSeparator(const std::string& strFolder)
{
  return strFolder.substr(0, strFolder.size() - 1);
}

std::string scanName(int nScan)
{
  char szName[16];
  std::snprintf(szName, sizeof szName, "B%04d", nScan);
  return szName;
}

size_t countFiles(const std::string& strFolder)
{
  std::error_code error;
  size_t nFiles = 0;
  for (auto it = std::filesystem::directory_iterator(strFolder, error); !error && it != std::filesystem::directory_iterator();
       it.increment(error))
    ++nFiles;
  return nFiles;
}

class PelldropProgramTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    clearSettings();
    m_peer.drain();
  }
  void TearDown() override { clearSettings(); }

  static void clearSettings()
  {
    testsupport::removeStoredSettings();
  }

  // Quilbar with a profile on COM1 that logs into the start folder, and Pelldrop started in the
  // start folder with this ini: Pelldrop's window once it has subscribed, null when it did not.
  HWND startQuilbarAndPelldrop(const std::string& strIni)
  {
    writeIni(strIni);
    m_quilbar = startQuilbar();
    m_pelldrop = startPelldrop();
    HWND hwndPelldrop = waitForPelldropWindow();
    EXPECT_NE(nullptr, hwndPelldrop) << "Pelldrop's window did not appear";
    return hwndPelldrop;
  }

  // Running once its port is open.
  std::unique_ptr<TestProcess> startQuilbar()
  {
    {
      QuilbarProfileStore store;
      QuilbarProfile& profile = store.addOrSelectProfile(kszProfile);
      profile.setDefaults();
      profile.setName(kszProfile);
      profile.setPort("COM1");
      profile.setInitString("PD^M");
      profile.setLogging(1);
      profile.setLogFilename(m_start.path("quilbar.log"));
      EXPECT_TRUE(store.saveSettings());
    }
    std::string strQuilbar = KeyTargetProcess::besideTestProgram("Quilbar.exe");
    auto quilbar = std::make_unique<TestProcess>(TestProcess::commandLine(strQuilbar, kszProfile));
    EXPECT_TRUE(quilbar->started());
    EXPECT_EQ(kszInit, m_peer.read(sizeof kszInit - 1, 20000ms)) << "Quilbar's port did not open";
    return quilbar;
  }

  std::unique_ptr<TestProcess> startPelldrop()
  {
    std::string strPelldrop = KeyTargetProcess::besideTestProgram("Pelldrop.exe");
    auto pelldrop = std::make_unique<TestProcess>(TestProcess::commandLine(strPelldrop, ""), m_start.folder());
    EXPECT_TRUE(pelldrop->started());
    return pelldrop;
  }

  // Shown only after its initialisation, which has posted the subscription by then: a scan sent
  // afterwards reaches Quilbar's queue behind it.
  static HWND waitForPelldropWindow() { return dialogdriver::waitForWindow(kszPelldropTitle, 20000ms, "#32770"); }

  void writeIni(const std::string& strContents) { m_start.writeFile("Pelldrop.ini", strContents); }

  void scan(const std::string& strScan) { ASSERT_TRUE(m_peer.write(strScan + "\r")); }

  bool waitForFile(const std::string& strName, std::chrono::milliseconds timeout = 10000ms) const
  {
    return testsupport::waitUntil([&] { return m_out.exists(strName); }, timeout, 10ms);
  }

  ScratchFolder m_start;  // Pelldrop's start directory with its ini, and Quilbar's log
  ScratchFolder m_out;    // the output folder
  PeerPort m_peer{"\\\\.\\COM2"};
  // Ended before the folders go: Quilbar holds its log open.
  std::unique_ptr<TestProcess> m_quilbar;
  std::unique_ptr<TestProcess> m_pelldrop;
};

// The whole day of a bench: files already in the folder, an ini without the final backslash and
// with a CR LF, a scan, a burst of 1,000 scans, then Pelldrop crashes and the next scans are typed.
TEST_F(PelldropProgramTest, ScansBecomeNumberedFilesAndAfterPelldropIsKilledTheyAreTyped)
{
  ASSERT_TRUE(m_peer.isOpen());
  m_out.writeFile("1.txt", "earlier one");
  m_out.writeFile("2.txt", "earlier two");
  HWND hwndPelldrop = startQuilbarAndPelldrop(withoutLastSeparator(m_out.folder()) + "\r\n");
  ASSERT_NE(nullptr, hwndPelldrop);
  EXPECT_EQ(m_out.folder(), dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_FOLDER));

  const std::string strScan = "ABC\xE9 1";
  scan(strScan);
  ASSERT_TRUE(waitForFile("3.txt")) << "no 3.txt; the folder holds " << m_out.fileNames().size() << " files";
  EXPECT_EQ(strScan + "\r", m_out.readFile("3.txt")) << "the file holds exactly the delivered bytes";
  EXPECT_EQ("earlier one", m_out.readFile("1.txt"));
  EXPECT_EQ("earlier two", m_out.readFile("2.txt"));
  EXPECT_EQ((std::vector<std::string>{"1.txt", "2.txt", "3.txt"}), m_out.fileNames()) << "no .tmp is left";
  std::string strStatus = dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_STATUS);
  EXPECT_EQ(0u, strStatus.find("Filename: 3.txt\r\nTime: ")) << strStatus;
  EXPECT_NE(std::string::npos, strStatus.find("\r\nSize: 7 bytes\r\nContents: [" + strScan + "\r]")) << strStatus;

  // The burst: every scan in its own file, numbered in the order of the scans.
  const int knBurst = 1000;
  std::string strBurst;
  for (int nScan = 1; nScan <= knBurst; ++nScan)
    strBurst += scanName(nScan) + "\r";
  auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(m_peer.write(strBurst));
  bool fAll = testsupport::waitUntil([&] { return m_out.exists(std::to_string(3 + knBurst) + ".txt"); }, 180000ms, 20ms);
  auto elapsed = std::chrono::steady_clock::now() - started;
  ASSERT_TRUE(fAll) << "the burst did not arrive: " << countFiles(m_out.folder()) << " files";
  EXPECT_TRUE(testsupport::waitUntil([&] { return countFiles(m_out.folder()) == 3 + knBurst; }, 5000ms))
      << countFiles(m_out.folder()) << " files, expected " << 3 + knBurst;
  int nWrong = 0;
  for (int nScan = 1; nScan <= knBurst; ++nScan)
  {
    std::string strContents = m_out.readFile(std::to_string(3 + nScan) + ".txt");
    if (strContents != scanName(nScan) + "\r" && ++nWrong <= 5)
      ADD_FAILURE() << (3 + nScan) << ".txt holds \"" << strContents << "\"";
  }
  EXPECT_EQ(0, nWrong) << "files with the wrong scan";
  double dSeconds = std::chrono::duration<double>(elapsed).count();
  std::printf("BURST files=%d seconds=%.3f files_per_second=%.1f\n", knBurst, dSeconds, knBurst / dSeconds);
  RecordProperty("burst_files_per_second", static_cast<int>(knBurst / dSeconds));

  // Pelldrop crashes: no Unsubscribe reaches Quilbar, which notices the window gone at the next
  // scan, says so in its log and types the scan instead.
  KeyTargetProcess target("After Pelldrop");
  std::string strWhy;
  ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
  m_pelldrop->kill();
  ASSERT_FALSE(m_pelldrop->isRunning());
  ASSERT_TRUE(target.bringToFront());
  scan("AFTER1");
  EXPECT_TRUE(target.waitForText("AFTER1\r\n")) << "the first scan after the crash was not typed: " << target.text();
  scan("AFTER2");
  EXPECT_TRUE(target.waitForText("AFTER1\r\nAFTER2\r\n")) << target.text();
  EXPECT_EQ(3u + knBurst, countFiles(m_out.folder())) << "nothing more was written";

  // The reference for the burst's figure: scans typed into a window, measured the same way.
  const int knTyped = 200;
  std::string strTypedBurst, strExpected = target.text();
  for (int nScan = 1; nScan <= knTyped; ++nScan)
  {
    strTypedBurst += scanName(nScan) + "\r";
    strExpected += scanName(nScan) + "\r\n";
  }
  started = std::chrono::steady_clock::now();
  ASSERT_TRUE(m_peer.write(strTypedBurst));
  EXPECT_TRUE(target.waitForText(strExpected, 180000)) << "the typed burst did not arrive";
  double dTypedSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("BURST typed=%d seconds=%.3f ms_per_scan=%.2f (files: ms_per_scan=%.2f)\n", knTyped, dTypedSeconds,
              1000.0 * dTypedSeconds / knTyped, 1000.0 * dSeconds / knBurst);
  std::string strLog;
  bool fLogged = testsupport::waitUntil(
      [&] {
        strLog = m_start.readFile("quilbar.log");
        return strLog.find("Subscriber Removed") != std::string::npos;
      },
      10000ms);
  EXPECT_TRUE(fLogged) << "the log does not name the removed subscriber:\n" << strLog.substr(strLog.size() > 2000 ? strLog.size() - 2000 : 0);
  EXPECT_NE(std::string::npos, strLog.find(std::string("Subscriber Window Title = ") + kszPelldropTitle));
  EXPECT_TRUE(m_quilbar->isRunning());
}

// Closing Pelldrop the ordinary way unsubscribes it at once: the next scan is typed.
TEST_F(PelldropProgramTest, ClosingPelldropUnsubscribesItAndTheNextScanIsTyped)
{
  HWND hwndPelldrop = startQuilbarAndPelldrop(m_out.folder() + "\n");
  ASSERT_NE(nullptr, hwndPelldrop);
  scan("KEPT");
  ASSERT_TRUE(waitForFile("1.txt"));
  EXPECT_EQ("KEPT\r", m_out.readFile("1.txt"));

  KeyTargetProcess target("After closing");
  std::string strWhy;
  ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
  PostMessageA(hwndPelldrop, WM_CLOSE, 0, 0);
  ASSERT_TRUE(m_pelldrop->waitForExit(10000ms)) << "the close box did not end Pelldrop";
  ASSERT_TRUE(target.bringToFront());
  scan("TYPED");
  EXPECT_TRUE(target.waitForText("TYPED\r\n")) << target.text();
  std::string strLog;
  EXPECT_TRUE(testsupport::waitUntil(
      [&] {
        strLog = m_start.readFile("quilbar.log");
        return strLog.find("Subscriber Disconnected") != std::string::npos;
      },
      10000ms))
      << "Pelldrop did not unsubscribe";
  EXPECT_EQ(std::string::npos, strLog.find("Subscriber Removed")) << "an unsubscribed window has nothing to remove";
}

// A folder removed while Pelldrop runs: the scan is reported, not written, and nothing spins;
// once the folder is back the next scan is written.
TEST_F(PelldropProgramTest, ARemovedOutputFolderIsReportedAndTheNextScanAfterItsReturnIsWritten)
{
  HWND hwndPelldrop = startQuilbarAndPelldrop(m_out.folder() + "\n");
  ASSERT_NE(nullptr, hwndPelldrop);
  std::error_code error;
  std::filesystem::remove_all(m_out.folder(), error);
  ASSERT_FALSE(error) << error.message();

  scan("LOST");
  dialogdriver::AnsweredBox box = dialogdriver::answerMessageBox(kszPelldropCaption, IDOK, 20000ms);
  ASSERT_TRUE(box.fFound) << "no message about the missing folder";
  EXPECT_EQ("Unable to create temporary output file (" + m_out.path("1.tmp") +
                ").\n\nPlease check that the output folder exist and that you have write permission in that folder.",
            box.strText);
  EXPECT_TRUE(m_pelldrop->isRunning());
  std::string strStatus = dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_STATUS);
  EXPECT_NE(std::string::npos, strStatus.find("Contents: [LOST\r]")) << strStatus;

  std::filesystem::create_directories(m_out.folder(), error);
  scan("BACK");
  ASSERT_TRUE(waitForFile("1.txt")) << "the scan after the folder's return was not written";
  EXPECT_EQ("BACK\r", m_out.readFile("1.txt"));
}

// Any program may send Pelldrop a copy-data block, and the block is not trusted: its text ends at
// the first zero byte or at its stated size, and a block without bytes writes nothing.
TEST_F(PelldropProgramTest, ACopyDataBlockIsReadWithinItsStatedSize)
{
  HWND hwndPelldrop = startQuilbarAndPelldrop(m_out.folder() + "\n");
  ASSERT_NE(nullptr, hwndPelldrop);
  auto send = [&](const char* pData, DWORD cbData) {
    COPYDATASTRUCT copyData = {77, cbData, const_cast<char*>(pData)};
    DWORD_PTR dwResult = 0;
    LRESULT lSent = SendMessageTimeoutA(hwndPelldrop, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData),
                                        SMTO_ABORTIFHUNG, 10000, &dwResult);
    EXPECT_NE(0, lSent) << "Pelldrop did not answer";
    EXPECT_EQ(TRUE, static_cast<BOOL>(dwResult));
  };
  const char rgchBlock[] = {'N', 'O', 'Z', 'E', 'R', 'O', 'x', 'y'};
  send(rgchBlock, 6);
  ASSERT_TRUE(waitForFile("1.txt"));
  EXPECT_EQ("NOZERO", m_out.readFile("1.txt")) << "nothing past the stated size";
  send("two\0hidden", 11);
  ASSERT_TRUE(waitForFile("2.txt"));
  EXPECT_EQ("two", m_out.readFile("2.txt")) << "the text ends at its zero byte";

  send(nullptr, 0);
  send(rgchBlock, 0);
  std::string strStatus;
  EXPECT_TRUE(testsupport::waitUntil(
      [&] {
        strStatus = dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_STATUS);
        return strStatus.find("Nothing written") != std::string::npos;
      },
      5000ms))
      << strStatus;
  EXPECT_EQ((std::vector<std::string>{"1.txt", "2.txt"}), m_out.fileNames());
  EXPECT_TRUE(m_pelldrop->isRunning());
}

// The folder browser owned by Pelldrop's window, other than any message box.
struct OwnedDialogSearch
{
  HWND hwndOwner;
  HWND hwndFound;
};

// A named CALLBACK function: on i686 a lambda converts only to the default calling convention.
BOOL CALLBACK matchOwnedDialog(HWND hwnd, LPARAM lParam)
{
  auto* pSearch = reinterpret_cast<OwnedDialogSearch*>(lParam);
  char szClass[32] = "";
  GetClassNameA(hwnd, szClass, sizeof szClass);
  if (GetWindow(hwnd, GW_OWNER) != pSearch->hwndOwner || !IsWindowVisible(hwnd) || lstrcmpA(szClass, "#32770") != 0)
    return TRUE;
  pSearch->hwndFound = hwnd;
  return FALSE;
}

HWND findFolderBrowser(HWND hwndPelldrop)
{
  OwnedDialogSearch search = {hwndPelldrop, nullptr};
  EnumWindows(&matchOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.hwndFound;
}

// The browser opens on the current folder; taking it as it is saves it with its backslash, and the
// status says so. A cancelled browser changes nothing.
TEST_F(PelldropProgramTest, TheFolderBrowserSavesTheChosenFolderInTheIni)
{
  const std::string strIni = withoutLastSeparator(m_out.folder()) + "\n";
  HWND hwndPelldrop = startQuilbarAndPelldrop(strIni);
  ASSERT_NE(nullptr, hwndPelldrop);
  for (int nButton : {IDCANCEL, IDOK})
  {
    SCOPED_TRACE(nButton == IDOK ? "OK" : "Cancel");
    dialogdriver::pressButton(hwndPelldrop, IDC_PELLDROP_BROWSE);
    HWND hwndBrowser = nullptr;
    ASSERT_TRUE(testsupport::waitUntil([&] { return (hwndBrowser = findFolderBrowser(hwndPelldrop)) != nullptr; }, 20000ms))
        << "the folder browser did not open";
    PostMessageA(hwndBrowser, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), 0);
    ASSERT_TRUE(dialogdriver::waitForWindowGone(hwndBrowser, 10000ms)) << "the browser stayed open";
    if (nButton == IDCANCEL)
    {
      EXPECT_EQ(strIni, m_start.readFile("Pelldrop.ini"));
    }
  }
  EXPECT_TRUE(testsupport::waitUntil([&] { return m_start.readFile("Pelldrop.ini") == m_out.folder() + "\n"; }, 5000ms))
      << m_start.readFile("Pelldrop.ini");
  EXPECT_EQ("Output folder set to " + m_out.folder(), dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_STATUS));
  EXPECT_EQ(m_out.folder(), dialogdriver::itemText(hwndPelldrop, IDC_PELLDROP_FOLDER));
}

// Start-up failures: each is said in a box, and then the program ends.
TEST_F(PelldropProgramTest, StartUpFailuresAreSaidAndEndTheProgram)
{
  struct Row
  {
    const char* pszCase;
    bool fIni;
    const char* pszIni;
    const char* pszMessage;
  };
  const Row rgRows[] = {
    {"no ini", false, "", "Config file (Pelldrop.ini) not found."},
    {"an empty ini", true, "", "Error reading ini file."},
    {"no Quilbar running", true, "C:\\out\n", "Quilbar not found. Quilbar must be running!"},
  };
  ASSERT_EQ(nullptr, dialogdriver::findWindow(kszQuilbarTitle)) << "a Quilbar of another test is still running";
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    std::error_code error;
    std::filesystem::remove(m_start.path("Pelldrop.ini"), error);
    if (row.fIni)
      writeIni(row.pszIni);
    auto pelldrop = startPelldrop();
    dialogdriver::AnsweredBox box = dialogdriver::answerMessageBox(kszPelldropCaption, IDOK, 20000ms);
    ASSERT_TRUE(box.fFound) << "no message";
    EXPECT_EQ(row.pszMessage, box.strText);
    EXPECT_TRUE(pelldrop->waitForExit(10000ms)) << "Pelldrop kept running after the message";
  }
}
}  // namespace
