// The main window's rules against a recording window, with the profile store in a registry key of
// the test's own (the in-memory hive natively, Wine's registry under Wine).
#include "app/MainWindowForm.h"

#include "PipelineFakes.h"
#include "RegistryFill.h"
#include "ScratchKey.h"
#include "pipeline/EventLog.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace
{
using Lines = std::vector<std::string>;

// Records what the rules ask of the window, in order, as short lines.
class RecordingHost : public MainWindowHost
{
public:
  std::string profileBoxText() override { return m_strBox; }
  void showProfileBoxText(const std::string& strText) override { m_strBox = strText; }
  void fillProfileList(const std::vector<std::string>& rgstrNames) override
  {
    m_rgstrList = rgstrNames;
    std::sort(m_rgstrList.begin(), m_rgstrList.end());
  }
  void enableDeleteButton(bool fEnabled) override { m_fDeleteEnabled = fEnabled; }
  void enableSettingsButton(bool fEnabled) override { m_fSettingsEnabled = fEnabled; }
  void allowNewProfileNames(bool fAllowed) override { m_fNewNamesAllowed = fAllowed; }
  void focusProfileBox() override { m_rgstrCalls.push_back("focus profile"); }
  void focusHideButton() override { m_rgstrCalls.push_back("focus hide"); }
  void repaint() override {}
  void showBox(MainWindowBox box, const std::string& strText) override
  {
    m_rgstrCalls.push_back("box " + std::to_string(static_cast<int>(box)) + " " + strText);
  }
  bool confirm(const std::string& strText) override
  {
    m_rgstrCalls.push_back("confirm " + strText);
    return m_fConfirm;
  }
  bool openPort() override
  {
    m_rgstrCalls.push_back("open port");
    return m_fPortOpens;
  }
  void closePort() override { m_rgstrCalls.push_back("close port"); }
  bool checkSettingsPassword(const std::string& strStoredPassword) override
  {
    m_rgstrCalls.push_back("password " + strStoredPassword);
    return m_fPasswordPasses;
  }
  SettingsSheetResult runSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage,
                                       const std::string& strStoredPassword, const SettingsPolicy&) override
  {
    m_rgstrCalls.push_back("sheet " + profileCopy.getName() + " page " + std::to_string(nStartPage));
    if (m_fnEdit)
      m_fnEdit(profileCopy);
    return m_sheetResult;
  }
  void postQuit() override { m_rgstrCalls.push_back("quit"); }

  std::string m_strBox;
  Lines m_rgstrList;
  bool m_fDeleteEnabled = false;
  bool m_fSettingsEnabled = false;
  bool m_fNewNamesAllowed = true;
  bool m_fConfirm = true;
  bool m_fPortOpens = true;
  bool m_fPasswordPasses = true;
  SettingsSheetResult m_sheetResult;
  std::function<void(QuilbarProfile&)> m_fnEdit;
  Lines m_rgstrCalls;
};

class MainWindowFormTest : public ::testing::Test
{
protected:
  MainWindowFormTest()
      : m_scratch(currentTestKeyName()),
        m_log(m_clock, &m_monitors),
        m_autoStart([](std::string& strPath) { strPath = "C:\\QUILBAR.EXE"; return true; },
                    m_scratch.path() + "\\Run")
  {
    Registry run;
    m_scratch.key().createSubKey("Run", run);
    m_monitors.m_nMonitors = 1;  // every event is visible to the test
  }

  std::unique_ptr<MainWindowForm> makeForm(const std::string& strCommandLine)
  {
    auto pForm = std::make_unique<MainWindowForm>(m_host, m_log, m_autoStart, m_scratch.path());
    pForm->setRequestedProfile(strCommandLine);
    return pForm;
  }

  // Stores profiles as an earlier run would have saved them.
  void storeProfiles(const std::vector<std::pair<std::string, std::string>>& rgNamePorts, uint32_t dwAutoStart = 0)
  {
    QuilbarProfileStore store(m_scratch.path());
    for (const auto& namePort : rgNamePorts)
    {
      store.addOrSelectProfile(namePort.first).setPort(namePort.second);
      store.getCurrentProfile()->setAutoStart(dwAutoStart);
    }
    ASSERT_TRUE(store.saveSettings());
  }

  Lines storedNames()
  {
    QuilbarProfileStore store(m_scratch.path());
    std::string strError;
    EXPECT_TRUE(store.loadSettings(strError)) << strError;
    Lines rgstrNames;
    for (const auto& entry : store.getProfiles().getEntries())
      rgstrNames.push_back(entry.first);
    return rgstrNames;
  }

  Lines runEntries()
  {
    Registry run;
    TextList rgNames;
    if (run.openKey(m_scratch.path() + "\\Run", Registry::kdwAccessRead))
      run.getKeyValueNames(rgNames);
    std::sort(rgNames.begin(), rgNames.end());
    return rgNames;
  }

  // The event names the monitors received, in order.
  Lines events() const
  {
    Lines rgstrEvents;
    for (const std::string& strText : m_monitors.m_rgstrTexts)
      rgstrEvents.push_back(strText.substr(0, strText.find('\n')));
    return rgstrEvents;
  }

  ScratchKey m_scratch;
  pipelinetest::FixedLogClock m_clock;
  pipelinetest::RecordingMonitorSink m_monitors;
  EventLog m_log;
  AutoStartList m_autoStart;
  RecordingHost m_host;
};

TEST_F(MainWindowFormTest, FirstRunCreatesDefaultQuietly)
{
  auto pForm = makeForm("");
  ASSERT_TRUE(pForm->initialise());
  EXPECT_EQ("Default", pForm->currentProfile()->getName());
  EXPECT_EQ("Default", m_host.m_strBox);
  EXPECT_EQ(Lines{"Default"}, m_host.m_rgstrList);
  EXPECT_TRUE(m_host.m_rgstrCalls.empty()) << m_host.m_rgstrCalls.front();
  EXPECT_FALSE(m_host.m_fDeleteEnabled);
  EXPECT_TRUE(m_host.m_fSettingsEnabled);
  EXPECT_EQ(Lines{"Default"}, storedNames());
}

TEST_F(MainWindowFormTest, StartupProfileFollowsTheCommandLineExactly)
{
  struct Row
  {
    const char* pszCommandLine;
    const char* pszCurrent;
    const char* pszPort;       // the current profile's port: a fallback copies the store's first profile
    bool fMessage;
    Lines rgstrStoredAfter;    // the fallback to Default is saved; a start without a name saves nothing
  };
  const Row rgRows[] = {
      {"Line1", "Line1", "COM3", false, {"Line1"}},
      {"line1", "Default", "COM3", true, {"Default", "Line1"}},
      {"", "Default", "COM3", false, {"Line1"}},
      {"Line1 ", "Default", "COM3", true, {"Default", "Line1"}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCommandLine);
    ScratchKey fresh(currentTestKeyName());
    m_host.m_rgstrCalls.clear();
    QuilbarProfileStore seed(fresh.path());
    seed.addOrSelectProfile("Line1").setPort("COM3");
    ASSERT_TRUE(seed.saveSettings());

    MainWindowForm form(m_host, m_log, m_autoStart, fresh.path());
    form.setRequestedProfile(row.pszCommandLine);
    ASSERT_TRUE(form.initialise());
    EXPECT_EQ(row.pszCurrent, form.currentProfile()->getName());
    EXPECT_EQ(row.pszPort, form.currentProfile()->getPort());
    EXPECT_EQ(row.pszCurrent, m_host.m_strBox);
    Lines rgstrExpectedCalls;
    if (row.fMessage)
      rgstrExpectedCalls.push_back(std::string("box 1 The profile \"") + row.pszCommandLine +
                                   "\" does not exist. Using default profile.");
    EXPECT_EQ(rgstrExpectedCalls, m_host.m_rgstrCalls);

    QuilbarProfileStore reloaded(fresh.path());
    std::string strError;
    ASSERT_TRUE(reloaded.loadSettings(strError));
    Lines rgstrStored;
    for (const auto& entry : reloaded.getProfiles().getEntries())
      rgstrStored.push_back(entry.first);
    EXPECT_EQ(row.rgstrStoredAfter, rgstrStored);
  }
}

TEST_F(MainWindowFormTest, UnreadableSettingsEndTheProgramWithTheLoadersMessage)
{
  Registry settings, foreign;
  ASSERT_TRUE(m_scratch.key().createSubKey("Tarnwick\\Quilbar2\\Settings\\Foreign", foreign));
  auto pForm = makeForm("");
  EXPECT_FALSE(pForm->initialise());
  ASSERT_EQ(2u, m_host.m_rgstrCalls.size());
  EXPECT_EQ(0u, m_host.m_rgstrCalls[0].find("box 0 "));
  EXPECT_NE(std::string::npos, m_host.m_rgstrCalls[0].find("Name")) << m_host.m_rgstrCalls[0];
  EXPECT_EQ("quit", m_host.m_rgstrCalls[1]);
}

TEST(MainWindowRulesTest, DeleteIsEnabledOnlyForOtherThanDefaultWithWriteAccessAndNoPassword)
{
  struct Row
  {
    const char* pszProfile;
    bool fReadOnly;
    const char* pszPassword;
    bool fEnabled;
  };
  const Row rgRows[] = {
      {"Line1", false, "", true},    {"Default", false, "", false}, {"DEFAULT", false, "", false},
      {"dEfAuLt", false, "", false}, {"Defaults", false, "", true},  {"Line1", true, "", false},
      {"Line1", false, "x", false},  {"", false, "", true},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(std::string(row.pszProfile) + (row.fReadOnly ? " read-only" : "") + " pw=" + row.pszPassword);
    EXPECT_EQ(row.fEnabled, MainWindowForm::isDeleteEnabled(row.pszProfile, row.fReadOnly, row.pszPassword));
  }
}

TEST_F(MainWindowFormTest, TypingDefaultInAnyLetterCaseBecomesDefault)
{
  storeProfiles({{"Line1", "COM1"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  struct Row
  {
    const char* pszTyped;
    const char* pszShown;
    bool fDeleteEnabled;
  };
  const Row rgRows[] = {{"default", "Default", false}, {"DEFAULT", "Default", false}, {"Default", "Default", false},
                        {"defaults", "defaults", true}, {"Line2", "Line2", true}};
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszTyped);
    m_host.m_strBox = row.pszTyped;
    pForm->onProfileEditChange();
    EXPECT_EQ(row.pszShown, m_host.m_strBox);
    EXPECT_EQ(row.pszShown, pForm->profileText());
    EXPECT_EQ(row.fDeleteEnabled, m_host.m_fDeleteEnabled);
  }
  EXPECT_EQ(Lines{"Line1"}, storedNames()) << "typing adds no profile";
}

TEST_F(MainWindowFormTest, AnEmptiedProfileBoxIsRefusedAndGetsTheNameBack)
{
  storeProfiles({{"Line1", "COM1"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  m_host.m_strBox = "";
  pForm->onProfileKillFocus();
  EXPECT_EQ((Lines{"box 2 Profile name must contain at least 1 character.", "focus profile"}), m_host.m_rgstrCalls);
  EXPECT_EQ("Line1", m_host.m_strBox);
  // An empty box at unload still saves the current profile under its own name.
  m_host.m_strBox = "";
  EXPECT_TRUE(pForm->onUnload());
  EXPECT_EQ(Lines{"Line1"}, storedNames());
}

TEST_F(MainWindowFormTest, DeletingAProfileRemovesItsRunEntryAndFallsBackToDefault)
{
  storeProfiles({{"Default", "COM1"}, {"Line1", "COM2"}}, 1);
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  EXPECT_EQ((Lines{"Quilbar_Default", "Quilbar_Line1"}), runEntries());
  EXPECT_TRUE(m_host.m_fDeleteEnabled);

  m_host.m_fConfirm = false;
  pForm->onDeleteProfile();
  EXPECT_EQ((Lines{"Default", "Line1"}), storedNames()) << "No keeps the profile";

  m_host.m_fConfirm = true;
  m_host.m_rgstrCalls.clear();
  m_monitors.m_rgstrTexts.clear();
  pForm->onDeleteProfile();
  EXPECT_EQ((Lines{"confirm Are you sure you want to delete the profile \"Line1\"?", "focus hide"}), m_host.m_rgstrCalls);
  EXPECT_EQ(Lines{"Default"}, storedNames());
  EXPECT_EQ(Lines{"Quilbar_Default"}, runEntries());
  EXPECT_EQ("Default", pForm->currentProfile()->getName());
  EXPECT_EQ("Default", m_host.m_strBox);
  EXPECT_EQ(Lines{"Default"}, m_host.m_rgstrList);
  EXPECT_FALSE(m_host.m_fDeleteEnabled);
  EXPECT_EQ(Lines{"Profile Deleted"}, events());
  EXPECT_NE(std::string::npos, m_monitors.m_rgstrTexts[0].find("Name = Line1"));
}

TEST_F(MainWindowFormTest, DeletingATypedNameNeverDeletesTheCurrentProfileInstead)
{
  storeProfiles({{"Default", "COM1"}, {"Line1", "COM2"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  m_host.m_strBox = "Line9";
  pForm->onProfileEditChange();
  pForm->onDeleteProfile();
  EXPECT_EQ("confirm Are you sure you want to delete the profile \"Line9\"?", m_host.m_rgstrCalls.front());
  EXPECT_EQ((Lines{"Default", "Line1"}), storedNames());
  EXPECT_EQ("Default", m_host.m_strBox);
}

TEST_F(MainWindowFormTest, SettingsRunsItsWholeSequenceAndKeepsTheEditsOnOk)
{
  storeProfiles({{"Line1", "COM1"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  m_host.m_rgstrCalls.clear();
  m_monitors.m_rgstrTexts.clear();
  m_host.m_sheetResult = {true, 3, "secret"};
  m_host.m_fnEdit = [](QuilbarProfile& profile) {
    profile.setPort("COM4");
    profile.setAutoStart(1);
  };
  pForm->onSettings();
  EXPECT_EQ((Lines{"password ", "close port", "sheet Line1 page 0", "open port"}), m_host.m_rgstrCalls);
  EXPECT_EQ((Lines{"Entering Settings dialog", "Exiting Settings dialog"}), events());
  EXPECT_EQ("COM4", pForm->currentProfile()->getPort());
  EXPECT_EQ(Lines{"Quilbar_Line1"}, runEntries());
  EXPECT_FALSE(m_host.m_fDeleteEnabled) << "a password now guards deletion";

  QuilbarProfileStore reloaded(m_scratch.path());
  std::string strError;
  ASSERT_TRUE(reloaded.loadSettings(strError));
  EXPECT_EQ(3u, reloaded.getSettingsPage());
  EXPECT_EQ("secret", reloaded.getPassword());
  EXPECT_EQ("COM4", reloaded.getProfiles().lookup("Line1")->getPort());

  // The next opening starts on the page left last and asks for the new password.
  m_host.m_rgstrCalls.clear();
  m_host.m_sheetResult = {false, 1, "ignored"};
  m_host.m_fnEdit = [](QuilbarProfile& profile) { profile.setPort("COM9"); };
  pForm->onSettings();
  EXPECT_EQ((Lines{"password secret", "close port", "sheet Line1 page 3", "open port"}), m_host.m_rgstrCalls);
  EXPECT_EQ("COM4", pForm->currentProfile()->getPort()) << "Cancel keeps the profile";
}

TEST_F(MainWindowFormTest, SettingsAddsATypedNameAsACopyAndAWrongPasswordStopsEverything)
{
  storeProfiles({{"Line1", "COM3"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  m_host.m_strBox = "Line2";
  pForm->onProfileEditChange();
  m_host.m_rgstrCalls.clear();
  m_host.m_fPasswordPasses = false;
  pForm->onSettings();
  EXPECT_EQ(Lines{"password "}, m_host.m_rgstrCalls) << "the port stays open";
  EXPECT_EQ("Line1", pForm->currentProfile()->getName());

  m_host.m_fPasswordPasses = true;
  m_host.m_rgstrCalls.clear();
  pForm->onSettings();
  EXPECT_EQ("sheet Line2 page 0", m_host.m_rgstrCalls[2]);
  EXPECT_EQ("Line2", pForm->currentProfile()->getName());
  EXPECT_EQ("COM3", pForm->currentProfile()->getPort());
  EXPECT_EQ((Lines{"Line1", "Line2"}), m_host.m_rgstrList);
}

TEST_F(MainWindowFormTest, UnloadLogsFarewellBeforeThePasswordAndSavesTheTypedProfile)
{
  storeProfiles({{"Line1", "COM3"}});
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  m_monitors.m_rgstrTexts.clear();
  m_host.m_strBox = "Line2";
  m_host.m_fPasswordPasses = false;
  EXPECT_FALSE(pForm->onUnload());
  EXPECT_EQ(Lines{MainWindowForm::kszFarewellEvent}, events());
  EXPECT_EQ(Lines{"Line1"}, storedNames());

  m_host.m_fPasswordPasses = true;
  EXPECT_TRUE(pForm->onUnload());
  EXPECT_EQ((Lines{"Line1", "Line2"}), storedNames());
}

TEST_F(MainWindowFormTest, PickingAProfileLogsSavesAndOpensItsPort)
{
  storeProfiles({{"Default", "COM1"}, {"Line1", "COM2"}});
  auto pForm = makeForm("");
  ASSERT_TRUE(pForm->initialise());
  m_monitors.m_rgstrTexts.clear();
  m_host.m_fPortOpens = false;
  pForm->onProfileSelChange("Line1");
  EXPECT_EQ((Lines{"open port", "focus profile"}), m_host.m_rgstrCalls);
  EXPECT_EQ("Line1", pForm->currentProfile()->getName());
  EXPECT_EQ("Line1", m_host.m_strBox);
  EXPECT_TRUE(m_host.m_fDeleteEnabled);
  ASSERT_EQ(Lines{"Switching Profile"}, events());
  EXPECT_NE(std::string::npos, m_monitors.m_rgstrTexts[0].find("Name = Line1"));

  // An expression's request arrives the same way, with the list entry's own spelling.
  m_host.m_rgstrCalls.clear();
  m_host.m_fPortOpens = true;
  pForm->switchToPendingProfile("Default");
  EXPECT_EQ(Lines{"open port"}, m_host.m_rgstrCalls);
  EXPECT_EQ("Default", pForm->currentProfile()->getName());
}
// An administrator's policy decides for every profile while it is there, is read again whenever a
// profile is opened, and never reaches the stored profiles or the stored password.
TEST_F(MainWindowFormTest, APolicyRunsEveryProfileButIsNeverStored)
{
  storeProfiles({{"Default", "COM1"}, {"Line1", "COM2"}});
  ASSERT_TRUE(plantKey(m_scratch.key(), "Policies\\Tarnwick\\Quilbar2",
                       {{"Port", "COM7"}, {"AutoStart", 1u}, {"SettingsPassword", "policy-pw"}, {"LockProfiles", 1u}}));
  auto pForm = makeForm("Line1");
  ASSERT_TRUE(pForm->initialise());
  EXPECT_EQ("COM7", pForm->currentProfile()->getPort());
  EXPECT_EQ((Lines{"Quilbar_Default", "Quilbar_Line1"}), runEntries());
  EXPECT_FALSE(m_host.m_fDeleteEnabled);
  EXPECT_FALSE(m_host.m_fNewNamesAllowed);

  // A typed name adds no profile; the sheet shows the running values and asks the policy's password.
  m_host.m_strBox = "Line9";
  pForm->onProfileEditChange();
  m_host.m_rgstrCalls.clear();
  std::string strShownPort;
  m_host.m_sheetResult = {true, 2, "typed-pw"};
  m_host.m_fnEdit = [&](QuilbarProfile& profile) {
    strShownPort = profile.getPort();
    profile.setPort("COM9");
    profile.setSpeed("19200");
  };
  pForm->onSettings();
  EXPECT_EQ((Lines{"password policy-pw", "close port", "sheet Line1 page 0", "open port"}), m_host.m_rgstrCalls);
  EXPECT_EQ("COM7", strShownPort);
  EXPECT_EQ("COM7", pForm->currentProfile()->getPort());
  EXPECT_EQ("19200", pForm->currentProfile()->getSpeed());
  pForm->onDeleteProfile();

  QuilbarProfileStore reloaded(m_scratch.path());
  std::string strError;
  ASSERT_TRUE(reloaded.loadSettings(strError));
  EXPECT_EQ((Lines{"Default", "Line1"}), storedNames());
  EXPECT_EQ("", reloaded.getPassword());
  EXPECT_EQ("COM2", reloaded.getProfiles().lookup("Line1")->getPort());
  EXPECT_EQ("19200", reloaded.getProfiles().lookup("Line1")->getSpeed());
  EXPECT_EQ(0u, reloaded.getProfiles().lookup("Line1")->getAutoStart());

  // Without the policy, the next profile opened runs its own values again.
  ASSERT_TRUE(m_scratch.key().deleteSubKey("Policies"));
  pForm->onProfileSelChange("Default");
  EXPECT_EQ("COM1", pForm->currentProfile()->getPort());
}
}  // namespace
