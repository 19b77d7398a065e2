// The real Quilbar.exe driven as a user would drive it, under Wine: the registry of the harness's
// prefix, the virtual COM ports (COM1<->COM2 and COM3<->COM4 are null-modem pairs) and real target
// windows, a program of our own and Wine's notepad. Each test is one user story. A profile's
// initialisation string tells the test that its port is open: it is the last thing the opening
// does, and it arrives at the far end of the cable.
#include "DialogDriver_win.h"
#include "KeyTargetProcess_win.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestMonitor_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "VirtualCable_win.h"
#include "app/AutoStartList.h"
#include "app/ResourceIds.h"
#include "base/Registry.h"
#include "monitor/MonitorResourceIds.h"
#include "serial/SerialSettings.h"
#include "settings/QuilbarProfileStore.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
const char kszMainTitle[] = "Tarnwick Quilbar 3.21";
const UINT kuTrayNotify = WM_APP + 100;
const UINT kuKeyF1 = 0x004D;  // WM_KEYF1, which the system makes of the F1 key

std::string textOf(HWND hwnd)
{
  DWORD_PTR nLength = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
    return "<no answer>";
  std::vector<char> rgchText(nLength + 1, '\0');
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, rgchText.size(), reinterpret_cast<LPARAM>(rgchText.data()), SMTO_ABORTIFHUNG,
                      5000, &nCopied);
  return std::string(rgchText.data(), nCopied);
}

class Quilbar : public TestProcess
{
public:
  explicit Quilbar(const std::string& strArguments = "")
      : TestProcess(commandLine(KeyTargetProcess::besideTestProgram("Quilbar.exe"), strArguments))
  {
  }
  // The main window once it has initialised: marked, with a profile in its box.
  HWND waitForMainWindow() const
  {
    HWND hwndMain = waitForWindow(kszMainTitle, "#32770");
    bool fReady = testsupport::waitUntil(
        [&] {
          return GetWindowLongPtrA(hwndMain, GWLP_USERDATA) == 0xB00B &&
                 !textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)).empty();
        },
        20000ms, 20ms);
    if (!fReady)
      ADD_FAILURE() << "the main window did not initialise: mark " << std::hex
                    << GetWindowLongPtrA(hwndMain, GWLP_USERDATA) << ", profile box \""
                    << textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) << "\"";
    return fReady ? hwndMain : nullptr;
  }
};

// Types into the profile box as a user would, character by character over the whole text: a
// combo box reports the user's edits, not a text set by a program.
void typeProfileName(HWND hwndMain, const std::string& strName)
{
  HWND hwndEdit = GetWindow(GetDlgItem(hwndMain, IDC_MAIN_PROFILE), GW_CHILD);
  SendMessageA(hwndEdit, EM_SETSEL, 0, -1);
  for (char ch : strName)
    SendMessageA(hwndEdit, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

// The program's event log file, in the prefix's temporary folder; gone before each story.
class StoryLog
{
public:
  StoryLog()
  {
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    m_strPath = std::string(szTemp) + "quilbar-story.log";
    DeleteFileA(m_strPath.c_str());
  }
  ~StoryLog() { DeleteFileA(m_strPath.c_str()); }
  StoryLog(const StoryLog&) = delete;
  StoryLog& operator=(const StoryLog&) = delete;

  const std::string& path() const { return m_strPath; }
  std::string text() const
  {
    std::ifstream file(m_strPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  bool waitFor(const std::string& strPart) const
  {
    return testsupport::waitUntil([&] { return text().find(strPart) != std::string::npos; }, 10000ms, 20ms);
  }

private:
  std::string m_strPath;
};

// What Windows announces when a window comes to the front; Wine does not, so the stories do.
void announceForeground(HWND hwnd)
{
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
}

bool waitVisible(HWND hwnd, bool fVisible)
{
  return testsupport::waitUntil([&] { return (IsWindowVisible(hwnd) != FALSE) == fVisible; }, 10000ms, 10ms);
}

// What a story runs: its target window and Quilbar, which ends first (it may be typing into the
// target). startStory starts them.
struct Story
{
  std::unique_ptr<KeyTargetProcess> pTarget;
  std::unique_ptr<Quilbar> pQuilbar;
  HWND hwndMain = nullptr;
};

class ProgramTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    clearSettings();
    m_peer1.drain();
    m_peer3.drain();
  }
  void TearDown() override { clearSettings(); }

  static void clearSettings()
  {
    testsupport::removeStoredSettings();
    Registry policies;
    if (policies.openKey("HKEY_LOCAL_MACHINE\\Software\\Policies", Registry::kdwAccessAll))
      policies.deleteSubKey("Tarnwick");
    AutoStartList([](std::string&) { return false; }).unregisterAllAutoStart();
  }

  // A profile with every value at its default but the port, its initialisation string and the
  // values the story sets.
  static QuilbarProfile& addProfile(QuilbarProfileStore& store, const std::string& strName, const char* pszPort,
                                    const char* pszInitString)
  {
    QuilbarProfile& profile = store.addOrSelectProfile(strName);
    profile.setDefaults();
    profile.setName(strName);
    profile.setPort(pszPort);
    profile.setInitString(pszInitString);
    return profile;
  }

  // A format before Default whose criterion has bad notation: its alert comes with the first scan.
  static void addBadCriterion(QuilbarProfile& profile)
  {
    auto pCriteria = std::make_unique<Criteria>();
    pCriteria->setKindStringExpression();
    pCriteria->setStartPosition(1);
    pCriteria->setExpression("<C");
    auto pFormat = std::make_unique<DataEditFormat>();
    pFormat->setName("Bad");
    pFormat->setOrder(0);
    pFormat->setOutput("Input()");
    pFormat->getCriteriaMap().add(std::move(pCriteria));
    profile.getDataEditFormatMap().lookup("Default")->setOrder(1);
    profile.getDataEditFormatMap().add("Bad", std::move(pFormat));
  }

  static void setFormat(QuilbarProfile& profile, const std::string& strOutput)
  {
    profile.getDataEditFormatMap().lookup("Default")->setOutput(strOutput);
  }

  static std::vector<std::string> storedProfiles()
  {
    QuilbarProfileStore store;
    std::string strError;
    std::vector<std::string> rgstrNames;
    if (!store.loadSettings(strError))
      return {"<unreadable: " + strError + ">"};
    for (const auto& entry : store.getProfiles().getEntries())
      rgstrNames.push_back(entry.first);
    return rgstrNames;
  }

  static std::vector<std::string> runValues()
  {
    Registry run;
    TextList rgNames;
    if (run.openKey(AutoStartList::kszRunKey, Registry::kdwAccessRead))
      run.getKeyValueNames(rgNames);
    std::sort(rgNames.begin(), rgNames.end());
    return rgNames;
  }

  // The port is open once its initialisation string has come out at the far end.
  static bool waitForInit(PeerPort& peer, const std::string& strInit)
  {
    return peer.read(strInit.size(), 20000ms) == strInit;
  }

  static void scan(PeerPort& peer, const std::string& strScan) { ASSERT_TRUE(peer.write(strScan + "\r")); }

  // The opening most stories share: the profiles in m_store saved, a target window of that title
  // ready, Quilbar started with the profile, its main window up and its port open (the profile's
  // initialisation string came out at the far end of COM1). Call it with ASSERT_NO_FATAL_FAILURE.
  void startStory(Story& story, const char* pszTarget, const char* pszProfile = "Line1", const char* pszInit = "L1\r")
  {
    ASSERT_TRUE(m_store.saveSettings());
    story.pTarget = std::make_unique<KeyTargetProcess>(pszTarget);
    std::string strWhy;
    ASSERT_TRUE(story.pTarget->isReady(strWhy)) << strWhy;
    story.pQuilbar = std::make_unique<Quilbar>(pszProfile);
    story.hwndMain = story.pQuilbar->waitForMainWindow();
    ASSERT_NE(nullptr, story.hwndMain);
    ASSERT_TRUE(waitForInit(m_peer1, pszInit)) << "the port did not open";
  }

  PeerPort m_peer1{"\\\\.\\COM2"};  // the far end of COM1
  PeerPort m_peer3{"\\\\.\\COM4"};  // the far end of COM3
  QuilbarProfileStore m_store;  // saved by startStory
};

TEST_F(ProgramTest, FirstRunOnAnEmptyRegistryCreatesDefaultAndTypesAScanIntoNotepad)
{
  ASSERT_TRUE(m_peer1.isOpen());
  Quilbar quilbar;
  HWND hwndMain = quilbar.waitForMainWindow();
  ASSERT_NE(nullptr, hwndMain) << "the main window did not appear";
  EXPECT_EQ(0xB00B, GetWindowLongPtrA(hwndMain, GWLP_USERDATA));
  EXPECT_EQ("Default", textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)));
  EXPECT_EQ(std::vector<std::string>{"Default"}, storedProfiles());
  EXPECT_FALSE(dialogdriver::isItemEnabled(hwndMain, IDC_MAIN_DELETE));

  TestProcess notepad("notepad.exe");
  HWND hwndNotepad = notepad.waitForWindow(nullptr, "Notepad");
  ASSERT_NE(nullptr, hwndNotepad) << "notepad did not start";
  // Notepad's frame may show before its edit control exists.
  HWND hwndEdit = nullptr;
  testsupport::waitUntil([&] { return (hwndEdit = FindWindowExA(hwndNotepad, nullptr, "Edit", nullptr)) != nullptr; },
                         5000ms);
  ASSERT_NE(nullptr, hwndEdit) << "notepad has no edit control";
  ASSERT_TRUE(bringOwnWindowToFront(hwndNotepad));

  // The Default profile has no initialisation string: probes go out until one is typed, which
  // proves the port open (bytes sent before the opening are discarded by it).
  bool fOpen = false;
  for (int i = 0; i < 40 && !fOpen; ++i)
  {
    scan(m_peer1, "probe" + std::to_string(i));
    fOpen = testsupport::waitUntil([&] { return textOf(hwndEdit).find("probe") != std::string::npos; }, 500ms);
  }
  ASSERT_TRUE(fOpen) << "no probe reached notepad: " << textOf(hwndEdit);
  testsupport::waitUntil([&] { return textOf(hwndEdit).find("\r\n") != std::string::npos; }, 5000ms);
  SendMessageA(hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));

  scan(m_peer1, "4006381333931");
  EXPECT_TRUE(testsupport::waitUntil([&] { return textOf(hwndEdit) == "4006381333931\r\n"; }, 10000ms))
      << "notepad holds: " << textOf(hwndEdit);
}

TEST_F(ProgramTest, AProfileNamedOnTheCommandLineRunsAndAnotherLetterCaseFallsBackToDefault)
{
  {
    QuilbarProfileStore store;
    addProfile(store, "Line1", "COM1", "L1^M");
    ASSERT_TRUE(store.saveSettings());
  }
  {
    Quilbar quilbar("line1");
    dialogdriver::AnsweredBox box = dialogdriver::answerMessageBox("Quilbar");
    ASSERT_TRUE(box.fFound) << "no message about the missing profile";
    EXPECT_EQ("The profile \"line1\" does not exist. Using default profile.", box.strText);
    HWND hwndMain = quilbar.waitForMainWindow();
    ASSERT_NE(nullptr, hwndMain);
    EXPECT_TRUE(testsupport::waitUntil([&] { return textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) == "Default"; }, 5000ms));
    // The fallback is saved: Default is a copy of Line1, so it opens COM1 with Line1's string.
    EXPECT_EQ((std::vector<std::string>{"Default", "Line1"}), storedProfiles());
    EXPECT_TRUE(waitForInit(m_peer1, "L1\r"));
  }
  Quilbar quilbar("Line1");
  HWND hwndMain = quilbar.waitForMainWindow();
  ASSERT_NE(nullptr, hwndMain);
  EXPECT_TRUE(waitForInit(m_peer1, "L1\r")) << "Line1's port did not open";
  EXPECT_EQ("Line1", textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)));
  EXPECT_EQ(nullptr, dialogdriver::findWindow("Quilbar", "#32770")) << "no message for an existing profile";
  EXPECT_TRUE(dialogdriver::isItemEnabled(hwndMain, IDC_MAIN_DELETE));
}

TEST_F(ProgramTest, HiddenAtStartItReadsAllTheSameAndHidingNeverEndsIt)
{
  addProfile(m_store, "Bench", "COM1", "B^M").setHideOnStartup(1);
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Bench target", "Bench", "B\r"));
  KeyTargetProcess& target = *story.pTarget;
  Quilbar& quilbar = *story.pQuilbar;
  HWND hwndMain = story.hwndMain;
  EXPECT_FALSE(IsWindowVisible(hwndMain));
  ASSERT_TRUE(target.bringToFront());
  scan(m_peer1, "HIDDEN1");
  EXPECT_TRUE(target.waitForText("HIDDEN1\r\n")) << target.text();

  // A left click on the tray icon shows the window; Escape and the close box hide it again.
  PostMessageA(hwndMain, kuTrayNotify, 128, WM_RBUTTONDOWN);
  PostMessageA(hwndMain, kuTrayNotify, 128, WM_LBUTTONDOWN);
  ASSERT_TRUE(waitVisible(hwndMain, true)) << "the tray click did not show the window";
  PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(waitVisible(hwndMain, false)) << "Escape did not hide the window";
  PostMessageA(hwndMain, kuTrayNotify, 128, WM_LBUTTONDOWN);
  ASSERT_TRUE(waitVisible(hwndMain, true));
  PostMessageA(hwndMain, WM_CLOSE, 0, 0);
  EXPECT_TRUE(waitVisible(hwndMain, false)) << "the close box did not hide the window";

  // The right button, released, opens the tray menu; its Monitor starts the monitor beside the
  // program, which finds this wedge. The window stays hidden.
  PostMessageA(hwndMain, kuTrayNotify, 128, WM_RBUTTONUP);
  HWND hwndMenu = nullptr;
  ASSERT_TRUE(testsupport::waitUntil(
      [&] { return (hwndMenu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(hwndMenu); }, 10000ms, 20ms))
      << "the tray menu did not open";
  keybd_event('M', 0x32, 0, 0);
  keybd_event('M', 0x32, KEYEVENTF_KEYUP, 0);
  HWND hwndMonitor = dialogdriver::waitForWindow("Tarnwick Quilbar Monitor", 20000ms, "#32770");
  ASSERT_NE(nullptr, hwndMonitor) << "Monitor on the tray menu did not start the monitor";
  EXPECT_TRUE(testsupport::waitUntil(
      [&] { return dialogdriver::itemText(hwndMonitor, IDC_MONITOR_STATE).find(kszMainTitle) == 0; }, 10000ms, 20ms))
      << dialogdriver::itemText(hwndMonitor, IDC_MONITOR_STATE);
  PostMessageA(hwndMonitor, WM_CLOSE, 0, 0);
  EXPECT_TRUE(dialogdriver::waitForWindowGone(hwndMonitor));
  EXPECT_FALSE(IsWindowVisible(hwndMain));

  EXPECT_TRUE(quilbar.isRunning());
  ASSERT_TRUE(target.bringToFront());
  target.clearText();
  scan(m_peer1, "HIDDEN2");
  EXPECT_TRUE(target.waitForText("HIDDEN2\r\n")) << target.text();

  // F1 without a help file says so instead of failing silently (the system turns the key into
  // WM_KEYF1 and that into WM_HELP).
  PostMessageA(hwndMain, kuKeyF1, 0, 0);
  dialogdriver::AnsweredBox box = dialogdriver::answerMessageBox("Quilbar");
  ASSERT_TRUE(box.fFound) << "no message about the missing help file";
  EXPECT_NE(std::string::npos, box.strText.find("Quilbar.chm")) << box.strText;
  EXPECT_TRUE(quilbar.isRunning());
  // The box belonged to no window while the main window was hidden, so closing it did not make
  // the hidden main window the active one, where keystrokes are never typed.
  ASSERT_TRUE(target.bringToFront());
  target.clearText();
  scan(m_peer1, "HIDDEN3");
  EXPECT_TRUE(target.waitForText("HIDDEN3\r\n")) << target.text();
  EXPECT_NE(hwndMain, GetForegroundWindow());
}

TEST_F(ProgramTest, ProfilesSwitchFromTheListAndBySetProfileAndTypedDefaultBecomesDefault)
{
  setFormat(addProfile(m_store, "Line1", "COM1", "L1^M"), "Input() + \"<cr>\" + SetProfile(\"line3\")");
  addProfile(m_store, "Line3", "COM3", "L3^M");
  addBadCriterion(addProfile(m_store, "Default", "COM1", "D^M"));
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Switch target"));
  KeyTargetProcess& target = *story.pTarget;
  HWND hwndMain = story.hwndMain;
  ASSERT_TRUE(target.bringToFront());

  // The expression asks for Line3 (in other letters): the string is typed first, then Line3 opens.
  scan(m_peer1, "A1");
  EXPECT_TRUE(target.waitForText("A1\r\n")) << target.text();
  EXPECT_TRUE(waitForInit(m_peer3, "L3\r")) << "SetProfile did not open Line3's port";
  EXPECT_TRUE(testsupport::waitUntil([&] { return textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) == "Line3"; }, 5000ms));
  scan(m_peer3, "B3");
  EXPECT_TRUE(target.waitForText("A1\r\nB3\r\n")) << target.text();

  // The user picks Default from the list.
  ASSERT_TRUE(dialogdriver::selectComboText(hwndMain, IDC_MAIN_PROFILE, "Default"));
  EXPECT_TRUE(waitForInit(m_peer1, "D\r")) << "picking Default did not open its port";

  // Typing default in any letter case shows Default.
  typeProfileName(hwndMain, "dEFAULT");
  EXPECT_TRUE(testsupport::waitUntil([&] { return textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) == "Default"; }, 5000ms))
      << textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE));

  // Default's criterion has bad notation: its alert stays open while the user picks Line1. The
  // port opens with Line1 only once the string is done, never under the matcher.
  scan(m_peer1, "C1");
  HWND hwndAlert = dialogdriver::waitForDialog("Quilbar");
  ASSERT_NE(nullptr, hwndAlert) << "no alert about the criterion";
  ASSERT_TRUE(dialogdriver::selectComboText(hwndMain, IDC_MAIN_PROFILE, "Line1"));
  EXPECT_EQ("", m_peer1.read(3, 1500ms)) << "the port was reopened while the string was matched";
  dialogdriver::AnsweredBox alert = dialogdriver::answerMessageBox("Quilbar");
  ASSERT_TRUE(alert.fFound);
  EXPECT_NE(std::string::npos, alert.strText.find("Invalid expression")) << alert.strText;
  EXPECT_TRUE(waitForInit(m_peer1, "L1\r")) << "Line1's port did not open after the alert";
  EXPECT_TRUE(story.pQuilbar->isRunning());
}

TEST_F(ProgramTest, DeletingRemovesTheRunEntryUnloadingSavesAndCleanRemovesOnlyTheProgramsEntries)
{
  StoryLog log;
  {
    QuilbarProfileStore store;
    addProfile(store, "Default", "COM1", "");
    QuilbarProfile& line1 = addProfile(store, "Line1", "COM1", "L1^M");
    line1.setAutoStart(1);
    line1.setLogging(1);
    line1.setLogFilename(log.path());
    ASSERT_TRUE(store.saveSettings());
  }
  {
    Quilbar quilbar("Line1");
    HWND hwndMain = quilbar.waitForMainWindow();
    ASSERT_NE(nullptr, hwndMain);
    ASSERT_TRUE(waitForInit(m_peer1, "L1\r"));
    ASSERT_EQ(std::vector<std::string>{"Quilbar_Line1"}, runValues());
    Registry run;
    std::string strData;
    ASSERT_TRUE(run.openKey(AutoStartList::kszRunKey, Registry::kdwAccessRead));
    ASSERT_TRUE(run.getKeyValue("Quilbar_Line1", strData));
    char szShort[MAX_PATH] = "";
    GetShortPathNameA(KeyTargetProcess::besideTestProgram("Quilbar.exe").c_str(), szShort, MAX_PATH);
    EXPECT_EQ(std::string(szShort) + " Line1", strData);

    dialogdriver::pressButton(hwndMain, IDC_MAIN_DELETE);
    // A scan while the question is open is not typed into it: digits and Enter would answer Yes.
    HWND hwndQuestion = dialogdriver::waitForDialog("Quilbar");
    ASSERT_NE(nullptr, hwndQuestion) << "no question before deleting";
    EXPECT_EQ(hwndQuestion, GetForegroundWindow()) << "the question is not in front";
    scan(m_peer1, "4006381333931");
    EXPECT_TRUE(log.waitFor("Not Typed = Quilbar's own window in front")) << log.text();
    EXPECT_TRUE(IsWindowVisible(hwndQuestion)) << "the scan answered the question";
    EXPECT_EQ((std::vector<std::string>{"Default", "Line1"}), storedProfiles());
    dialogdriver::AnsweredBox box = dialogdriver::answerMessageBox("Quilbar", IDYES);
    ASSERT_TRUE(box.fFound) << "no question before deleting";
    EXPECT_EQ("Are you sure you want to delete the profile \"Line1\"?", box.strText);
    EXPECT_TRUE(testsupport::waitUntil([] { return runValues().empty(); }, 10000ms)) << "the run entry stayed";
    EXPECT_TRUE(testsupport::waitUntil([] { return storedProfiles() == std::vector<std::string>{"Default"}; }, 10000ms))
        << storedProfiles().front();
    EXPECT_EQ("Default", textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)));

    // A typed name becomes a profile when the program unloads.
    typeProfileName(hwndMain, "Line5");
    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(quilbar.waitForExit(20000ms)) << "Unload did not end the program";
  }
  EXPECT_EQ((std::vector<std::string>{"Default", "Line5"}), storedProfiles());

  Registry run;
  ASSERT_TRUE(run.openKey(AutoStartList::kszRunKey, Registry::kdwAccessAll));
  for (const char* pszName : {"Quilbar_A", "QUILBAR_B", "Quilbar", "OtherTool"})
    ASSERT_TRUE(run.createKeyValue(pszName, "x"));
  Quilbar clean("/CLEAN");
  DWORD dwExitCode = 1;
  ASSERT_TRUE(clean.waitForExit(20000ms, &dwExitCode)) << "/clean did not end by itself";
  EXPECT_EQ(0u, dwExitCode);
  EXPECT_EQ((std::vector<std::string>{"OtherTool", "Quilbar"}), runValues());
  run.deleteKeyValue("OtherTool");
  run.deleteKeyValue("Quilbar");
}

// The settings move between computers in a file: "/EXPORT" writes them, "/Import" puts exactly
// them back over other profiles (with their start-with-Windows entries), and a file that reaches
// beyond the settings is refused with one line on the standard error and changes nothing. None of
// it opens a window: a main window would keep the program from ending.
TEST_F(ProgramTest, ExportAndImportMoveTheSettingsWithoutAWindowAndARefusedFileSaysWhy)
{
  {
    QuilbarProfileStore store;
    addProfile(store, "Default", "COM1", "");
    addProfile(store, "Line1", "COM3", "L1^M").setAutoStart(1);
    ASSERT_TRUE(store.saveSettings());
  }
  char szTemp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, szTemp);
  const std::string strFile = std::string(szTemp) + "quilbar settings.reg";
  const std::string strQuilbar = "\"" + KeyTargetProcess::besideTestProgram("Quilbar.exe") + "\" ";
  std::string strError;
  ASSERT_EQ(0u, TestProcess::run(strQuilbar + "/EXPORT \"" + strFile + "\"", 20000ms, strError)) << strError;
  EXPECT_EQ("", strError);

  {
    QuilbarProfileStore store;
    addProfile(store, "Other", "COM5", "").setAutoStart(1);
    ASSERT_TRUE(store.saveSettings());
    AutoStartList([](std::string& strPath) { strPath = "QUILBAR.EXE"; return true; }).synchroniseAutoStart(store.getProfiles());
  }
  ASSERT_EQ(0u, TestProcess::run(strQuilbar + "/Import \"" + strFile + "\"", 20000ms, strError)) << strError;
  EXPECT_EQ((std::vector<std::string>{"Default", "Line1"}), storedProfiles());
  EXPECT_EQ(std::vector<std::string>{"Quilbar_Line1"}, runValues());

  const std::string strRefused = std::string(szTemp) + "refused.reg";
  std::ofstream(strRefused, std::ios::binary)
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
         "\"Quilbar_Evil\"=\"evil.exe\"\r\n";
  EXPECT_EQ(1u, TestProcess::run(strQuilbar + "/import " + strRefused, 20000ms, strError));
  EXPECT_EQ(strRefused + ": line 3: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run is not below "
                         "HKEY_LOCAL_MACHINE\\Software\\Tarnwick\\Quilbar2\\Settings\r\n",
            strError);
  EXPECT_EQ((std::vector<std::string>{"Default", "Line1"}), storedProfiles());
  EXPECT_EQ(std::vector<std::string>{"Quilbar_Line1"}, runValues());
  DeleteFileA(strFile.c_str());
  DeleteFileA(strRefused.c_str());
}

TEST_F(ProgramTest, TwoInstancesWithTwoProfilesReadTwoPorts)
{
  {
    QuilbarProfileStore store;
    setFormat(addProfile(store, "Line1", "COM1", "L1^M"), "\"1:\" + Input() + \"<cr>\"");
    setFormat(addProfile(store, "Line3", "COM3", "L3^M"), "\"3:\" + Input() + \"<cr>\"");
    ASSERT_TRUE(store.saveSettings());
  }
  KeyTargetProcess target("Two lines");
  std::string strWhy;
  ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
  Quilbar line1("Line1");
  Quilbar line3("Line3");
  ASSERT_TRUE(waitForInit(m_peer1, "L1\r"));
  ASSERT_TRUE(waitForInit(m_peer3, "L3\r"));
  ASSERT_TRUE(target.bringToFront());
  scan(m_peer1, "X");
  ASSERT_TRUE(target.waitForText("1:X\r\n")) << target.text();
  scan(m_peer3, "Y");
  ASSERT_TRUE(target.waitForText("1:X\r\n3:Y\r\n")) << target.text();
  scan(m_peer1, "Z");
  EXPECT_TRUE(target.waitForText("1:X\r\n3:Y\r\n1:Z\r\n")) << target.text();
}

// Text another program injects with WM_COPYDATA is cut and typed like port data, also while the
// profile has no serial port at all: nothing is dropped for want of a port.
TEST_F(ProgramTest, InjectedTextIsTypedWithOrWithoutAPort)
{
  addProfile(m_store, "Line1", "COM1", "L1^M");
  addProfile(m_store, "Desk", "LPT1", "");
  addProfile(m_store, "Kiosk", "LPT2", "").setTerminationType(kTerminationByTimeout);
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Injection target"));
  KeyTargetProcess& target = *story.pTarget;
  HWND hwndMain = story.hwndMain;
  ASSERT_TRUE(target.bringToFront());

  // The sender learns whether its text was taken.
  auto inject = [&](const std::string& strText) {
    COPYDATASTRUCT copyData = {7, static_cast<DWORD>(strText.size() + 1), const_cast<char*>(strText.c_str())};
    DWORD_PTR dwResult = 2;
    SendMessageTimeoutA(hwndMain, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData), SMTO_ABORTIFHUNG, 5000,
                        &dwResult);
    return dwResult;
  };
  EXPECT_EQ(static_cast<DWORD_PTR>(FALSE), inject(std::string(1024 * 1024, 'x') + "\r")) << "too large";
  EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), inject("INJ1\r"));
  EXPECT_TRUE(target.waitForText("INJ1\r\n")) << target.text();

  // The settings sheet's whole sequence closes the port and opens it again, OK or not: the
  // initialisation string comes out a second time once the sheet is closed with OK.
  dialogdriver::pressButton(hwndMain, IDC_MAIN_SETTINGS);
  HWND hwndSheet = dialogdriver::waitForDialog("Settings");
  ASSERT_NE(nullptr, hwndSheet) << "the settings sheet did not open";
  // F1 on a page goes to the main window's help viewer, which says that the help file is missing.
  PostMessageA(reinterpret_cast<HWND>(SendMessageA(hwndSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), kuKeyF1, 0, 0);
  dialogdriver::AnsweredBox help = dialogdriver::answerMessageBox("Quilbar");
  ASSERT_TRUE(help.fFound) << "F1 on a settings page did not reach the help viewer";
  EXPECT_NE(std::string::npos, help.strText.find("Quilbar.chm")) << help.strText;
  PostMessageA(hwndSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  EXPECT_TRUE(dialogdriver::waitForWindowGone(hwndSheet)) << "the settings sheet did not close on OK";
  EXPECT_TRUE(waitForInit(m_peer1, "L1\r")) << "the port was not opened again after the settings sheet";

  ASSERT_TRUE(dialogdriver::selectComboText(hwndMain, IDC_MAIN_PROFILE, "Desk"));
  ASSERT_TRUE(testsupport::waitUntil([&] { return textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) == "Desk"; }, 5000ms));
  ASSERT_TRUE(target.bringToFront());
  inject("NOPORT\r");
  EXPECT_TRUE(target.waitForText("INJ1\r\nNOPORT\r\n")) << target.text();

  // Another profile without a port cuts by its own rules: in time-out mode the text ends anyway.
  ASSERT_TRUE(dialogdriver::selectComboText(hwndMain, IDC_MAIN_PROFILE, "Kiosk"));
  ASSERT_TRUE(testsupport::waitUntil([&] { return textOf(GetDlgItem(hwndMain, IDC_MAIN_PROFILE)) == "Kiosk"; }, 5000ms));
  ASSERT_TRUE(target.bringToFront());
  inject("NOEND");
  EXPECT_TRUE(target.waitForText("INJ1\r\nNOPORT\r\nNOEND\r\n")) << target.text();
}

// An administrator's policy decides the port: the profile says COM3, the policy COM1, and the
// wedge reads COM1. The settings sheet shows the policy's port dimmed with the administrator's
// note; neither Cancel nor OK changes what runs, the profile keeps its own port, and profiles can
// be neither added nor deleted.
TEST_F(ProgramTest, APolicyPortWinsOverTheProfilesAndTheSheetCannotChangeIt)
{
  addProfile(m_store, "Line1", "COM3", "L1^M");
  Registry software, policy;
  ASSERT_TRUE(software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll));
  ASSERT_TRUE(software.createSubKey("Policies\\Tarnwick\\Quilbar2", policy));
  ASSERT_TRUE(policy.createKeyValue("Port", std::string("COM1")));
  ASSERT_TRUE(policy.createKeyValue("LockProfiles", static_cast<uint32_t>(1)));
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Policy target"));
  HWND hwndMain = story.hwndMain;
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwndMain, IDC_MAIN_DELETE))) << "profiles are locked";

  for (int nButton : {PSBTN_CANCEL, PSBTN_OK})
  {
    SCOPED_TRACE(nButton == PSBTN_OK ? "OK" : "Cancel");
    dialogdriver::pressButton(hwndMain, IDC_MAIN_SETTINGS);
    HWND hwndSheet = dialogdriver::waitForDialog("Settings");
    ASSERT_NE(nullptr, hwndSheet) << "the settings sheet did not open";
    HWND hwndPage = reinterpret_cast<HWND>(SendMessageA(hwndSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    EXPECT_EQ("COM1", textOf(GetDlgItem(hwndPage, IDC_COMMUNICATION_PORT)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwndPage, IDC_COMMUNICATION_PORT)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwndPage, IDC_COMMUNICATION_SPEED)));
    EXPECT_EQ("Dimmed settings are set by your administrator.", textOf(GetDlgItem(hwndPage, IDC_SETTINGS_POLICY_NOTE)));
    PostMessageA(hwndSheet, PSM_PRESSBUTTON, nButton, 0);
    EXPECT_TRUE(dialogdriver::waitForWindowGone(hwndSheet));
    EXPECT_TRUE(waitForInit(m_peer1, "L1\r")) << "the policy's port was not opened again";
  }
  ASSERT_TRUE(story.pTarget->bringToFront());
  scan(m_peer1, "POLICY1");
  EXPECT_TRUE(story.pTarget->waitForText("POLICY1\r\n")) << story.pTarget->text();

  QuilbarProfileStore stored;
  std::string strError;
  ASSERT_TRUE(stored.loadSettings(strError)) << strError;
  EXPECT_EQ("COM3", stored.getProfiles().lookup("Line1")->getPort());
  std::string strPolicyPort;
  EXPECT_TRUE(policy.getKeyValue("Port", strPolicyPort) && strPolicyPort == "COM1") << strPolicyPort;
}

// The test's own window subscribes; it records what it receives.
std::vector<std::string> g_rgstrReceived;

LRESULT CALLBACK subscriberProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_COPYDATA)
  {
    auto* pCopyData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    g_rgstrReceived.emplace_back(static_cast<const char*>(pCopyData->lpData), pCopyData->cbData);
    return TRUE;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

// A subscriber takes the string and nothing is typed. Once it stops answering (its thread pumps
// no messages), the next string is reported as not delivered, and still not typed.
TEST_F(ProgramTest, ASubscriberGetsTheStringAndNothingIsTyped)
{
  StoryLog log;
  QuilbarProfile& profile = addProfile(m_store, "Line1", "COM1", "L1^M");
  profile.setLogging(1);
  profile.setLogFilename(log.path());
  WNDCLASSA wc = {};
  wc.lpfnWndProc = subscriberProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuilbarTestSubscriber";
  RegisterClassA(&wc);
  HWND hwndSubscriber = CreateWindowExA(0, wc.lpszClassName, "Test subscriber", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                        nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, hwndSubscriber);
  g_rgstrReceived.clear();
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Subscriber story"));
  KeyTargetProcess& target = *story.pTarget;
  HWND hwndMain = story.hwndMain;
  // A new monitor is told the program and the profile that runs, then every event.
  TestMonitor monitor;
  ASSERT_TRUE(monitor.isReady());
  monitor.subscribeTo(hwndMain);
  ASSERT_TRUE(monitor.waitForEvent("Connected", 10000ms));
  EXPECT_NE(std::string::npos, monitor.texts()[0].find("\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = Line1"))
      << monitor.texts()[0];
  PostMessageA(hwndMain, RegisterWindowMessageA("Quilbar32.Subscribe"), 0, reinterpret_cast<LPARAM>(hwndSubscriber));
  ASSERT_TRUE(target.bringToFront());
  scan(m_peer1, "SUB1");
  EXPECT_TRUE(dialogdriver::waitPumping([] { return !g_rgstrReceived.empty(); }, 10000ms)) << "nothing was delivered";
  ASSERT_EQ(1u, g_rgstrReceived.size());
  EXPECT_EQ(std::string("SUB1\r\0", 6), g_rgstrReceived[0]);
  // Typing would have been done by now; the target stays empty.
  dialogdriver::waitPumping([] { return false; }, 300ms);
  EXPECT_EQ("", target.text());
  EXPECT_TRUE(monitor.waitForEvent("Subscriber Output", 10000ms)) << "the monitor was not sent the string's event";

  scan(m_peer1, "SUB2");
  EXPECT_TRUE(log.waitFor("Subscriber Output Not Delivered: Not Delivered = no subscriber took the data"))
      << log.text();
  EXPECT_EQ("", target.text());
  DestroyWindow(hwndSubscriber);
}
// A subscriber switched keyboard output off: the scan is not typed, and the event log says why
// and which window was in front. Switched on again, the next scan is typed, and the profile's
// typing rule for that window types the group separator as its text and the e-acute the key map
// has no recipe for.
TEST_F(ProgramTest, AScanThatIsNotTypedIsLoggedWithTheReasonAndTheWindowInFront)
{
  StoryLog log;
  QuilbarProfile& profile = addProfile(m_store, "Line1", "COM1", "L1^M");
  profile.setLogging(1);
  profile.setLogFilename(log.path());
  TypingRule rule;
  rule.setTitle("Refusal target");
  rule.setControlMethod(TypingRule::kControlText);
  rule.setControlText("|");
  profile.getTypingRules().setRules({rule});
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Refusal target"));
  KeyTargetProcess& target = *story.pTarget;
  HWND hwndMain = story.hwndMain;
  ASSERT_TRUE(target.bringToFront());

  PostMessageA(hwndMain, RegisterWindowMessageA("Quilbar32.NoKeyboardEvents"), 0, 0);
  scan(m_peer1, "OFF1");
  EXPECT_TRUE(log.waitFor("Not Typed = keyboard output switched off")) << log.text();
  EXPECT_NE(std::string::npos, log.text().find("Current Window's Title = Refusal target")) << log.text();
  EXPECT_EQ("", target.text());

  PostMessageA(hwndMain, RegisterWindowMessageA("Quilbar32.KeyboardEvents"), 0, 0);
  scan(m_peer1, "ON1");
  EXPECT_TRUE(target.waitForText("ON1\r\n")) << target.text();
  scan(m_peer1, "G\x1DS\xE9");
  EXPECT_TRUE(target.waitForText("ON1\r\nG|S\xE9\r\n")) << target.text();
}

// The output window lock with holding on: a scan read while another window is in front waits,
// reaches neither window, and is typed into the locked window once that comes to the front.
TEST_F(ProgramTest, AScanHeldForTheLockedWindowIsTypedWhenItComesToTheFront)
{
  StoryLog log;
  QuilbarProfile& profile = addProfile(m_store, "Line1", "COM1", "L1^M");
  profile.setLockOutputWindow(1);
  profile.setTitles(TextList{"Hold target"});
  profile.setHoldForLockedWindow(1);
  profile.setHoldTimeLimit(60);
  profile.setLogging(1);
  profile.setLogFilename(log.path());
  KeyTargetProcess other("Other window");
  std::string strWhy;
  ASSERT_TRUE(other.isReady(strWhy)) << strWhy;
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Hold target"));
  KeyTargetProcess& locked = *story.pTarget;

  ASSERT_TRUE(other.bringToFront());
  announceForeground(other.window());
  scan(m_peer1, "HELD1");
  ASSERT_TRUE(log.waitFor("Data Held For Locked Window")) << log.text();
  EXPECT_NE(std::string::npos, log.text().find("Current Window's Title = Other window")) << log.text();

  ASSERT_TRUE(locked.bringToFront());
  announceForeground(locked.window());
  EXPECT_TRUE(locked.waitForText("HELD1\r\n")) << locked.text();
  EXPECT_EQ("", other.text());
  // Once in front, the next scan goes straight through.
  scan(m_peer1, "DIRECT2");
  EXPECT_TRUE(locked.waitForText("HELD1\r\nDIRECT2\r\n")) << locked.text();

  // A string still held when the program is unloaded does not vanish without a word.
  ASSERT_TRUE(other.bringToFront());
  announceForeground(other.window());
  scan(m_peer1, "HELD3");
  ASSERT_TRUE(log.waitFor("Input String = HELD3")) << log.text();
  PostMessageA(story.hwndMain, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(story.pQuilbar->waitForExit(20000ms)) << "Unload did not end the program";
  std::string strLog = log.text();
  size_t nDropped = strLog.find("Held Data Dropped");
  ASSERT_NE(std::string::npos, nDropped) << strLog;
  EXPECT_NE(std::string::npos, strLog.find("Input String = HELD3", nDropped)) << strLog;
}
// A USB-serial adapter pulled out and plugged back in: the wedge notices, says so, keeps trying
// without a message box, and reads again once the device is back, with its initialisation string
// sent anew. A resume from sleep opens the port afresh the same way.
TEST_F(ProgramTest, APulledAdapterIsOpenedAgainByItselfAndAResumeOpensThePortAfresh)
{
  VirtualCable cable("COM2");
  if (!cable.available())
    GTEST_SKIP() << "needs the Wine harness, which pulls the virtual cable";
  StoryLog log;
  QuilbarProfile& profile = addProfile(m_store, "Line1", "COM1", "L1^M");
  profile.setLogging(1);
  profile.setLogFilename(log.path());
  Story story;
  ASSERT_NO_FATAL_FAILURE(startStory(story, "Replug target"));
  KeyTargetProcess& target = *story.pTarget;
  Quilbar& quilbar = *story.pQuilbar;
  HWND hwndMain = story.hwndMain;
  TestMonitor monitor;
  ASSERT_TRUE(monitor.isReady());
  monitor.subscribeTo(hwndMain);
  ASSERT_TRUE(monitor.waitForEvent("Connected", 10000ms));
  ASSERT_TRUE(target.bringToFront());
  scan(m_peer1, "BEFORE");
  ASSERT_TRUE(target.waitForText("BEFORE\r\n")) << target.text();

  ASSERT_TRUE(cable.unplug()) << "the virtual cable could not be pulled";
  ASSERT_TRUE(log.waitFor("Serial Port Gone")) << log.text();
  // The communication thread's own event reaches the monitors too, through the window's thread.
  EXPECT_TRUE(monitor.waitForEvent("Serial Port Error", 10000ms)) << log.text();
  EXPECT_NE(std::string::npos, log.text().find("Port = COM1")) << log.text();
  // The device stays away for more than one try; no try may stop the program with a box.
  dialogdriver::waitPumping([] { return false; }, std::chrono::milliseconds(2 * 2000 + 500));
  EXPECT_EQ(nullptr, dialogdriver::findWindow("Quilbar", "#32770")) << "a failed try showed a message box";
  EXPECT_TRUE(quilbar.isRunning());

  ASSERT_TRUE(cable.plug()) << "the virtual cable could not be plugged back";
  {
    PeerPort peer("\\\\.\\COM2");
    ASSERT_TRUE(peer.isOpen());
    EXPECT_TRUE(waitForInit(peer, "L1\r")) << "the port was not opened again: " << log.text();
    EXPECT_TRUE(log.waitFor("Serial Port Back")) << log.text();
    ASSERT_TRUE(target.bringToFront());
    scan(peer, "AFTER");
    EXPECT_TRUE(target.waitForText("BEFORE\r\nAFTER\r\n")) << target.text();

    PostMessageA(hwndMain, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(waitForInit(peer, "L1\r")) << "the resume did not open the port afresh";
    EXPECT_TRUE(log.waitFor("Serial Port Checked After Resume")) << log.text();
    scan(peer, "RESUMED");
    EXPECT_TRUE(target.waitForText("BEFORE\r\nAFTER\r\nRESUMED\r\n")) << target.text();

    // A failure report about the port of an earlier opening (or one another program posts), a
    // retry tick with no retry armed and a second start-up message leave the open port alone.
    PostMessageA(hwndMain, WM_APP + 101, ERROR_GEN_FAILURE, 1);
    PostMessageA(hwndMain, WM_TIMER, 1, 0);
    PostMessageA(hwndMain, RegisterWindowMessageA("Quilbar32.Startup"), 0, 0);
    EXPECT_EQ("", peer.read(3, 3000ms)) << "the port was closed or opened again";
    scan(peer, "STILL");
    EXPECT_TRUE(target.waitForText("BEFORE\r\nAFTER\r\nRESUMED\r\nSTILL\r\n")) << target.text();
    std::string strLog = log.text();
    EXPECT_EQ(strLog.find("Serial Port Gone: Port"), strLog.rfind("Serial Port Gone: Port")) << strLog;
  }
  EXPECT_EQ(nullptr, dialogdriver::findWindow("Quilbar", "#32770"));
}
}  // namespace
