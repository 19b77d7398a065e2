#include "keyboard/IntegrityLevel.h"

#include <gtest/gtest.h>

namespace
{
const uint32_t kLow = 0x1000;
const uint32_t kMedium = 0x2000;
const uint32_t kHigh = 0x3000;
const uint32_t kSystem = 0x4000;

TEST(IntegrityLevelTest, OnlyAWindowAboveOurLevelRefusesInjectedInput)
{
  struct Row
  {
    const char* pszCase;
    IntegrityLookup lookup;
    uint32_t dwTarget;
    uint32_t dwOwn;
    bool fAbove;
  };
  const Row rgRows[] = {
      {"elevated editor, we run as the user", IntegrityLookup::kFound, kHigh, kMedium, true},
      {"same level", IntegrityLookup::kFound, kMedium, kMedium, false},
      {"sandboxed browser below us", IntegrityLookup::kFound, kLow, kMedium, false},
      {"we run elevated too", IntegrityLookup::kFound, kHigh, kHigh, false},
      {"a level between the named ones", IntegrityLookup::kFound, kMedium + 0x100, kMedium, true},
      {"a system process's window", IntegrityLookup::kFound, kSystem, kHigh, true},
      {"a process we may not query", IntegrityLookup::kAccessDenied, 0, kMedium, true},
      {"a process we may not query, we run elevated", IntegrityLookup::kAccessDenied, 0, kHigh, true},
      {"nothing is above the system level", IntegrityLookup::kAccessDenied, 0, kSystem, false},
      {"the process ended meanwhile", IntegrityLookup::kFailed, 0, kMedium, false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    EXPECT_EQ(row.fAbove, runsAboveOwnIntegrity(row.lookup, row.dwTarget, row.dwOwn));
  }
}
}  // namespace
