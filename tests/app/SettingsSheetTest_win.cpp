// The real settings sheet and its dialogs under Wine, driven as a user would through their
// controls: what reaches the profile and the registry after OK and after Cancel, the page rules,
// the password dialogs and check, and the small dialogs the pages open.
#include "DialogDriver_win.h"
#include "ProfileDump.h"
#include "ScratchKey.h"
#include "SettingsSheetTestSupport_win.h"
#include "dataedit/DataEditingOpeners_win.h"
#include "sheet/PasswordForm.h"
#include "app/ResourceIds.h"
#include "sheet/SettingsDialogs_win.h"
#include "sheet/SettingsSheet_win.h"
#include "engine/GS1Normaliser.h"
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsPassword.h"
#include "settings/SystemPasswordKdf_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

using namespace dialogdriver;
using namespace sheetdriver;

namespace
{
const char kszQuilbar[] = "Quilbar";

std::string fileText(const std::string& strPath)
{
  std::ifstream file(strPath, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A file name in the test's temporary folder, absent at first.
std::string tempFile(const char* pszName)
{
  char szFolder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, szFolder);
  std::string strPath = std::string(szFolder) + pszName;
  DeleteFileA(strPath.c_str());
  return strPath;
}

// Plays the main window's part around the sheet (Part of the program's own code): the settings
// live in a private registry tree; OK takes the page and the password and saves everything.
class SettingsInRegistry
{
public:
  explicit SettingsInRegistry(const std::string& strName)
      : m_scratch(strName), m_pStore(std::make_unique<QuilbarProfileStore>(m_scratch.path()))
  {
    std::string strError;
    EXPECT_TRUE(m_pStore->loadSettings(strError)) << strError;
  }

  QuilbarProfileStore& store() { return *m_pStore; }
  QuilbarProfile& current() { return *m_pStore->getCurrentProfile(); }

  // What a fresh start of the program would read.
  std::unique_ptr<QuilbarProfileStore> reloaded()
  {
    auto pStore = std::make_unique<QuilbarProfileStore>(m_scratch.path());
    std::string strError;
    EXPECT_TRUE(pStore->loadSettings(strError)) << strError;
    return pStore;
  }

  void takeOutcome(const SettingsSheetOutcome& outcome, const QuilbarProfile& profileCopy)
  {
    if (!outcome.fOk)
      return;
    current() = profileCopy;
    m_pStore->setSettingsPage(outcome.nActivePage);
    m_pStore->setPassword(outcome.strPassword);
    EXPECT_TRUE(m_pStore->saveSettings());
  }

private:
  ScratchKey m_scratch;
  std::unique_ptr<QuilbarProfileStore> m_pStore;
};

// The sheet through the program's seam, on a thread of its own.
class SheetOnProfile
{
public:
  SheetOnProfile(const QuilbarProfile& profile, unsigned nStartPage, const std::string& strPassword = "")
      : m_profile(profile),
        m_run([this, nStartPage, strPassword] { m_outcome = runSettingsSheet(nullptr, m_profile, nStartPage, strPassword); })
  {
  }

  HWND sheet()
  {
    HWND hwndSheet = waitForSheet();
    EXPECT_NE(nullptr, hwndSheet) << "waited for the \"Settings\" sheet";
    return hwndSheet;
  }

  // Presses OK (or Cancel) on the sheet and waits for it to close.
  bool close(HWND hwndSheet, int nButton)
  {
    pressButton(hwndSheet, nButton);
    return m_run.waitDone();
  }

  const QuilbarProfile& profile() const { return m_profile; }
  const SettingsSheetOutcome& outcome() const { return m_outcome; }

private:
  QuilbarProfile m_profile;
  SettingsSheetOutcome m_outcome;
  ModalRun m_run;
};

HWND pageOf(HWND hwndSheet)
{
  return currentPage(hwndSheet);
}

bool waitChecked(HWND hwndPage, int nId, bool fChecked)
{
  return waitUntil([&] { return isChecked(hwndPage, nId) == fChecked; });
}

bool waitEnabled(HWND hwndPage, int nId, bool fEnabled)
{
  return waitUntil([&] { return isItemEnabled(hwndPage, nId) == fEnabled; });
}

bool waitText(HWND hwndDialog, int nId, const std::string& strText)
{
  return waitUntil([&] { return itemText(hwndDialog, nId) == strText; });
}
}  // namespace

class SettingsSheetTest : public ::testing::Test
{
protected:
  static void SetUpTestSuite()
  {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

TEST_F(SettingsSheetTest, CancelAfterChangingPortAndPasswordChangesNothingInMemoryOrRegistry)
{
  SettingsInRegistry settings(currentTestKeyName());
  settings.store().setPassword("Old1");
  ASSERT_TRUE(settings.store().saveSettings());
  const std::string strBefore = dumpProfile(settings.current());
  {
    SheetOnProfile run(settings.current(), 0, settings.store().getPassword());
    HWND hwndSheet = run.sheet();
    ASSERT_NE(nullptr, hwndSheet);
    HWND hwndPage = pageOf(hwndSheet);
    ASSERT_EQ("COM1", itemText(hwndPage, IDC_COMMUNICATION_PORT));
    setItemText(hwndPage, IDC_COMMUNICATION_PORT, "COM9");

    HWND hwndWindowPage = goToPage(hwndSheet, 2);
    ASSERT_NE(nullptr, hwndWindowPage) << "waited for the Window page";
    pressButton(hwndWindowPage, IDC_WINDOW_SET_PASSWORD);
    HWND hwndPassword = waitForDialog("Set Password");
    ASSERT_NE(nullptr, hwndPassword) << "waited for \"Set Password\"";
    setItemText(hwndPassword, IDC_PASSWORD_TEXT, "New1");
    pressButton(hwndPassword, IDOK);
    AnsweredBox box = answerMessageBox(kszQuilbar);
    ASSERT_TRUE(box.fFound) << "waited for the protection message";
    EXPECT_EQ("Password protection is active.", box.strText);

    ASSERT_TRUE(run.close(hwndSheet, IDCANCEL)) << "the sheet did not close on Cancel";
    EXPECT_FALSE(run.outcome().fOk);
    EXPECT_EQ(strBefore, dumpProfile(run.profile())) << "the profile given to the sheet changed";
    settings.takeOutcome(run.outcome(), run.profile());
  }
  EXPECT_EQ(strBefore, dumpProfile(settings.current()));
  std::unique_ptr<QuilbarProfileStore> pReloaded = settings.reloaded();
  EXPECT_EQ("COM1", pReloaded->getCurrentProfile()->getPort());
  EXPECT_EQ("Old1", pReloaded->getPassword());
}

TEST_F(SettingsSheetTest, OkOnTheLogPageStoresItAndTheNextOpeningStartsThere)
{
  SettingsInRegistry settings(currentTestKeyName());
  std::string strLogFile = tempFile("quilbar-settings-test.log");
  {
    SheetOnProfile run(settings.current(), 0);
    HWND hwndSheet = run.sheet();
    ASSERT_NE(nullptr, hwndSheet);
    HWND hwndLog = goToPage(hwndSheet, 4);
    ASSERT_NE(nullptr, hwndLog) << "waited for the Log page";
    setItemText(hwndLog, IDC_LOG_FILENAME, strLogFile);
    clickCheck(hwndLog, IDC_LOG_ENABLE);
    ASSERT_TRUE(waitChecked(hwndLog, IDC_LOG_ENABLE, true));
    ASSERT_TRUE(run.close(hwndSheet, IDOK)) << "the sheet did not close on OK";
    ASSERT_TRUE(run.outcome().fOk);
    EXPECT_EQ(4u, run.outcome().nActivePage);
    EXPECT_EQ(strLogFile, run.profile().getLogFilename());
    EXPECT_EQ(1u, run.profile().getLogging());
    settings.takeOutcome(run.outcome(), run.profile());
  }
  std::string strLog = fileText(strLogFile);
  EXPECT_NE(std::string::npos, strLog.find(" New log filename set.\r\n")) << strLog;

  std::unique_ptr<QuilbarProfileStore> pReloaded = settings.reloaded();
  EXPECT_EQ(4u, pReloaded->getSettingsPage());
  EXPECT_EQ(strLogFile, pReloaded->getCurrentProfile()->getLogFilename());
  SheetOnProfile again(*pReloaded->getCurrentProfile(), pReloaded->getSettingsPage());
  HWND hwndSheet = again.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  EXPECT_EQ(4, currentPageIndex(hwndSheet));
  EXPECT_EQ(strLogFile, itemText(pageOf(hwndSheet), IDC_LOG_FILENAME));
  EXPECT_TRUE(isChecked(pageOf(hwndSheet), IDC_LOG_ENABLE));
  EXPECT_TRUE(again.close(hwndSheet, IDCANCEL));
  DeleteFileA(strLogFile.c_str());
}

TEST_F(SettingsSheetTest, LogPageRefusesToBeLeftForAFileThatCannotBeCreated)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 4);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndLog = pageOf(hwndSheet);
  setItemText(hwndLog, IDC_LOG_FILENAME, "C:\\no-such-folder-here\\quilbar.log");
  selectPage(hwndSheet, 0);
  AnsweredBox box = answerMessageBox(kszQuilbar);
  ASSERT_TRUE(box.fFound) << "waited for the log file message";
  EXPECT_EQ("Unable to create log file.", box.strText);
  EXPECT_EQ(4, currentPageIndex(hwndSheet)) << "the page must stay";

  pressButton(hwndSheet, IDOK);
  box = answerMessageBox(kszQuilbar);
  ASSERT_TRUE(box.fFound) << "OK must be refused by the page too";
  EXPECT_TRUE(IsWindowVisible(hwndSheet)) << "the sheet stays open";
  ASSERT_TRUE(run.close(hwndSheet, IDCANCEL));
  EXPECT_FALSE(run.outcome().fOk);
  EXPECT_EQ("", run.profile().getLogFilename());
}

TEST_F(SettingsSheetTest, EmptyTitleListShowsTheLockClearedAndStoresItOff)
{
  QuilbarProfile profile;
  profile.setLockOutputWindow(1);
  SheetOnProfile run(profile, 2);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  EXPECT_FALSE(isChecked(hwndPage, IDC_WINDOW_LOCK));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_WINDOW_SETUP));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_WINDOW_HOLD));
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  ASSERT_TRUE(run.outcome().fOk);
  EXPECT_EQ(0u, run.profile().getLockOutputWindow());
}

TEST_F(SettingsSheetTest, LockTitlesAreEditedInTheirDialogAndAnEmptiedListClearsTheLock)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 2);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  clickCheck(hwndPage, IDC_WINDOW_LOCK);
  ASSERT_TRUE(waitEnabled(hwndPage, IDC_WINDOW_SETUP, true)) << "Setup follows the lock tick box";
  EXPECT_TRUE(waitEnabled(hwndPage, IDC_WINDOW_HOLD, true)) << "the hold follows the lock tick box";
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_WINDOW_HOLD_TIME));
  clickCheck(hwndPage, IDC_WINDOW_HOLD);
  ASSERT_TRUE(waitEnabled(hwndPage, IDC_WINDOW_HOLD_UNIT, true)) << "the time limit follows the hold tick box";
  EXPECT_TRUE(isItemEnabled(hwndPage, IDC_WINDOW_HOLD_TIME));
  EXPECT_EQ("30", itemText(hwndPage, IDC_WINDOW_HOLD_TIME));
  setItemText(hwndPage, IDC_WINDOW_HOLD_TIME, "45");

  pressButton(hwndPage, IDC_WINDOW_SETUP);
  HWND hwndLock = waitForDialog("Lock Output Window");
  ASSERT_NE(nullptr, hwndLock) << "waited for \"Lock Output Window\"";
  for (const char* pszTitle : {"Notepad", "notepad", "*Word", "Doc?"})
  {
    setItemText(hwndLock, IDC_LOCKWINDOW_TITLES, pszTitle);
    pressButton(hwndLock, IDC_LOCKWINDOW_ADD);
    ASSERT_TRUE(waitText(hwndLock, IDC_LOCKWINDOW_TITLES, "")) << "Add empties the field";
  }
  ASSERT_TRUE(waitUntil([&] { return comboLines(hwndLock, IDC_LOCKWINDOW_TITLES).size() == 3; }));
  EXPECT_EQ((std::vector<std::string>{"*Word", "Doc?", "Notepad"}), comboLines(hwndLock, IDC_LOCKWINDOW_TITLES));
  pressButton(hwndLock, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndLock)) << "OK with an empty field closes";
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  ASSERT_TRUE(run.outcome().fOk);
  EXPECT_EQ((TextList{"*Word", "Doc?", "Notepad"}), run.profile().getTitles());
  EXPECT_EQ(1u, run.profile().getLockOutputWindow());
  EXPECT_EQ(1u, run.profile().getHoldForLockedWindow());
  EXPECT_EQ(45u, run.profile().getHoldTimeLimit());

  SheetOnProfile second(run.profile(), 2);
  hwndSheet = second.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  hwndPage = pageOf(hwndSheet);
  pressButton(hwndPage, IDC_WINDOW_SETUP);
  hwndLock = waitForDialog("Lock Output Window");
  ASSERT_NE(nullptr, hwndLock);
  SendMessageA(GetDlgItem(hwndLock, IDC_LOCKWINDOW_TITLES), CB_SETCURSEL, 2, 0);
  pressButton(hwndLock, IDC_LOCKWINDOW_REMOVE);
  ASSERT_TRUE(waitUntil([&] { return comboLines(hwndLock, IDC_LOCKWINDOW_TITLES).size() == 2; }));
  EXPECT_EQ(1, SendMessageA(GetDlgItem(hwndLock, IDC_LOCKWINDOW_TITLES), CB_GETCURSEL, 0, 0))
      << "the new last entry is selected";
  EXPECT_EQ("", itemText(hwndLock, IDC_LOCKWINDOW_TITLES));
  for (int i = 0; i < 2; ++i)
  {
    SendMessageA(GetDlgItem(hwndLock, IDC_LOCKWINDOW_TITLES), CB_SETCURSEL, 0, 0);
    pressButton(hwndLock, IDC_LOCKWINDOW_REMOVE);
    ASSERT_TRUE(waitUntil([&] { return comboLines(hwndLock, IDC_LOCKWINDOW_TITLES).size() == static_cast<size_t>(1 - i); }));
  }
  pressButton(hwndLock, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndLock));
  EXPECT_TRUE(waitChecked(hwndPage, IDC_WINDOW_LOCK, false)) << "an emptied list clears the lock";
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_WINDOW_SETUP));
  ASSERT_TRUE(second.close(hwndSheet, IDOK));
  EXPECT_EQ(0u, second.profile().getLockOutputWindow());
  EXPECT_TRUE(second.profile().getTitles().empty());
}

TEST_F(SettingsSheetTest, TimeoutTerminationDisablesTheTerminatorAtOnce)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 5);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  EXPECT_TRUE(isItemEnabled(hwndPage, IDC_DATAEDITING_TERMINATOR));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_DATAEDITING_TIMEOUT));
  clickCheck(hwndPage, IDC_DATAEDITING_BY_TIMEOUT);
  // The page applies the rule in one handler; the last control it changes is the unit label.
  ASSERT_TRUE(waitEnabled(hwndPage, IDC_DATAEDITING_TIMEOUT_UNIT, true)) << "the click was not handled";
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_DATAEDITING_TERMINATOR));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_DATAEDITING_SELECT));
  EXPECT_TRUE(isItemEnabled(hwndPage, IDC_DATAEDITING_TIMEOUT));
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ(1u, run.profile().getTerminationType());
}

// The GS1 boxes show their bits and OK stores what was ticked.
TEST_F(SettingsSheetTest, GS1FormBoxesShowAndStoreTheirBits)
{
  QuilbarProfile profile;
  profile.setGS1InputForms(GS1Normaliser::kBracketedForm);
  SheetOnProfile run(profile, 5);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  EXPECT_TRUE(waitChecked(hwndPage, IDC_DATAEDITING_GS1_BRACKETED, true));
  EXPECT_FALSE(isChecked(hwndPage, IDC_DATAEDITING_GS1_SYMBOLOGY));
  clickCheck(hwndPage, IDC_DATAEDITING_GS1_DIGITAL_LINK);
  clickCheck(hwndPage, IDC_DATAEDITING_GS1_SYMBOLOGY);
  ASSERT_TRUE(waitChecked(hwndPage, IDC_DATAEDITING_GS1_SYMBOLOGY, true)) << "the click was not handled";
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ(7u, run.profile().getGS1InputForms());
}

TEST_F(SettingsSheetTest, TerminatorRow13GivesTheNotationOfACarriageReturn)
{
  QuilbarProfile profile;
  profile.setDataStringTerminator("ETX");
  SheetOnProfile run(profile, 5);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  pressButton(hwndPage, IDC_DATAEDITING_SELECT);
  HWND hwndSelect = waitForDialog("Select Data String Terminator");
  ASSERT_NE(nullptr, hwndSelect) << "waited for the terminator dialog";
  std::vector<std::string> rgstrRows = listLines(hwndSelect, IDC_TERMINATOR_LIST);
  ASSERT_EQ(255u, rgstrRows.size());
  EXPECT_EQ("<CR>\t13\t0x0d", rgstrRows[12]);
  EXPECT_EQ(LB_ERR, listSelection(hwndSelect, IDC_TERMINATOR_LIST)) << "a three-byte terminator selects no row";
  ASSERT_TRUE(selectListIndex(hwndSelect, IDC_TERMINATOR_LIST, 12));
  pressButton(hwndSelect, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndSelect));
  EXPECT_TRUE(waitText(hwndPage, IDC_DATAEDITING_TERMINATOR, "<CR>"));

  pressButton(hwndPage, IDC_DATAEDITING_SELECT);
  hwndSelect = waitForDialog("Select Data String Terminator");
  ASSERT_NE(nullptr, hwndSelect);
  EXPECT_EQ(12, listSelection(hwndSelect, IDC_TERMINATOR_LIST)) << "a one-byte terminator selects its row";
  ASSERT_TRUE(selectListIndex(hwndSelect, IDC_TERMINATOR_LIST, 2));
  pressButton(hwndSelect, IDCANCEL);
  ASSERT_TRUE(waitForWindowGone(hwndSelect));
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ("<CR>", run.profile().getDataStringTerminator()) << "Cancel in the dialog keeps the terminator";
}

TEST_F(SettingsSheetTest, PasswordFieldRefusesThe31stCharacterAndTheSheetHandsBackAHash)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 2);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  pressButton(pageOf(hwndSheet), IDC_WINDOW_SET_PASSWORD);
  HWND hwndPassword = waitForDialog("Set Password");
  ASSERT_NE(nullptr, hwndPassword);
  const std::string str31 = "Abcdefghij0123456789klmnopqrsT!";
  ASSERT_EQ(31u, str31.size());
  typeChars(hwndPassword, IDC_PASSWORD_TEXT, str31);
  EXPECT_EQ(str31.substr(0, 30), itemText(hwndPassword, IDC_PASSWORD_TEXT));
  EXPECT_NE(0, SendMessageA(GetDlgItem(hwndPassword, IDC_PASSWORD_TEXT), EM_GETPASSWORDCHAR, 0, 0))
      << "the typed characters are hidden";
  pressButton(hwndPassword, IDOK);
  AnsweredBox box = answerMessageBox(kszQuilbar);
  EXPECT_EQ("Password protection is active.", box.strText);
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  ASSERT_TRUE(run.outcome().fOk);

  const std::string& strStored = run.outcome().strPassword;
  EXPECT_EQ(SettingsPassword::Form::Hashed, SettingsPassword::parse(strStored).form) << strStored;
  EXPECT_EQ(std::string::npos, strStored.find(str31.substr(0, 30)));
  SystemPasswordKdf kdf;
  EXPECT_TRUE(SettingsPassword::matches(strStored, str31.substr(0, 30), kdf));
}

TEST_F(SettingsSheetTest, EmptyPasswordRemovesProtection)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 2, "Old1");
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  pressButton(pageOf(hwndSheet), IDC_WINDOW_SET_PASSWORD);
  HWND hwndPassword = waitForDialog("Set Password");
  ASSERT_NE(nullptr, hwndPassword);
  pressButton(hwndPassword, IDOK);
  EXPECT_EQ("Password protection is NOT active.", answerMessageBox(kszQuilbar).strText);
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ("", run.outcome().strPassword);
}

// The check before the sheet opens and before the program unloads.
class PasswordCheckTest : public SettingsSheetTest
{
protected:
  // Runs the check, types the text (or cancels) and returns its result, with the message shown.
  bool check(const std::string& strStored, const char* pszTyped, std::string& strMessage)
  {
    bool fResult = false;
    ModalRun run([&] { fResult = checkSettingsPassword(nullptr, strStored); });
    HWND hwndEnter = waitForDialog("Enter Password");
    EXPECT_NE(nullptr, hwndEnter) << "waited for \"Enter Password\"";
    if (hwndEnter == nullptr)
      return false;
    EXPECT_EQ(PasswordForm::kcchMaxPassword, SendMessageA(GetDlgItem(hwndEnter, IDC_PASSWORD_TEXT), EM_GETLIMITTEXT, 0, 0));
    if (pszTyped == nullptr)
      pressButton(hwndEnter, IDCANCEL);
    else
    {
      setItemText(hwndEnter, IDC_PASSWORD_TEXT, pszTyped);
      pressButton(hwndEnter, IDOK);
    }
    // Either the check ends at once or it says why it refused.
    strMessage.clear();
    EXPECT_TRUE(waitUntil([&] { return run.isDone() || findWindow(kszQuilbar, "#32770") != nullptr; }));
    if (!run.isDone())
      strMessage = answerMessageBox(kszQuilbar).strText;
    EXPECT_TRUE(run.waitDone());
    return fResult;
  }
};

TEST_F(PasswordCheckTest, NoPasswordPassesWithoutAsking)
{
  EXPECT_TRUE(checkSettingsPassword(nullptr, ""));
}

TEST_F(PasswordCheckTest, PlainAndHashedPasswordsOpenOnlyForTheirExactText)
{
  SystemPasswordKdf kdf;
  std::string strHashed;
  ASSERT_TRUE(SettingsPassword::makeStored("Secret1", kdf, strHashed));
  for (const std::string& strStored : {std::string("Secret1"), strHashed})
  {
    SCOPED_TRACE(strStored);
    std::string strMessage;
    EXPECT_TRUE(check(strStored, "Secret1", strMessage));
    EXPECT_EQ("", strMessage);
    EXPECT_FALSE(check(strStored, "secret1", strMessage)) << "letter case counts";
    EXPECT_EQ("Invalid password", strMessage);
    EXPECT_FALSE(check(strStored, nullptr, strMessage));
    EXPECT_EQ("", strMessage) << "Cancel says nothing";
  }
}

TEST_F(SettingsSheetTest, PagesNeverActivatedWriteNothing)
{
  QuilbarProfile profile;
  profile.setAutoStart(2);
  profile.setSendPreAndPostfixKeys(7);
  profile.setHideWindow(5);
  SheetOnProfile run(profile, 0);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  ASSERT_TRUE(run.outcome().fOk);
  EXPECT_EQ(0u, run.outcome().nActivePage);
  EXPECT_EQ(2u, run.profile().getAutoStart());
  EXPECT_EQ(7u, run.profile().getSendPreAndPostfixKeys());
  EXPECT_EQ(5u, run.profile().getHideWindow());
  EXPECT_EQ(dumpProfile(profile), dumpProfile(run.profile()));
}

TEST_F(SettingsSheetTest, CommunicationPageDefaultsFilterAndPinEvents)
{
  QuilbarProfile profile;
  profile.setPort("COM4");
  profile.setSpeed("300");
  profile.setParity("Even");
  profile.setDTR(0);
  SheetOnProfile run(profile, 0);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = pageOf(hwndSheet);
  EXPECT_EQ(256u, comboLines(hwndPage, IDC_COMMUNICATION_PORT).size());
  EXPECT_EQ("300", itemText(hwndPage, IDC_COMMUNICATION_SPEED));
  EXPECT_TRUE(isChecked(hwndPage, IDC_COMMUNICATION_DTR_LOW));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_COMMUNICATION_FILTER_TIME));
  clickCheck(hwndPage, IDC_COMMUNICATION_DUPLICATE_FILTER);
  ASSERT_TRUE(waitEnabled(hwndPage, IDC_COMMUNICATION_FILTER_UNIT, true)) << "the filter time follows its tick box";
  EXPECT_TRUE(isItemEnabled(hwndPage, IDC_COMMUNICATION_FILTER_TIME));
  setItemText(hwndPage, IDC_COMMUNICATION_FILTER_TIME, "750");

  pressButton(hwndPage, IDC_COMMUNICATION_PIN_EVENTS);
  HWND hwndPins = waitForDialog("Hardware Pin Events");
  ASSERT_NE(nullptr, hwndPins) << "waited for \"Hardware Pin Events\"";
  clickCheck(hwndPins, IDC_PINEVENTS_CTS_HIGH);
  clickCheck(hwndPins, IDC_PINEVENTS_DCD_LOW);
  ASSERT_TRUE(waitChecked(hwndPins, IDC_PINEVENTS_DCD_LOW, true));
  pressButton(hwndPins, IDCANCEL);
  ASSERT_TRUE(waitForWindowGone(hwndPins));
  pressButton(hwndPage, IDC_COMMUNICATION_PIN_EVENTS);
  hwndPins = waitForDialog("Hardware Pin Events");
  ASSERT_NE(nullptr, hwndPins);
  EXPECT_FALSE(isChecked(hwndPins, IDC_PINEVENTS_CTS_HIGH)) << "Cancel kept the pin events";
  clickCheck(hwndPins, IDC_PINEVENTS_RI_LOW);
  ASSERT_TRUE(waitChecked(hwndPins, IDC_PINEVENTS_RI_LOW, true));
  pressButton(hwndPins, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndPins));

  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ(1u, run.profile().getDuplicateStringFilter());
  EXPECT_EQ(750u, run.profile().getDuplicateFilterTime());
  EXPECT_EQ(1u, run.profile().getRILow());
  EXPECT_EQ(0u, run.profile().getCTSHigh());
  EXPECT_EQ(0u, run.profile().getDCDLow());
  EXPECT_EQ("COM4", run.profile().getPort());

  SheetOnProfile second(run.profile(), 0);
  hwndSheet = second.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  hwndPage = pageOf(hwndSheet);
  pressButton(hwndPage, IDC_COMMUNICATION_DEFAULT);
  ASSERT_TRUE(waitText(hwndPage, IDC_COMMUNICATION_PORT, "COM1")) << "Default puts the port back";
  EXPECT_EQ("9600", itemText(hwndPage, IDC_COMMUNICATION_SPEED));
  EXPECT_EQ("No parity", itemText(hwndPage, IDC_COMMUNICATION_PARITY));
  EXPECT_TRUE(isChecked(hwndPage, IDC_COMMUNICATION_DTR_HIGH));
  EXPECT_FALSE(isChecked(hwndPage, IDC_COMMUNICATION_DUPLICATE_FILTER));
  EXPECT_EQ("0", itemText(hwndPage, IDC_COMMUNICATION_FILTER_TIME));
  EXPECT_FALSE(isItemEnabled(hwndPage, IDC_COMMUNICATION_FILTER_TIME));
  ASSERT_TRUE(second.close(hwndSheet, IDOK));
  EXPECT_EQ("COM1", second.profile().getPort());
  EXPECT_EQ("No parity", second.profile().getParity());
  EXPECT_EQ(1u, second.profile().getRILow()) << "Default leaves the pin events";
}

TEST_F(SettingsSheetTest, CharacterTranslationIsEditedWithTheKeyTesterAndDefaultAsksFirst)
{
  QuilbarProfile profile;
  SheetOnProfile run(profile, 1);
  HWND hwndSheet = run.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  pressButton(pageOf(hwndSheet), IDC_KEYBOARD_CHAR_TRANS);
  HWND hwndList = waitForDialog("Character Translation");
  ASSERT_NE(nullptr, hwndList) << "waited for \"Character Translation\"";
  ASSERT_EQ(256u, listLines(hwndList, IDC_CHARTRANS_LIST).size());
  EXPECT_EQ("\t<CR>\t13\t0x0d\t13\t0x0d\tYes\tNo\tNo\tNo\tNo\tNo\tNo", listLines(hwndList, IDC_CHARTRANS_LIST)[13]);

  ASSERT_TRUE(selectListIndex(hwndList, IDC_CHARTRANS_LIST, 13));
  pressButton(hwndList, IDC_CHARTRANS_EDIT);
  HWND hwndEdit = waitForDialog("Edit Character Translation");
  ASSERT_NE(nullptr, hwndEdit) << "waited for the edit dialog";
  EXPECT_EQ("<CR>", itemText(hwndEdit, IDC_EDITCHAR_CHARACTER));
  EXPECT_EQ("13 0x0d", itemText(hwndEdit, IDC_EDITCHAR_ASCII));
  EXPECT_EQ("13", itemText(hwndEdit, IDC_EDITCHAR_KEYCODE));
  EXPECT_EQ("0x0d", itemText(hwndEdit, IDC_EDITCHAR_KEYCODE_HEX));

  PostMessageA(GetDlgItem(hwndEdit, IDC_EDITCHAR_TESTER), WM_KEYDOWN, 'A', 0x001E0001);
  ASSERT_TRUE(waitText(hwndEdit, IDC_EDITCHAR_TESTER, "dec 65 hex 0x41")) << "the tester shows the key";
  EXPECT_TRUE(waitText(hwndEdit, IDC_EDITCHAR_KEYCODE, "65"));
  EXPECT_TRUE(waitText(hwndEdit, IDC_EDITCHAR_KEYCODE_HEX, "0x41"));

  setItemText(hwndEdit, IDC_EDITCHAR_KEYCODE, "300");
  EXPECT_TRUE(waitText(hwndEdit, IDC_EDITCHAR_KEYCODE_HEX, "0x12c"));
  pressButton(hwndEdit, IDOK);
  AnsweredBox box = answerMessageBox(kszQuilbar);
  ASSERT_TRUE(box.fFound) << "waited for the key code refusal";
  EXPECT_EQ("Invalid value for key code. Valid values are 0 to 255 inclusive.", box.strText);
  EXPECT_TRUE(IsWindowVisible(hwndEdit)) << "the dialog stays open";
  setItemText(hwndEdit, IDC_EDITCHAR_KEYCODE, "9");
  clickCheck(hwndEdit, IDC_EDITCHAR_SHIFT);
  ASSERT_TRUE(waitChecked(hwndEdit, IDC_EDITCHAR_SHIFT, true));
  pressButton(hwndEdit, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndEdit));
  ASSERT_TRUE(waitUntil([&] {
    return listLines(hwndList, IDC_CHARTRANS_LIST)[13] == "*\t<CR>\t13\t0x0d\t9\t0x09\tYes\tYes\tNo\tNo\tNo\tNo\tNo";
  })) << listLines(hwndList, IDC_CHARTRANS_LIST)[13];
  EXPECT_EQ(13, listSelection(hwndList, IDC_CHARTRANS_LIST)) << "the edited line stays selected";

  pressButton(hwndList, IDC_CHARTRANS_EDIT);
  hwndEdit = waitForDialog("Edit Character Translation");
  ASSERT_NE(nullptr, hwndEdit);
  setItemText(hwndEdit, IDC_EDITCHAR_KEYCODE, "77");
  pressButton(hwndEdit, IDCANCEL);
  ASSERT_TRUE(waitForWindowGone(hwndEdit));
  EXPECT_EQ("*\t<CR>\t13\t0x0d\t9\t0x09\tYes\tYes\tNo\tNo\tNo\tNo\tNo", listLines(hwndList, IDC_CHARTRANS_LIST)[13])
      << "Cancel in the edit dialog keeps the entry";

  pressButton(hwndList, IDC_CHARTRANS_DEFAULT);
  box = answerMessageBox(kszQuilbar, IDNO);
  ASSERT_TRUE(box.fFound) << "waited for the question";
  EXPECT_EQ("Are you sure you want to revert to the default character translation table? (All customizations will be "
            "lost.)",
            box.strText);
  EXPECT_EQ('*', listLines(hwndList, IDC_CHARTRANS_LIST)[13][0]) << "No keeps the customisation";
  pressButton(hwndList, IDOK);
  ASSERT_TRUE(waitForWindowGone(hwndList));
  ASSERT_TRUE(run.close(hwndSheet, IDOK));
  EXPECT_EQ(9, run.profile().getKeyTranslatorMap().entryOf('\r').getKeyCode());
  EXPECT_TRUE(run.profile().getKeyTranslatorMap().entryOf('\r').getShift());
  EXPECT_EQ(13, profile.getKeyTranslatorMap().entryOf('\r').getKeyCode()) << "the given profile is untouched";

  SheetOnProfile second(run.profile(), 1);
  hwndSheet = second.sheet();
  ASSERT_NE(nullptr, hwndSheet);
  pressButton(pageOf(hwndSheet), IDC_KEYBOARD_CHAR_TRANS);
  hwndList = waitForDialog("Character Translation");
  ASSERT_NE(nullptr, hwndList);
  ASSERT_TRUE(selectListIndex(hwndList, IDC_CHARTRANS_LIST, 13));
  pressButton(hwndList, IDC_CHARTRANS_DEFAULT);
  ASSERT_TRUE(answerMessageBox(kszQuilbar, IDYES).fFound);
  EXPECT_TRUE(waitUntil([&] { return listLines(hwndList, IDC_CHARTRANS_LIST)[13][0] == '\t'; }))
      << "Yes brings the default table back";
  EXPECT_EQ(13, listSelection(hwndList, IDC_CHARTRANS_LIST));
  pressButton(hwndList, IDCANCEL);
  ASSERT_TRUE(waitForWindowGone(hwndList));
  ASSERT_TRUE(second.close(hwndSheet, IDOK));
  EXPECT_EQ(9, second.profile().getKeyTranslatorMap().entryOf('\r').getKeyCode()) << "Cancel in the list keeps the map";
}

// The Data Editing page's side of the data editing dialogs, with recording dialogs in their place.
class DataEditingPageTest : public SettingsSheetTest
{
protected:
  struct Seen
  {
    std::string strTerminatorAtFormats;
    std::string strTerminatorAtFormatTest;
    int nFormatsAtTest = 0;
    std::atomic<int> nReplacementsAtTest{-1};  // set last, on the sheet's thread
  };

  // Formats: adds a format to the copy and answers fOk; replacements likewise.
  DataEditingOpeners recordingOpeners(bool fOk)
  {
    DataEditingOpeners openers;
    openers.fnFormats = [this, fOk](HWND, QuilbarProfile& copy) {
      m_seen.strTerminatorAtFormats = copy.getDataStringTerminator();
      auto pFormat = std::make_unique<DataEditFormat>();
      pFormat->setName("Added");
      copy.getDataEditFormatMap().add("Added", std::move(pFormat));
      return fOk;
    };
    openers.fnReplacements = [fOk](HWND, ReplacementMap& copy) {
      auto pReplacement = std::make_unique<Replacement>();
      pReplacement->setInput("a");
      pReplacement->setReplace("b");
      copy.add(std::move(pReplacement));
      return fOk;
    };
    openers.fnFormatTest = [this](HWND, const QuilbarProfile& profile) {
      m_seen.strTerminatorAtFormatTest = profile.getDataStringTerminator();
      m_seen.nFormatsAtTest = profile.getDataEditFormatMap().getCount();
    };
    openers.fnReplacementTest = [this](HWND, const ReplacementMap& replacements) {
      m_seen.nReplacementsAtTest = replacements.getCount();
    };
    return openers;
  }

  // Opens the sheet on the Data Editing page, changes the terminator, presses every button.
  QuilbarProfile runPage(bool fOk)
  {
    QuilbarProfile profile;
    SystemPasswordKdf kdf;
    SettingsSheetOutcome outcome;
    ModalRun run([&] {
      CSettingsSheet sheet(profile, 5, "", kdf, recordingOpeners(fOk));
      outcome = sheet.run(nullptr);
    });
    HWND hwndSheet = waitForSheet();
    EXPECT_NE(nullptr, hwndSheet);
    if (hwndSheet == nullptr)
      return profile;
    HWND hwndPage = currentPage(hwndSheet);
    setItemText(hwndPage, IDC_DATAEDITING_TERMINATOR, "<ETX>");
    for (int nButton : {IDC_DATAEDITING_FORMATS, IDC_DATAEDITING_TEST_FORMATS, IDC_DATAEDITING_REPLACEMENTS,
                        IDC_DATAEDITING_TEST_REPLACEMENTS})
      pressButton(hwndPage, nButton);
    EXPECT_TRUE(waitUntil([&] { return m_seen.nReplacementsAtTest >= 0; })) << "waited for the last button";
    pressButton(hwndSheet, IDOK);
    EXPECT_TRUE(run.waitDone());
    EXPECT_TRUE(outcome.fOk);
    return profile;
  }

  Seen m_seen;
};

TEST_F(DataEditingPageTest, FormatsSeeThePageValuesAndOkCopiesBack)
{
  QuilbarProfile profile = runPage(true);
  EXPECT_EQ("<ETX>", m_seen.strTerminatorAtFormats) << "Formats stores the page's values first";
  EXPECT_EQ("<ETX>", m_seen.strTerminatorAtFormatTest) << "Test stores the page's values first";
  EXPECT_EQ(2, m_seen.nFormatsAtTest) << "the test runs on the formats just edited";
  EXPECT_EQ(1, m_seen.nReplacementsAtTest);
  EXPECT_NE(nullptr, profile.getDataEditFormatMap().lookup("Added"));
  EXPECT_EQ(1, profile.getReplacementMap().getCount());
  EXPECT_EQ("<ETX>", profile.getDataStringTerminator());
}

TEST_F(DataEditingPageTest, CancelInTheDataEditingDialogsKeepsFormatsAndReplacements)
{
  QuilbarProfile profile = runPage(false);
  EXPECT_EQ("<ETX>", m_seen.strTerminatorAtFormats);
  EXPECT_EQ(1, m_seen.nFormatsAtTest);
  EXPECT_EQ(0, m_seen.nReplacementsAtTest);
  EXPECT_EQ(nullptr, profile.getDataEditFormatMap().lookup("Added"));
  EXPECT_EQ(0, profile.getReplacementMap().getCount());
  EXPECT_EQ("<ETX>", profile.getDataStringTerminator());
}
