// The profile store against a settings tree of its own below a scratch key: natively in the
// in-memory hive, under Wine in the real registry.
#include "ProfileDump.h"
#include "settings/QuilbarProfileStore.h"
#include "base/RegistryApi.h"
#include "RegistryFill.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace
{
class RecordingListener : public ProfileStoreListener
{
public:
  void logEvent(const std::string& strEvent, const TextList& rgDetails) override
  {
    m_rgEvents.emplace_back(strEvent, rgDetails);
  }
  void removeStartWithSystem(const std::string& strProfileName) override
  {
    m_rgRemovedStarts.push_back(strProfileName);
  }

  std::vector<std::pair<std::string, TextList>> m_rgEvents;
  TextList m_rgRemovedStarts;
};

class QuilbarProfileStoreTest : public ::testing::Test
{
protected:
  QuilbarProfileStoreTest()
      : m_scratch(currentTestKeyName()), m_store(m_scratch.path(), &m_listener)
  {
  }

  std::string settingsPath() const { return m_scratch.path() + "\\Tarnwick\\Quilbar2\\Settings"; }

  // The settings key, opened afresh with full access.
  bool openSettings(Registry& settings) { return settings.openKey(settingsPath(), Registry::kdwAccessAll); }

  TextList profileKeys()
  {
    Registry settings;
    TextList rgNames;
    EXPECT_TRUE(openSettings(settings));
    EXPECT_TRUE(settings.getSubKeys(rgNames));
    return rgNames;
  }

  // The Name values of all profile keys, sorted.
  TextList storedProfileNames()
  {
    Registry settings;
    EXPECT_TRUE(openSettings(settings));
    TextList rgNames;
    for (const std::string& strKey : profileKeys())
    {
      Registry profile;
      std::string strName;
      EXPECT_TRUE(settings.openSubKey(strKey, profile, Registry::kdwAccessRead));
      EXPECT_TRUE(profile.getKeyValue("Name", strName));
      rgNames.push_back(strName);
    }
    std::sort(rgNames.begin(), rgNames.end());
    return rgNames;
  }

  ScratchKey m_scratch;
  RecordingListener m_listener;
  QuilbarProfileStore m_store;
};

TEST_F(QuilbarProfileStoreTest, FirstRunCreatesTheTreeWithADefaultProfile)
{
  EXPECT_TRUE(m_store.isSettingsKeyMissing());
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  EXPECT_FALSE(m_store.isSettingsKeyMissing());

  Registry settings;
  ASSERT_TRUE(openSettings(settings));
  uint32_t dwPage = 99;
  std::string strPassword = "x";
  EXPECT_TRUE(settings.getKeyValue("SettingsPage", dwPage));
  EXPECT_EQ(0u, dwPage);
  EXPECT_TRUE(settings.getKeyValue("Password", strPassword));
  EXPECT_EQ("", strPassword);
  EXPECT_EQ(TextList{"Profile0"}, profileKeys());
  EXPECT_EQ(TextList{"Default"}, storedProfileNames());

  ASSERT_NE(nullptr, m_store.getCurrentProfile());
  EXPECT_EQ("Default", m_store.getCurrentProfile()->getName());
  QuilbarProfile expected;
  expected.setName("Default");
  EXPECT_EQ(dumpProfile(expected), dumpProfile(*m_store.getCurrentProfile()));
  ASSERT_EQ(1u, m_listener.m_rgEvents.size());
  EXPECT_EQ("Profile Added", m_listener.m_rgEvents[0].first);
  EXPECT_EQ(TextList{"Name = Default"}, m_listener.m_rgEvents[0].second);
}

TEST_F(QuilbarProfileStoreTest, UnwritableTreeFailsTheFirstRunWithTheAdministratorMessage)
{
  QuilbarProfileStore store(m_scratch.path() + "\\NoSuchSoftwareKey");
  std::string strError;
  EXPECT_FALSE(store.loadSettings(strError));
  EXPECT_EQ("Quilbar was unable to create the registry key " + m_scratch.path()
                + "\\NoSuchSoftwareKey\\Tarnwick\\Quilbar2\\Settings. You need to log in as "
                  "administrator when running or configuring Quilbar for the first time.",
            strError);
}

TEST_F(QuilbarProfileStoreTest, EnsureSettingsKeysCreatesTheChainOnce)
{
  EXPECT_TRUE(m_store.ensureSettingsKeys());
  EXPECT_TRUE(m_store.ensureSettingsKeys()) << "present keys are opened";
  Registry settings;
  EXPECT_TRUE(openSettings(settings));
}

TEST_F(QuilbarProfileStoreTest, EverythingSavedLoadsBackEqual)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  QuilbarProfile& line1 = m_store.addOrSelectProfile("Line1");
  line1.setPort("COM4");
  line1.setTitles({"*Excel*", "Notepad"});
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput("<CR>");
  line1.getReplacementMap().add(std::move(pReplacement));
  m_store.addOrSelectProfile("Line2").setAutoStart(1);
  m_store.setSettingsPage(3);
  m_store.setPassword("s3cret");
  ASSERT_TRUE(m_store.saveSettings());

  QuilbarProfileStore reloaded(m_scratch.path());
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  EXPECT_EQ(3u, reloaded.getSettingsPage());
  EXPECT_EQ("s3cret", reloaded.getPassword());
  ASSERT_EQ(3, reloaded.getProfiles().getCount());
  for (const auto& entry : m_store.getProfiles().getEntries())
  {
    SCOPED_TRACE(entry.first);
    const QuilbarProfile* pLoaded = reloaded.getProfiles().lookup(entry.first);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(dumpProfile(*entry.second), dumpProfile(*pLoaded));
  }
  EXPECT_EQ(reloaded.getProfiles().first(), reloaded.getCurrentProfile());
}

TEST_F(QuilbarProfileStoreTest, MissingSettingsValuesLoadAsZeroAndEmpty)
{
  ASSERT_TRUE(m_store.saveSettings());
  Registry settings;
  ASSERT_TRUE(openSettings(settings));
  ASSERT_TRUE(settings.deleteKeyValue("SettingsPage"));
  ASSERT_TRUE(settings.deleteKeyValue("Password"));
  m_store.setSettingsPage(5);
  m_store.setPassword("old");
  std::string strError;
  ASSERT_FALSE(m_store.loadSettings(strError)) << "an empty map has no current profile";
  EXPECT_EQ(0u, m_store.getSettingsPage());
  EXPECT_EQ("", m_store.getPassword());
}

TEST_F(QuilbarProfileStoreTest, ForeignSubKeyFailsTheLoadUntilTheNextSave)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  Registry settings;
  ASSERT_TRUE(openSettings(settings));
  ASSERT_TRUE(plantKey(settings, "Foreign", {{"Port", "COM2"}}));

  QuilbarProfileStore other(m_scratch.path());
  EXPECT_FALSE(other.loadSettings(strError));
  EXPECT_EQ("Failed to read the registry key Name from subkey " + settingsPath() + "\\Foreign.",
            strError);

  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_EQ(TextList{"Profile0"}, profileKeys());
  EXPECT_TRUE(other.loadSettings(strError)) << strError;
}

TEST_F(QuilbarProfileStoreTest, TwoProfileKeysWithOneNameFailTheLoad)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  m_store.addOrSelectProfile("Twin");
  ASSERT_TRUE(m_store.saveSettings());
  Registry settings;
  ASSERT_TRUE(openSettings(settings));
  Registry extra;
  ASSERT_TRUE(settings.createSubKey("Profile9", extra));
  ASSERT_TRUE(m_store.getCurrentProfile()->saveToRegistry(extra));

  QuilbarProfileStore other(m_scratch.path());
  EXPECT_FALSE(other.loadSettings(strError));
  EXPECT_EQ("Failed to add profile Twin to the profile map.", strError);
  EXPECT_EQ(nullptr, other.getCurrentProfile());
}

TEST_F(QuilbarProfileStoreTest, BrokenProfileReportsItsOwnMessage)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  Registry profile;
  ASSERT_TRUE(profile.openKey(settingsPath() + "\\Profile0", Registry::kdwAccessAll));
  ASSERT_TRUE(profile.deleteKeyValue("HideOnStartup"));
  EXPECT_FALSE(m_store.loadSettings(strError));
  EXPECT_EQ("Failed to read the registry key HideOnStartup from subkey " + settingsPath()
                + "\\Profile0.",
            strError);
  EXPECT_EQ(nullptr, m_store.getCurrentProfile()) << "no pointer into the emptied map";
}

TEST_F(QuilbarProfileStoreTest, AddedProfileIsAFullCopyOfTheCurrentOne)
{
  QuilbarProfile& line1 = m_store.addOrSelectProfile("Line1");
  line1.setSpeed("19200");
  line1.setTitles({"Word*"});
  line1.getDataEditFormatMap().lookup("Default")->setOutput("Input()");
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput("a");
  pReplacement->setReplace("b");
  line1.getReplacementMap().add(std::move(pReplacement));
  line1.getKeyTranslatorMap().entryOf('\r').setKeyCode(0x09);
  m_listener.m_rgEvents.clear();

  QuilbarProfile& test = m_store.addOrSelectProfile("Test");
  EXPECT_EQ(&test, m_store.getCurrentProfile());
  QuilbarProfile expected(line1);
  expected.setName("Test");
  EXPECT_EQ(dumpProfile(expected), dumpProfile(test));
  ASSERT_EQ(1u, m_listener.m_rgEvents.size());
  EXPECT_EQ(TextList{"Name = Test"}, m_listener.m_rgEvents[0].second);

  EXPECT_EQ(0x09, test.getKeyTranslatorMap().entryOf('\r').getKeyCode());
  test.getDataEditFormatMap().lookup("Default")->setOutput("changed");
  EXPECT_EQ("Input()", line1.getDataEditFormatMap().lookup("Default")->getOutput());
}

TEST_F(QuilbarProfileStoreTest, SelectingAnExistingProfileChangesNothing)
{
  QuilbarProfile& line1 = m_store.addOrSelectProfile("Line1");
  m_store.addOrSelectProfile("Line2");
  m_listener.m_rgEvents.clear();
  EXPECT_EQ(&line1, &m_store.addOrSelectProfile("Line1"));
  EXPECT_EQ(&line1, m_store.getCurrentProfile());
  EXPECT_EQ(2, m_store.getProfiles().getCount());
  EXPECT_TRUE(m_listener.m_rgEvents.empty());
}

TEST_F(QuilbarProfileStoreTest, NamesDifferingInCaseAreTwoProfiles)
{
  m_store.addOrSelectProfile("abc").setPort("COM2");
  m_store.addOrSelectProfile("ABC").setPort("COM3");
  EXPECT_EQ(2, m_store.getProfiles().getCount());
  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_EQ((TextList{"ABC", "abc"}), storedProfileNames());

  QuilbarProfileStore reloaded(m_scratch.path());
  std::string strError;
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  ASSERT_NE(nullptr, reloaded.getProfiles().lookup("abc"));
  ASSERT_NE(nullptr, reloaded.getProfiles().lookup("ABC"));
  EXPECT_EQ("COM2", reloaded.getProfiles().lookup("abc")->getPort());
  EXPECT_EQ("COM3", reloaded.getProfiles().lookup("ABC")->getPort());
}

TEST_F(QuilbarProfileStoreTest, DeletingTheCurrentProfileFallsBackToDefaultAndSaves)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  m_store.addOrSelectProfile("Doomed");
  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_EQ((TextList{"Default", "Doomed"}), storedProfileNames());
  m_listener.m_rgEvents.clear();

  EXPECT_TRUE(m_store.deleteCurrentProfile());
  ASSERT_NE(nullptr, m_store.getCurrentProfile());
  EXPECT_EQ("Default", m_store.getCurrentProfile()->getName());
  EXPECT_EQ(nullptr, m_store.getProfiles().lookup("Doomed"));
  EXPECT_EQ(TextList{"Default"}, storedProfileNames());
  EXPECT_EQ(TextList{"Doomed"}, m_listener.m_rgRemovedStarts);
  ASSERT_EQ(1u, m_listener.m_rgEvents.size());
  EXPECT_EQ("Profile Deleted", m_listener.m_rgEvents[0].first);
  EXPECT_EQ(TextList{"Name = Doomed"}, m_listener.m_rgEvents[0].second);
}

TEST_F(QuilbarProfileStoreTest, DeletingWithoutADefaultProfileMakesAFreshOne)
{
  QuilbarProfile& only = m_store.addOrSelectProfile("Only");
  only.setPort("COM9");
  EXPECT_TRUE(m_store.deleteCurrentProfile());
  ASSERT_NE(nullptr, m_store.getCurrentProfile());
  QuilbarProfile expected;
  expected.setName("Default");
  EXPECT_EQ(dumpProfile(expected), dumpProfile(*m_store.getCurrentProfile()));
  EXPECT_EQ(1, m_store.getProfiles().getCount());
}

TEST_F(QuilbarProfileStoreTest, SaveRewritesTheWholeTree)
{
  QuilbarProfile& big = m_store.addOrSelectProfile("Big");
  for (int i = 1; i < 4; ++i)
  {
    std::string strName = "F" + std::to_string(i);
    auto pFormat = std::make_unique<DataEditFormat>();
    pFormat->setName(strName);
    pFormat->setOrder(i);
    ASSERT_TRUE(big.getDataEditFormatMap().add(strName, std::move(pFormat)));
  }
  m_store.addOrSelectProfile("Second");
  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_EQ((TextList{"Profile0", "Profile1"}), profileKeys());

  // Fewer formats and fewer profiles: no stale key may survive to break the next load.
  big.getDataEditFormatMap().remove("F2");
  big.getDataEditFormatMap().remove("F3");
  m_store.addOrSelectProfile("Second");
  ASSERT_TRUE(m_store.deleteCurrentProfile());
  EXPECT_EQ((TextList{"Big", "Default"}), storedProfileNames());
  QuilbarProfileStore reloaded(m_scratch.path());
  std::string strError;
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  EXPECT_EQ(2, reloaded.getProfiles().lookup("Big")->getDataEditFormatMap().getCount());
}
TEST_F(QuilbarProfileStoreTest, ProfileKeyThatCannotBeOpenedFailsTheLoadUntilTheNextSave)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  // A double quote in a key name groups path components, so the listed name cannot be opened.
  std::string strRelative = settingsPath().substr(std::string("HKEY_LOCAL_MACHINE\\").size())
                            + "\\Odd\"Name";
  void* hkKey = nullptr;
  ASSERT_EQ(regapi::kSuccess, regapi::createKey(regapi::rootKey(regapi::Root::LocalMachine),
                                                strRelative.c_str(), Registry::kdwAccessAll, hkKey));
  regapi::closeKey(hkKey);

  QuilbarProfileStore other(m_scratch.path());
  EXPECT_FALSE(other.loadSettings(strError));
  EXPECT_EQ("Failed to open registry subkey " + settingsPath() + "\\Odd\"Name.", strError);
  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_TRUE(other.loadSettings(strError)) << strError;
}

TEST_F(QuilbarProfileStoreTest, UnlistableSettingsKeyFailsLoadAndSave)
{
  ASSERT_TRUE(m_store.ensureSettingsKeys());
  Registry valuesOnly;
  ASSERT_TRUE(valuesOnly.openKey(settingsPath(), 0x0001));
  std::string strError;
  EXPECT_FALSE(m_store.loadProfiles(valuesOnly, strError));
  EXPECT_EQ("Failed to get subkeys of " + settingsPath() + ".", strError);
  EXPECT_FALSE(m_store.saveProfiles(valuesOnly));
}
}  // namespace
