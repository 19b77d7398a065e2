// A sub-key listing that fails part-way, as the registry's does when another instance deletes a
// key while it is listed (ERROR_KEY_DELETED), is a failure, not a shorter list: a store loaded
// from a partial list would erase the profiles it did not see at its next save. Native only: the
// in-memory hive can fail a listing at a chosen index.
#include "settings/QuilbarProfileStore.h"
#include "base/RegistryApi.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <string>

namespace regapi
{
void failSubKeyListingAt(uint32_t dwIndex, long nStatus);
}

namespace
{
const int knProfiles = 5;

class RegistryListingFailureTest : public ::testing::Test
{
protected:
  RegistryListingFailureTest() : m_scratch(currentTestKeyName()), m_store(m_scratch.path())
  {
    std::string strError;
    EXPECT_TRUE(m_store.loadSettings(strError)) << strError;
    for (int i = 1; i < knProfiles; ++i)
      m_store.addOrSelectProfile("Line" + std::to_string(i));
    EXPECT_TRUE(m_store.saveSettings());
  }

  std::string settingsPath() const { return m_scratch.path() + "\\Tarnwick\\Quilbar2\\Settings"; }

  size_t storedProfileCount()
  {
    Registry settings;
    TextList rgKeys;
    EXPECT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessRead));
    EXPECT_TRUE(settings.getSubKeys(rgKeys));
    return rgKeys.size();
  }

  ScratchKey m_scratch;
  QuilbarProfileStore m_store;
};

TEST_F(RegistryListingFailureTest, ListingThatFailsPartWayFails)
{
  Registry settings;
  ASSERT_TRUE(settings.openKey(settingsPath(), Registry::kdwAccessRead));
  TextList rgKeys;
  regapi::failSubKeyListingAt(2, regapi::kKeyDeleted);
  EXPECT_FALSE(settings.getSubKeys(rgKeys));
  EXPECT_TRUE(settings.getSubKeys(rgKeys));
  EXPECT_EQ(static_cast<size_t>(knProfiles), rgKeys.size());
}

TEST_F(RegistryListingFailureTest, LoadFromAPartialListingFailsInsteadOfLosingProfiles)
{
  QuilbarProfileStore other(m_scratch.path());
  std::string strError;
  regapi::failSubKeyListingAt(2, regapi::kKeyDeleted);
  EXPECT_FALSE(other.loadSettings(strError));
  EXPECT_EQ("Failed to get subkeys of " + settingsPath() + ".", strError);
}

TEST_F(RegistryListingFailureTest, SaveOverAPartialListingFailsAndKeepsEveryProfile)
{
  m_store.addOrSelectProfile("Line1").setPort("COM9");
  regapi::failSubKeyListingAt(3, regapi::kKeyDeleted);
  EXPECT_FALSE(m_store.saveSettings());
  EXPECT_EQ(static_cast<size_t>(knProfiles), storedProfileCount());
  EXPECT_TRUE(m_store.saveSettings());
  QuilbarProfileStore reloaded(m_scratch.path());
  std::string strError;
  ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
  EXPECT_EQ(knProfiles, reloaded.getProfiles().getCount());
  EXPECT_EQ("COM9", reloaded.getProfiles().lookup("Line1")->getPort());
}
}  // namespace
