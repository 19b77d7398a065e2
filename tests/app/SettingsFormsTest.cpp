// The rules of the settings sheet's pages, table-tested on controls kept in memory: the lists the
// Communication page offers and its defaults, and the enable rules of the Communication, Window
// and Data Editing pages, the Log page's check of a new file name, and the sheet's page indexes.
#include "FakeControlValues.h"
#include "sheet/CommunicationForm.h"
#include "sheet/DataEditingForm.h"
#include "sheet/LogForm.h"
#include "sheet/PasswordForm.h"
#include "app/ResourceIds.h"
#include "sheet/SettingsBindings.h"
#include "sheet/SettingsSheetPages.h"
#include "sheet/WindowForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(SettingsSheetPages, SixPagesInTheStoredOrderAndAnUnknownIndexOpensTheFirst)
{
  const char* rgszTitles[] = {"Communication", "Keyboard", "Window", "Initialization", "Log", "Data Editing"};
  ASSERT_EQ(6u, SettingsSheetPages::kcPages);
  for (unsigned i = 0; i < SettingsSheetPages::kcPages; ++i)
    EXPECT_STREQ(rgszTitles[i], SettingsSheetPages::title(i));
  EXPECT_STREQ("Settings", SettingsSheetPages::kszCaption);
  struct Row
  {
    uint32_t dwStored;
    unsigned nStart;
  };
  for (const Row& row : {Row{0, 0}, Row{4, 4}, Row{5, 5}, Row{6, 0}, Row{0xFFFFFFFF, 0}})
  {
    SCOPED_TRACE(row.dwStored);
    EXPECT_EQ(row.nStart, SettingsSheetPages::startPage(row.dwStored));
  }
}

TEST(CommunicationForm, ListsOfferWhatTheProfileCanHold)
{
  std::vector<std::string> rgstrPorts = CommunicationForm::portChoices();
  ASSERT_EQ(256u, rgstrPorts.size());
  EXPECT_EQ("COM1", rgstrPorts.front());
  EXPECT_EQ("COM10", rgstrPorts[9]);
  EXPECT_EQ("COM256", rgstrPorts.back());
  EXPECT_EQ((std::vector<std::string>{"110", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                                      "115200"}),
            CommunicationForm::speedChoices());
  EXPECT_EQ((std::vector<std::string>{"7", "8"}), CommunicationForm::dataChoices());
  EXPECT_EQ((std::vector<std::string>{"Even", "Mark", "No parity", "Odd", "Space"}), CommunicationForm::parityChoices());
  EXPECT_EQ((std::vector<std::string>{"1", "1.5", "2"}), CommunicationForm::stopChoices());
}

TEST(CommunicationForm, FilterTimeIsEditableOnlyWhileTheFilterIsTicked)
{
  for (bool fFilter : {true, false})
  {
    SCOPED_TRACE(fFilter);
    FakeControlValues controls;
    controls.setChecked(IDC_COMMUNICATION_DUPLICATE_FILTER, fFilter);
    CommunicationForm::applyEnableRules(controls);
    EXPECT_EQ(fFilter, controls.isEnabled(IDC_COMMUNICATION_FILTER_TIME));
    EXPECT_EQ(fFilter, controls.isEnabled(IDC_COMMUNICATION_FILTER_SPIN));
    EXPECT_EQ(fFilter, controls.isEnabled(IDC_COMMUNICATION_FILTER_UNIT));
  }
}

TEST(CommunicationForm, DefaultPutsEveryControlOfThePageToItsDefault)
{
  FakeControlValues controls;
  QuilbarProfile profile;
  profile.setPort("COM7");
  profile.setSpeed("300");
  profile.setData("7");
  profile.setParity("Mark");
  profile.setStop("2");
  profile.setDTR(0);
  profile.setRTS(0);
  profile.setDuplicateStringFilter(1);
  profile.setDuplicateFilterTime(400);
  loadControls(SettingsBindings::communicationPage(), profile, controls);
  CommunicationForm::putDefaults(controls);
  EXPECT_EQ("COM1", controls.getText(IDC_COMMUNICATION_PORT));
  EXPECT_EQ("9600", controls.getText(IDC_COMMUNICATION_SPEED));
  EXPECT_EQ("8", controls.getText(IDC_COMMUNICATION_DATA));
  EXPECT_EQ("No parity", controls.getText(IDC_COMMUNICATION_PARITY));
  EXPECT_EQ("1", controls.getText(IDC_COMMUNICATION_STOP));
  EXPECT_TRUE(controls.isChecked(IDC_COMMUNICATION_DTR_HIGH));
  EXPECT_FALSE(controls.isChecked(IDC_COMMUNICATION_DTR_LOW));
  EXPECT_TRUE(controls.isChecked(IDC_COMMUNICATION_RTS_HIGH));
  EXPECT_FALSE(controls.isChecked(IDC_COMMUNICATION_RTS_LOW));
  EXPECT_FALSE(controls.isChecked(IDC_COMMUNICATION_DUPLICATE_FILTER));
  EXPECT_EQ("0", controls.getText(IDC_COMMUNICATION_FILTER_TIME));
  EXPECT_FALSE(controls.isEnabled(IDC_COMMUNICATION_FILTER_TIME));
  EXPECT_FALSE(controls.isChecked(IDC_PINEVENTS_CTS_HIGH)) << "only the page's own controls";
}

TEST(WindowForm, LockSetupAndHoldAreAvailableInTurn)
{
  struct Row
  {
    bool fLock;
    bool fHold;
    bool fSetupEnabled;
    bool fHoldEnabled;
    bool fTimeEnabled;
  };
  const Row rgRows[] = {
      {false, false, false, false, false},
      {false, true, false, false, false},
      {true, false, true, true, false},
      {true, true, true, true, true},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(std::string("lock ") + (row.fLock ? "on" : "off") + ", hold " + (row.fHold ? "on" : "off"));
    FakeControlValues controls;
    controls.setChecked(IDC_WINDOW_LOCK, row.fLock);
    controls.setChecked(IDC_WINDOW_HOLD, row.fHold);
    WindowForm::applyEnableRules(controls);
    EXPECT_EQ(row.fSetupEnabled, controls.isEnabled(IDC_WINDOW_SETUP));
    EXPECT_EQ(row.fHoldEnabled, controls.isEnabled(IDC_WINDOW_HOLD));
    for (int nId : {IDC_WINDOW_HOLD_LABEL, IDC_WINDOW_HOLD_TIME, IDC_WINDOW_HOLD_SPIN, IDC_WINDOW_HOLD_UNIT})
      EXPECT_EQ(row.fTimeEnabled, controls.isEnabled(nId)) << nId;
  }
}

TEST(WindowForm, LockIsNeverOnWithAnEmptyTitleList)
{
  QuilbarProfile profile;
  profile.setLockOutputWindow(1);
  FakeControlValues controls;
  loadControls(SettingsBindings::windowPage(), profile, controls);
  ASSERT_TRUE(controls.isChecked(IDC_WINDOW_LOCK));
  WindowForm::clearLockWithoutTitles(controls);
  EXPECT_FALSE(controls.isChecked(IDC_WINDOW_LOCK));
  EXPECT_FALSE(controls.isEnabled(IDC_WINDOW_SETUP));
  storeControls(SettingsBindings::windowPage(), controls, profile);
  EXPECT_EQ(0u, profile.getLockOutputWindow());

  controls.setList(IDC_WINDOW_SETUP, {"*Notepad"});
  controls.setChecked(IDC_WINDOW_LOCK, true);
  WindowForm::clearLockWithoutTitles(controls);
  EXPECT_TRUE(controls.isChecked(IDC_WINDOW_LOCK)) << "a list with a title keeps the tick";
}

TEST(DataEditingForm, TerminationChoiceEnablesItsOwnControls)
{
  for (bool fTimeout : {false, true})
  {
    SCOPED_TRACE(fTimeout ? "by time-out" : "by characters");
    FakeControlValues controls;
    controls.setChecked(IDC_DATAEDITING_BY_CHARACTERS, !fTimeout);
    controls.setChecked(IDC_DATAEDITING_BY_TIMEOUT, fTimeout);
    DataEditingForm::applyEnableRules(controls);
    EXPECT_EQ(!fTimeout, controls.isEnabled(IDC_DATAEDITING_TERMINATOR));
    EXPECT_EQ(!fTimeout, controls.isEnabled(IDC_DATAEDITING_SELECT));
    EXPECT_EQ(fTimeout, controls.isEnabled(IDC_DATAEDITING_TIMEOUT));
    EXPECT_EQ(fTimeout, controls.isEnabled(IDC_DATAEDITING_TIMEOUT_SPIN));
    EXPECT_EQ(fTimeout, controls.isEnabled(IDC_DATAEDITING_TIMEOUT_UNIT));
  }
}

TEST(LogForm, NewFileNameIsAcceptedOnlyWhenItsLineCanBeWritten)
{
  struct Row
  {
    const char* pszWhat;
    const char* pszOld;
    const char* pszNew;
    bool fWritable;
    bool fMayLeave;
    std::vector<std::string> rgstrAnnounced;
  };
  const Row rgRows[] = {
      {"unchanged name: no second line", "C:\\q.log", "C:\\q.log", true, true, {}},
      {"unchanged unwritable name still leaves", "C:\\q.log", "C:\\q.log", false, true, {}},
      {"new writable name", "C:\\q.log", "C:\\r.log", true, true, {"C:\\r.log"}},
      {"new name in a missing folder", "C:\\q.log", "C:\\nowhere\\r.log", false, false, {"C:\\nowhere\\r.log"}},
      {"emptied name", "C:\\q.log", "", false, false, {""}},
      {"letter case counts as a change", "C:\\q.log", "C:\\Q.log", true, true, {"C:\\Q.log"}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszWhat);
    QuilbarProfile profile;
    profile.setLogFilename(row.pszOld);
    FakeControlValues controls;
    controls.setText(IDC_LOG_FILENAME, row.pszNew);
    controls.setChecked(IDC_LOG_ENABLE, true);
    std::vector<std::string> rgstrAnnounced;
    LogForm::Outcome outcome = LogForm::leave(controls, profile, [&](const std::string& strFile) {
      rgstrAnnounced.push_back(strFile);
      return row.fWritable;
    });
    EXPECT_EQ(row.fMayLeave, outcome.fMayLeave);
    EXPECT_EQ(row.rgstrAnnounced, rgstrAnnounced);
    if (row.fMayLeave)
    {
      EXPECT_EQ(row.pszNew, profile.getLogFilename());
      EXPECT_EQ(1u, profile.getLogging());
    }
    else
    {
      EXPECT_EQ("Unable to create log file.", outcome.strMessage);
      EXPECT_EQ(IDC_LOG_FILENAME, outcome.nFocusId);
      EXPECT_EQ(row.pszOld, profile.getLogFilename()) << "a refused page stores nothing";
      EXPECT_EQ(0u, profile.getLogging());
    }
  }
}

TEST(PasswordForm, SayWhetherProtectionIsOn)
{
  EXPECT_STREQ("Password protection is active.", PasswordForm::protectionMessage("x"));
  EXPECT_STREQ("Password protection is NOT active.", PasswordForm::protectionMessage(""));
  EXPECT_STREQ("Invalid password", PasswordForm::kszInvalidPassword);
  EXPECT_EQ(30, PasswordForm::kcchMaxPassword);
}
