// Every number a profile keeps in the registry, loaded at the edges of the 32-bit range: each is
// either used as stored (flags and numbers that are only ever compared), narrowed to its range
// (flags, times), or refused with the "invalid value" (or "corrupted") message. No stored number
// may reach a wait or an index unchecked: IntercharacterDelay 2^31 was Sleep(INFINITE) per key.
// Natively against the in-memory hive, under Wine against the registry.
#include "settings/QuilbarProfile.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace
{
const uint32_t krgdwEdges[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
const uint32_t kdwMaxMs = 10000;  // the longest time the settings pages offer

// What a stored number becomes.
enum class Outcome
{
  kKept,        // loaded as stored
  kFlag,        // 1 stays 1, anything else is off
  kClamped,     // a time: at most kdwMaxMilliseconds
  kOneOf3,      // 0, 1 or 2 taken, anything else refused with the invalid-value message
  kOneOf2,      // 0 or 1 taken, anything else refused with the invalid-value message
  kPositive,    // 1 ... 2^31-1 kept, others refused with the invalid-value message
  kCorrupted,   // an order: 0 kept, others refused (a single format or replacement has order 0)
  kKind,        // a criterion kind: 0..2 taken, others keep the kind of construction (Length)
};

struct Row
{
  const char* pszSubKey;  // below the profile key; "" for the profile's own values
  const char* pszName;
  Outcome outcome;
  std::function<uint32_t(const QuilbarProfile&)> fnGet;
};

uint32_t expectedLoad(Outcome outcome, uint32_t dwStored)
{
  switch (outcome)
  {
  case Outcome::kFlag: return dwStored == 1 ? 1 : 0;
  case Outcome::kClamped: return dwStored > kdwMaxMs ? kdwMaxMs : dwStored;
  case Outcome::kKind: return dwStored <= 2 ? dwStored : static_cast<uint32_t>(Criteria::kindLength);
  default: return dwStored;
  }
}

bool isRefused(Outcome outcome, uint32_t dwStored)
{
  switch (outcome)
  {
  case Outcome::kOneOf3: return dwStored > 2;
  case Outcome::kOneOf2: return dwStored > 1;
  case Outcome::kPositive: return dwStored < 1 || dwStored > 0x7FFFFFFF;
  case Outcome::kCorrupted: return dwStored != 0;
  default: return false;
  }
}

#define PROFILE_NUMBER(name, outcome) \
  {"", #name, Outcome::outcome, [](const QuilbarProfile& p) { return p.get##name(); }}

const Criteria& defaultCriteria(const QuilbarProfile& profile)
{
  return *profile.getDataEditFormatMap().lookup("Default")->getCriteriaMap().getEntries().begin()->second;
}

const Row krgRows[] = {
    PROFILE_NUMBER(DTR, kFlag),
    PROFILE_NUMBER(RTS, kFlag),
    PROFILE_NUMBER(CTSHigh, kFlag),
    PROFILE_NUMBER(CTSLow, kFlag),
    PROFILE_NUMBER(DSRHigh, kFlag),
    PROFILE_NUMBER(DSRLow, kFlag),
    PROFILE_NUMBER(RIHigh, kFlag),
    PROFILE_NUMBER(RILow, kFlag),
    PROFILE_NUMBER(DCDHigh, kFlag),
    PROFILE_NUMBER(DCDLow, kFlag),
    PROFILE_NUMBER(DuplicateStringFilter, kFlag),
    PROFILE_NUMBER(DuplicateFilterTime, kClamped),
    PROFILE_NUMBER(KeyCase, kOneOf3),
    PROFILE_NUMBER(IntercharacterDelay, kClamped),
    // Stored numbers that are only ever tested for on or off ("AutoStart stored as 2 loads as 2").
    PROFILE_NUMBER(SendPreAndPostfixKeys, kKept),
    PROFILE_NUMBER(AutoStart, kKept),
    PROFILE_NUMBER(HideOnStartup, kKept),
    PROFILE_NUMBER(HideWindow, kKept),
    PROFILE_NUMBER(LockOutputWindow, kKept),
    PROFILE_NUMBER(Logging, kFlag),
    PROFILE_NUMBER(FilterUnkownDataStrings, kKept),
    PROFILE_NUMBER(TerminationType, kOneOf2),
    PROFILE_NUMBER(TerminationTimeout, kClamped),
    {"DataEditFormat0", "Order", Outcome::kCorrupted,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(p.getDataEditFormatMap().lookup("Default")->getOrder()); }},
    {"DataEditFormat0\\Criteria0", "Type", Outcome::kKind,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(defaultCriteria(p).getKind()); }},
    {"DataEditFormat0\\Criteria0", "MinLength", Outcome::kPositive,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(defaultCriteria(p).getMinLength()); }},
    {"DataEditFormat0\\Criteria0", "MaxLength", Outcome::kPositive,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(defaultCriteria(p).getMaxLength()); }},
    {"DataEditFormat0\\Criteria0", "StartPosition", Outcome::kPositive,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(defaultCriteria(p).getStartPosition()); }},
    {"Replacement0", "Order", Outcome::kCorrupted,
     [](const QuilbarProfile& p) { return static_cast<uint32_t>(p.getReplacementMap().getEntries().begin()->second->getOrder()); }},
};

#undef PROFILE_NUMBER

// The default profile with one replacement, so that every kind of record has a key.
QuilbarProfile profileWithEveryRecord()
{
  QuilbarProfile profile;
  profile.setName("Numbers");
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setOrder(0);
  pReplacement->setInput("A");
  pReplacement->setReplace("B");
  EXPECT_TRUE(profile.getReplacementMap().add(std::move(pReplacement)));
  return profile;
}

class ProfileNumbersTest : public ::testing::Test
{
protected:
  ProfileNumbersTest() : m_scratch(currentTestKeyName()) {}

  ScratchKey m_scratch;
};

TEST_F(ProfileNumbersTest, EveryStoredNumberIsKeptNarrowedOrRefusedAtTheEdgesOfItsRange)
{
  const QuilbarProfile source = profileWithEveryRecord();
  for (const Row& row : krgRows)
  {
    for (uint32_t dwStored : krgdwEdges)
    {
      SCOPED_TRACE(std::string(row.pszSubKey) + (*row.pszSubKey ? "\\" : "") + row.pszName + " = "
                   + std::to_string(dwStored));
      Registry& profileKey = m_scratch.key();
      ASSERT_TRUE(source.saveToRegistry(profileKey));
      Registry valueKey;
      Registry* pValueKey = &profileKey;
      if (*row.pszSubKey != '\0')
      {
        ASSERT_TRUE(profileKey.openSubKey(row.pszSubKey, valueKey, Registry::kdwAccessAll));
        pValueKey = &valueKey;
      }
      ASSERT_TRUE(pValueKey->createKeyValue(row.pszName, dwStored));

      QuilbarProfile loaded;
      std::string strError;
      bool fLoaded = loaded.loadFromRegistry(profileKey, strError);
      if (isRefused(row.outcome, dwStored))
      {
        EXPECT_FALSE(fLoaded);
        std::string strPath;
        pValueKey->getKeyPath(strPath);
        if (row.outcome == Outcome::kCorrupted)
          EXPECT_NE(std::string::npos, strError.find("corrupted")) << strError;
        else
          EXPECT_EQ(std::string("Invalid value in registry key ") + row.pszName + " in subkey " + strPath + ".",
                    strError);
        continue;
      }
      ASSERT_TRUE(fLoaded) << strError;
      EXPECT_EQ(expectedLoad(row.outcome, dwStored), row.fnGet(loaded));
    }
  }
}

}  // namespace
