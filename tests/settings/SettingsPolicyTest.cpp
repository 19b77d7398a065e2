// Policy values: which win over a profile's own, which are ignored, and that a profile saved after
// editing keeps its stored values where a policy decides. Natively against the in-memory hive,
// under Wine against the registry.
#include "RegistryFill.h"
#include "ScratchKey.h"
#include "settings/SettingsPolicy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct PolicyCase
{
  const char* pszName;
  std::vector<StoredValue> values;
  const char* pszSet;  // the values the policy sets, joined by blanks
  const char* pszApplied;  // Port/Speed/Logging/DuplicateFilterTime/KeyCase of a default profile, after
};

std::string appliedValues(const QuilbarProfile& profile)
{
  return profile.getPort() + "/" + profile.getSpeed() + "/" + std::to_string(profile.getLogging()) + "/"
         + std::to_string(profile.getDuplicateFilterTime()) + "/" + std::to_string(profile.getKeyCase());
}

const PolicyCase krgCases[] = {
    {"no policy", {}, "", "COM1/9600/0/0/0"},
    {"texts and numbers of the profile's types", {{"port", "COM7"}, {"Speed", "19200"}, {"Logging", 1u}},
     "Port Speed Logging", "COM7/19200/1/0/0"},
    {"another type is ignored", {{"Port", 3u}, {"Speed", 4u}, {"Logging", "1"}}, "", "COM1/9600/0/0/0"},
    {"the profile's own rules: a flag, a time, a refused case", {{"Logging", 2u}, {"DuplicateFilterTime", 99999u}, {"KeyCase", 3u}},
     "DuplicateFilterTime Logging", "COM1/9600/0/10000/0"},
    {"the name and unknown values are no policy", {{"Name", "Everyone"}, {"Colour", "red"}}, "", "COM1/9600/0/0/0"},
};

TEST(SettingsPolicyTest, ValuesOfTheProfilesNamesAndTypesWinOverEveryProfile)
{
  for (const PolicyCase& test : krgCases)
  {
    SCOPED_TRACE(test.pszName);
    ScratchKey scratch(currentTestKeyName());
    ASSERT_TRUE(plantKey(scratch.key(), "Policy", test.values));
    SettingsPolicy policy(scratch.path() + "\\Policy");
    policy.load();
    std::string strSet;
    for (const std::string& strName : policy.getSetValues())
      strSet += (strSet.empty() ? "" : " ") + strName;
    EXPECT_EQ(test.pszSet, strSet);
    QuilbarProfile profile;
    policy.applyTo(profile);
    EXPECT_EQ(test.pszApplied, appliedValues(profile));
  }
}

TEST(SettingsPolicyTest, APasswordAndTheLockOfProfilesComeOnlyOfTheirOwnTypes)
{
  ScratchKey scratch(currentTestKeyName());
  SettingsPolicy policy(scratch.path() + "\\Policy");
  policy.load();
  EXPECT_FALSE(policy.isPasswordSet());
  EXPECT_EQ("stored", policy.effectivePassword("stored"));
  EXPECT_FALSE(policy.areProfilesLocked());

  ASSERT_TRUE(plantKey(scratch.key(), "Policy", {{"SettingsPassword", "$pbkdf2-sha256$1$00$00"}, {"LockProfiles", 1u}}));
  policy.load();
  EXPECT_EQ("$pbkdf2-sha256$1$00$00", policy.effectivePassword("stored"));
  EXPECT_TRUE(policy.areProfilesLocked());

  ASSERT_TRUE(plantKey(scratch.key(), "Policy", {{"SettingsPassword", 5u}, {"LockProfiles", 2u}}));
  policy.load();
  EXPECT_EQ("stored", policy.effectivePassword("stored"));
  EXPECT_FALSE(policy.areProfilesLocked());
}

// The sheet edits a profile with the policy applied; what it saves keeps the stored value wherever
// the policy decides, and every other change.
TEST(SettingsPolicyTest, AnEditedProfileKeepsItsStoredValuesWhereThePolicyDecides)
{
  ScratchKey scratch(currentTestKeyName());
  ASSERT_TRUE(plantKey(scratch.key(), "Policy", {{"Port", "COM7"}}));
  SettingsPolicy policy(scratch.path() + "\\Policy");
  policy.load();
  QuilbarProfile stored;
  stored.setPort("COM3");
  QuilbarProfile edited(stored);
  policy.applyTo(edited);
  ASSERT_EQ("COM7", edited.getPort());
  edited.setSpeed("115200");
  policy.keepStored(stored, edited);
  EXPECT_EQ("COM3", edited.getPort());
  EXPECT_EQ("115200", edited.getSpeed());
}
}  // namespace
