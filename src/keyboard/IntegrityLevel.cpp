#include "IntegrityLevel.h"

namespace
{
// The mandatory label's relative id for the system level: nothing a user's process runs at
// reaches above it.
const uint32_t kdwSystemIntegrity = 0x4000;
}  // namespace

// A process that refuses even a limited query is one a process at our level may not look into:
// an elevated or a system process, whose windows take no injected input from us either. Only
// when we run at the system level ourselves can nothing be above us. A lookup that failed for
// another reason (the window's process ended meanwhile) refuses nothing: typing is then checked
// by the count of events the system took.
bool runsAboveOwnIntegrity(IntegrityLookup lookup, uint32_t dwTargetLevel, uint32_t dwOwnLevel)
{
  switch (lookup)
  {
  case IntegrityLookup::kFound:
    return dwTargetLevel > dwOwnLevel;
  case IntegrityLookup::kAccessDenied:
    return dwOwnLevel < kdwSystemIntegrity;
  case IntegrityLookup::kFailed:
    return false;
  }
  return false;
}
