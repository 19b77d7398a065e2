// How a save writes the profile tree: each profile over the key that holds it, stale parts of a
// key removed after, keys of gone profiles deleted last. Natively against the in-memory hive,
// under Wine against the registry.
#include "ProfileDump.h"
#include "settings/QuilbarProfileStore.h"
#include "RegistryFill.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace
{
class ProfileStoreSaveTest : public ::testing::Test
{
protected:
  ProfileStoreSaveTest() : m_scratch(currentTestKeyName()), m_store(m_scratch.path()) {}

  std::string settingsPath() const { return m_scratch.path() + "\\Tarnwick\\Quilbar2\\Settings"; }

  // Profile name to the key that holds it.
  std::map<std::string, std::string> keysByName()
  {
    std::map<std::string, std::string> mapKeys;
    Registry settings;
    TextList rgKeys;
    EXPECT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessRead));
    EXPECT_TRUE(settings.getSubKeys(rgKeys));
    for (const std::string& strKey : rgKeys)
    {
      Registry profile;
      std::string strName;
      EXPECT_TRUE(settings.openSubKey(strKey, profile, Registry::kdwAccessRead));
      EXPECT_TRUE(profile.getKeyValue("Name", strName));
      mapKeys[strName] = strKey;
    }
    return mapKeys;
  }

  ScratchKey m_scratch;
  QuilbarProfileStore m_store;
};

void addFormat(QuilbarProfile& profile, const std::string& strName, int nOrder)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(strName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput("Input()");
  ASSERT_TRUE(profile.getDataEditFormatMap().add(strName, std::move(pFormat)));
}

// A profile that stays keeps its key; what its key held beyond the profile goes: a value nobody
// writes, a format and a criterion that were removed. The gone profile's key goes, the new
// profile gets a key of its own, and everything loads back as it is in memory.
TEST_F(ProfileStoreSaveTest, EachProfileIsWrittenOverItsOwnKey)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  addFormat(m_store.addOrSelectProfile("Alpha"), "Extra", 1);
  m_store.addOrSelectProfile("Beta");
  m_store.addOrSelectProfile("Gamma");
  ASSERT_TRUE(m_store.saveSettings());
  std::map<std::string, std::string> mapBefore = keysByName();
  ASSERT_EQ(4u, mapBefore.size());

  Registry settings;
  ASSERT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessAll));
  const std::string strAlphaKey = mapBefore["Alpha"];
  ASSERT_TRUE(plantKey(settings, strAlphaKey, {{"Leftover", 7u}}));
  ASSERT_TRUE(plantKey(settings, strAlphaKey + "\\DataEditFormat0\\Criteria5", {{"Type", 0u}}));

  ASSERT_TRUE(m_store.addOrSelectProfile("Alpha").getDataEditFormatMap().remove("Extra"));
  m_store.addOrSelectProfile("Beta");
  ASSERT_TRUE(m_store.deleteCurrentProfile());
  m_store.addOrSelectProfile("Delta");
  ASSERT_TRUE(m_store.saveSettings());

  std::map<std::string, std::string> mapAfter = keysByName();
  EXPECT_EQ(4u, mapAfter.size());
  EXPECT_EQ(mapBefore["Alpha"], mapAfter["Alpha"]);
  EXPECT_EQ(mapBefore["Default"], mapAfter["Default"]);
  EXPECT_EQ(mapBefore["Gamma"], mapAfter["Gamma"]);
  EXPECT_EQ(0u, mapAfter.count("Beta"));
  EXPECT_EQ(1u, mapAfter.count("Delta"));

  Registry alphaKey;
  uint32_t dwLeftover = 0;
  ASSERT_TRUE(settings.openSubKey(strAlphaKey, alphaKey, Registry::kdwAccessRead));
  EXPECT_FALSE(alphaKey.getKeyValue("Leftover", dwLeftover));
  TextList rgAlphaKeys;
  ASSERT_TRUE(alphaKey.getSubKeys(rgAlphaKeys));
  EXPECT_EQ(TextList{"DataEditFormat0"}, rgAlphaKeys);

  QuilbarProfileStore reloaded(m_scratch.path());
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  ASSERT_EQ(4, reloaded.getProfiles().getCount());
  for (const auto& entry : m_store.getProfiles().getEntries())
  {
    SCOPED_TRACE(entry.first);
    const QuilbarProfile* pLoaded = reloaded.getProfiles().lookup(entry.first);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(dumpProfile(*entry.second), dumpProfile(*pLoaded));
  }
}

// A key that is no profile of the map (a foreign key, a key without a Name) goes with the save,
// as the design has it; the profiles keep theirs.
TEST_F(ProfileStoreSaveTest, ForeignKeysGoProfilesStay)
{
  std::string strError;
  ASSERT_TRUE(m_store.loadSettings(strError)) << strError;
  m_store.addOrSelectProfile("Line1");
  ASSERT_TRUE(m_store.saveSettings());
  std::map<std::string, std::string> mapBefore = keysByName();
  Registry settings;
  ASSERT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessAll));
  ASSERT_TRUE(plantKey(settings, "Foreign\\Deeper", {{"Port", "COM2"}}));
  ASSERT_TRUE(plantKey(settings, "Profile7", {{"Name", "NotInTheMap"}}));

  ASSERT_TRUE(m_store.saveSettings());
  EXPECT_EQ(mapBefore, keysByName());
}
}  // namespace
